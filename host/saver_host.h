// The screensaver host: the saver's main window, its message loop and the
// rules by which input and system events close the saver.
#pragma once

#include <cstdint>

#include "platform/window.h"

// True while running as the child of a given window (/p, /l): nothing closes
// the saver then, and the program draws only its title.
extern bool PreviewMode;

// True while drawing the full picture inside a window another program
// covers the screen with (XScreenSaver's -root or -window-id): input and
// focus belong to that program, which ends the saver with SIGTERM, so
// nothing else closes it and no settings are opened from it.
extern bool HostedMode;

// The main window's class and the full-screen window's title, by which a
// second full-screen start finds the first.
extern const char SAVER_CLASS_NAME[];
extern const char SAVER_TITLE[];

// The mouse must move more than this many pixels (|dx| + |dy|, summed from
// where it was when the saver started or last closed) to close the saver.
constexpr int MOUSE_THRESHOLD = 4;

// Runs the saver full-screen (parent 0) or as a preview inside the parent
// window, and returns the exit code. A full-screen start while another runs
// brings that one to the front and returns 0 at once.
int Run_Saver(platform::WindowHandle parent);

// Runs the saver with its full picture inside the given window (see
// HostedMode), sized to it, and returns the exit code.
int Run_Hosted_Saver(platform::WindowHandle host);

// The main window's procedure; what it does not consume goes to the program
// procedure (ScreenSaverProc).
intptr_t ScreenSaverHostProc(platform::WindowHandle window, uint32_t message, uintptr_t wparam,
                             intptr_t lparam);

// The close rules; the program's procedures pass it what they do not consume.
intptr_t ScreenSaverDefaultProc(platform::WindowHandle window, uint32_t message,
                                uintptr_t wparam, intptr_t lparam);

// Where ScreenSaverHostProc passes messages on; ScreenSaverProc unless a
// test puts its own there.
extern platform::WindowProc SaverProgramProc;
