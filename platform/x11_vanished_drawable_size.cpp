// The size of a window that has gone.
//
// Mesa's software rasteriser asks XGetGeometry for a drawable's size when a
// frame starts and uses the answer without looking at whether the request
// succeeded. A preview or XScreenSaver window dies with the program that
// hosts it, at any moment, even while the server is grabbed for us (the
// server closes a dead client's connection, and destroys its windows,
// whatever the grab). The answer is then whatever the rasteriser's stack
// held, its buffers are made for that size, and the heap is corrupted.
//
// This XGetGeometry stands before Xlib's: the program links it in and
// exports it (CMakeLists.txt), so every library of the process calls it.
// It fills the answer with a 1x1 drawable at the origin and lets Xlib's
// own function overwrite that; a failed request leaves the 1x1 standing.
#include <X11/Xlib.h>
#include <dlfcn.h>

namespace {

using GetGeometry = Status (*)(Display*, Drawable, Window*, int*, int*, unsigned int*,
                               unsigned int*, unsigned int*, unsigned int*);

GetGeometry xlib_get_geometry() {
  static const GetGeometry xlib =
      reinterpret_cast<GetGeometry>(dlsym(RTLD_NEXT, "XGetGeometry"));
  return xlib;
}

}  // namespace

extern "C" Status XGetGeometry(Display* display, Drawable drawable, Window* root, int* x,
                               int* y, unsigned int* width, unsigned int* height,
                               unsigned int* border_width, unsigned int* depth) {
  *root = None;
  *x = 0;
  *y = 0;
  *width = 1;
  *height = 1;
  *border_width = 0;
  *depth = 24;  // the saver's own windows have 24 bits or fewer
  const GetGeometry xlib = xlib_get_geometry();
  return xlib ? xlib(display, drawable, root, x, y, width, height, border_width, depth) : 0;
}
