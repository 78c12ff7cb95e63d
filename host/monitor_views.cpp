// Monitor views: clipping, containment and repeats.
#include "host/monitor_views.h"

#include <algorithm>

namespace {

platform::Rect Clip(const platform::Rect& rect, platform::Size window) {
  const int left = std::max(rect.x, 0);
  const int top = std::max(rect.y, 0);
  const int right = std::min(rect.x + rect.width, window.width);
  const int bottom = std::min(rect.y + rect.height, window.height);
  return platform::Rect{left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
}

bool Is_Empty(const platform::Rect& rect) { return rect.width <= 0 || rect.height <= 0; }

bool Contains(const platform::Rect& outer, const platform::Rect& inner) {
  return inner.x >= outer.x && inner.y >= outer.y &&
         inner.x + inner.width <= outer.x + outer.width &&
         inner.y + inner.height <= outer.y + outer.height;
}

long long Area(const platform::Rect& rect) { return (long long)rect.width * rect.height; }

// The largest of the rectangles that wholly contain this one (itself at least).
platform::Rect Largest_Container(const platform::Rect& rect,
                                 const std::vector<platform::Rect>& all) {
  platform::Rect largest = rect;
  for (const platform::Rect& other : all) {
    if (Contains(other, rect) && Area(other) > Area(largest)) largest = other;
  }
  return largest;
}

}  // namespace

std::vector<platform::Rect> Monitor_Views(const std::vector<platform::Rect>& monitors,
                                          platform::Size window) {
  std::vector<platform::Rect> clipped;
  for (const platform::Rect& monitor : monitors) {
    const platform::Rect rect = Clip(monitor, window);
    if (!Is_Empty(rect)) clipped.push_back(rect);
  }
  std::vector<platform::Rect> views;
  for (const platform::Rect& rect : clipped) {
    const platform::Rect view = Largest_Container(rect, clipped);
    if (std::find(views.begin(), views.end(), view) == views.end()) views.push_back(view);
  }
  if (views.empty()) views.push_back(platform::Rect{0, 0, window.width, window.height});
  return views;
}

platform::Rect Gl_Viewport(const platform::Rect& view, int window_height) {
  return platform::Rect{view.x, window_height - view.y - view.height, view.width, view.height};
}
