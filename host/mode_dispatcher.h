// The mode dispatcher: the screensaver switches of the command line.
#pragma once

#include "platform/window.h"

enum class SaverMode {
  Configure,       // "c", "c:<window>" or nothing at all
  FullScreen,      // "s"
  Preview,         // "p <window>" or "l <window>"
  ChangePassword,  // "a <window>"
  Invalid,
};

struct ModeRequest {
  SaverMode mode;
  // The decimal window handle that followed the switch; 0 when none was given.
  platform::WindowHandle window;
};

// Reads the switches. Blanks, "-" and "/" before the letter are skipped;
// letters are taken in either case; a handle is a run of decimal digits.
ModeRequest Parse_Mode(const char* command_line);

// The owner of the configuration dialog: the given window when it exists,
// the foreground window otherwise.
platform::WindowHandle Configuration_Owner(platform::WindowHandle window);

// True for the modes that open saver windows.
bool Needs_Window_System(SaverMode mode);

// Runs the mode and returns the process exit code: -1 for anything not
// understood, a preview window that does not exist, or a password change
// on a system other than Windows 95, 98 or Me.
int Run_Mode(const ModeRequest& request);

// Parse_Mode and Run_Mode together.
int Dispatch_Mode(const char* command_line);
