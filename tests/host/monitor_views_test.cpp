// Monitor views: what the X server or Windows reports as monitors becomes
// one view per distinct monitor, inside the window, the primary first.
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "host/monitor_views.h"

namespace platform {
void PrintTo(const Rect& rect, std::ostream* out) {
  *out << rect.width << "x" << rect.height << "+" << rect.x << "+" << rect.y;
}
}  // namespace platform

namespace {

using platform::Rect;
using Views = std::vector<Rect>;

const platform::Size TWO_SIDE_BY_SIDE{2304, 960};
const Rect LEFT{0, 0, 1280, 960};
const Rect RIGHT{1280, 0, 1024, 768};

TEST(MonitorViews, one_monitor_or_none_is_the_whole_window) {
  EXPECT_EQ(Monitor_Views({}, {800, 600}), (Views{{0, 0, 800, 600}}));
  EXPECT_EQ(Monitor_Views({{0, 0, 800, 600}}, {800, 600}), (Views{{0, 0, 800, 600}}));
  // Monitors that lie wholly outside the window, or have no area, leave the whole window.
  EXPECT_EQ(Monitor_Views({{900, 0, 100, 100}, {0, 0, 0, 600}}, {800, 600}),
            (Views{{0, 0, 800, 600}}));
}

TEST(MonitorViews, side_by_side_monitors_keep_their_order_and_sizes) {
  EXPECT_EQ(Monitor_Views({LEFT, RIGHT}, TWO_SIDE_BY_SIDE), (Views{LEFT, RIGHT}));
  // The primary monitor may be the right one: it stays first.
  EXPECT_EQ(Monitor_Views({RIGHT, LEFT}, TWO_SIDE_BY_SIDE), (Views{RIGHT, LEFT}));
}

TEST(MonitorViews, repeated_and_contained_monitors_are_drawn_once) {
  // Xorg's dummy driver lists its output DUMMY0 over the left monitor.
  EXPECT_EQ(Monitor_Views({LEFT, LEFT, RIGHT}, TWO_SIDE_BY_SIDE), (Views{LEFT, RIGHT}));
  // A smaller mirrored output inside the primary monitor.
  EXPECT_EQ(Monitor_Views({LEFT, {0, 0, 1024, 768}, RIGHT}, TWO_SIDE_BY_SIDE),
            (Views{LEFT, RIGHT}));
  // A primary output that another monitor wholly contains hands its first
  // place to the larger monitor.
  EXPECT_EQ(Monitor_Views({{0, 0, 1024, 768}, RIGHT, LEFT}, TWO_SIDE_BY_SIDE),
            (Views{LEFT, RIGHT}));
}

TEST(MonitorViews, monitors_are_clipped_to_the_window) {
  EXPECT_EQ(Monitor_Views({{-100, 0, 1380, 960}, {1280, 0, 1200, 1000}}, TWO_SIDE_BY_SIDE),
            (Views{LEFT, {1280, 0, 1024, 960}}));
}

TEST(MonitorViews, gl_viewports_count_from_the_bottom_edge) {
  EXPECT_EQ(Gl_Viewport(LEFT, 960), LEFT);
  // The shorter right monitor sits at the top of the window: 192 rows above the bottom.
  EXPECT_EQ(Gl_Viewport(RIGHT, 960), (Rect{1280, 192, 1024, 768}));
}

}  // namespace
