// The size of a window that has gone: XGetGeometry answers a 1x1 drawable
// where Xlib would leave the caller's variables as they were (the GL
// libraries read them without looking at the result), and the program
// exports it so that those libraries call it.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <string>

#include "support/run_program.h"

namespace {

int ignore_x_error(Display*, XErrorEvent*) { return 0; }

struct Geometry {
  Status status = 0;
  unsigned int width = 0xdeadbeef;
  unsigned int height = 0xdeadbeef;
};

Geometry geometry_of(Display* display, Window window) {
  Geometry geometry;
  Window root = 0;
  int x = -7;
  int y = -7;
  unsigned int border = 0xdeadbeef;
  unsigned int depth = 0xdeadbeef;
  geometry.status = XGetGeometry(display, window, &root, &x, &y, &geometry.width,
                                 &geometry.height, &border, &depth);
  return geometry;
}

TEST(VanishedDrawableSize, a_window_reads_its_size_until_it_goes_and_one_pixel_after) {
  XServer server(24);
  ASSERT_TRUE(server.ok());
  Display* display = XOpenDisplay(server.display().c_str());
  ASSERT_NE(display, nullptr);
  const Window window =
      XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 64, 48, 0, 0, 0);
  const Geometry alive = geometry_of(display, window);
  EXPECT_NE(alive.status, 0);
  EXPECT_EQ(alive.width, 64u);
  EXPECT_EQ(alive.height, 48u);

  XDestroyWindow(display, window);
  XSync(display, False);
  const auto previous_handler = XSetErrorHandler(ignore_x_error);
  const Geometry gone = geometry_of(display, window);
  XSetErrorHandler(previous_handler);
  EXPECT_EQ(gone.status, 0);
  EXPECT_EQ(gone.width, 1u);
  EXPECT_EQ(gone.height, 1u);
  XCloseDisplay(display);
}

TEST(VanishedDrawableSize, the_program_offers_its_xgetgeometry_to_the_libraries) {
  const ProgramResult symbols =
      run_program({"nm", "-D", "--defined-only", program_argv({})[0]}, {}, 30);
  ASSERT_EQ(symbols.exit_code, 0) << symbols.err;
  EXPECT_NE(symbols.out.find(" T XGetGeometry\n"), std::string::npos);
}

}  // namespace
