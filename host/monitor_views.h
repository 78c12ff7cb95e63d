// The views of a full-screen frame: one per monitor, each a part of the
// window that the scene is drawn into with its own aspect ratio.
#pragma once

#include <vector>

#include "platform/window.h"

// The monitors as parts of a window that covers the screen from its
// top-left corner: clipped to the window, each replaced by the largest
// monitor that wholly contains it (a mirrored output, or the dummy driver's
// output beneath the monitors defined on it), repeats dropped. The primary
// monitor's view comes first. No monitor left: the whole window.
std::vector<platform::Rect> Monitor_Views(const std::vector<platform::Rect>& monitors,
                                          platform::Size window);

// The view as GL's viewport, whose y counts from the window's bottom edge:
// x, y, width, height.
platform::Rect Gl_Viewport(const platform::Rect& view, int window_height);
