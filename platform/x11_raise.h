// Bringing a window of another process to the front, found by its role.
#pragma once

namespace platform::x11 {

// The WM_WINDOW_ROLE of the settings sheet, by which a second settings
// process finds the first one's window.
inline constexpr char SETTINGS_SHEET_ROLE[] = "orbalune3d-settings";

// Brings the mapped top-level window with this role and title to the front
// and gives it the keyboard: through the window manager when one runs
// (_NET_ACTIVE_WINDOW), else by raising it and setting the input focus.
// Opens a display connection of its own; false when there is no display or
// no such window.
bool bring_to_front(const char* role, const char* title);

}  // namespace platform::x11
