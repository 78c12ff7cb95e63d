// Running inside a window another program owns. XScreenSaver (and programs
// like it) start a display program inside a window of their own with: "-root" draws on the window
// named by the XSCREENSAVER_WINDOW variable, or on the root window without
// it; "-window-id ID" draws on the given window. Ids are decimal or "0x"
// hexadecimal, as X tools print them. Both options may also be written with
// two dashes ("--root", "--window-id"), as XScreenSaver's settings do.
#pragma once

#include <string>

#include "config/hack_flags.h"
#include "platform/window.h"

struct HostedRequest {
  platform::WindowHandle window = 0;  // 0 with desktop set
  bool desktop = false;               // the root window
  HackFlagChanges flags;              // options changed for this run
};

// True for the first argument of such a command line, in either spelling.
bool Is_Hosting_Option(const char* argument);

// Reads "-root" or "-window-id ID" (or "--root", "--window-id ID") and the
// flags after it (config/hack_flags.h) from argv[0..argc); window_variable is the value of XSCREENSAVER_WINDOW
// (nullptr when unset). False with the reason in *error.
bool Parse_Hosting_Arguments(int argc, char** argv, const char* window_variable,
                             HostedRequest* request, std::string* error);

// Reads the arguments (argv[0] is the first option), connects to the
// display and runs the saver in the window; the process exit code: -1 for
// arguments not understood or a window that does not exist.
int Run_Hosted_Mode(int argc, char** argv);
