// Connecting the X11 backend, declared apart from the Xlib types it uses.
#pragma once

namespace platform {
struct Platform;
}

namespace platform::x11 {

// Opens the display and connects the window area, the GLX context and the
// visible message box and beep. False (with a line on stderr) without a display.
bool connect(Platform& table);

}  // namespace platform::x11
