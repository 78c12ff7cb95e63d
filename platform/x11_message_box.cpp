// The visible message box and the beep on an X display.
//
// The box is a small window of its own connection: the caption as its title,
// the text line by line, an "OK" button; Return, Escape, space, a click on
// the button or the window manager's close button dismiss it. It is also
// written to standard error, so that a saver started from a terminal or a
// log-collecting daemon says why it stopped. Without a display only the
// standard-error line remains.
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/x11_platform.h"

namespace platform::x11 {
namespace {

const int MARGIN = 16;
const int BUTTON_WIDTH = 80;
const int BUTTON_HEIGHT = 26;

struct Layout {
  std::vector<std::string> lines;
  int line_height;
  int ascent;
  int width;
  int height;
  XRectangle button;
};

std::vector<std::string> split_lines(const char* text) {
  std::vector<std::string> lines(1);
  for (const char* c = text; *c; ++c) {
    if (*c == '\n') {
      lines.emplace_back();
    } else {
      lines.back() += *c;
    }
  }
  while (lines.size() > 1 && lines.back().empty()) lines.pop_back();
  return lines;
}

Layout lay_out(XFontStruct* font, const char* text) {
  Layout layout{split_lines(text), font->ascent + font->descent, font->ascent, 0, 0, {}};
  int text_width = BUTTON_WIDTH;
  for (const std::string& line : layout.lines) {
    text_width = std::max(text_width, XTextWidth(font, line.c_str(), static_cast<int>(line.size())));
  }
  layout.width = text_width + 2 * MARGIN;
  const int text_height = static_cast<int>(layout.lines.size()) * layout.line_height;
  layout.height = text_height + 3 * MARGIN + BUTTON_HEIGHT;
  layout.button = XRectangle{static_cast<short>((layout.width - BUTTON_WIDTH) / 2),
                             static_cast<short>(text_height + 2 * MARGIN), BUTTON_WIDTH,
                             BUTTON_HEIGHT};
  return layout;
}

void draw(Display* display, Window window, GC gc, XFontStruct* font, const Layout& layout) {
  XClearWindow(display, window);
  int y = MARGIN + layout.ascent;
  for (const std::string& line : layout.lines) {
    XDrawString(display, window, gc, MARGIN, y, line.c_str(), static_cast<int>(line.size()));
    y += layout.line_height;
  }
  const XRectangle& b = layout.button;
  XDrawRectangle(display, window, gc, b.x, b.y, b.width, b.height);
  const int label_width = XTextWidth(font, "OK", 2);
  XDrawString(display, window, gc, b.x + (b.width - label_width) / 2,
              b.y + (b.height + font->ascent - font->descent) / 2, "OK", 2);
}

bool inside(const XRectangle& r, int x, int y) {
  return x >= r.x && y >= r.y && x < r.x + r.width && y < r.y + r.height;
}

bool dismisses(XEvent& event, const Layout& layout, Atom delete_window) {
  switch (event.type) {
    case KeyPress: {
      const KeySym key = XLookupKeysym(&event.xkey, 0);
      return key == XK_Return || key == XK_KP_Enter || key == XK_Escape || key == XK_space;
    }
    case ButtonPress:
      return inside(layout.button, event.xbutton.x, event.xbutton.y);
    case ClientMessage:
      return static_cast<Atom>(event.xclient.data.l[0]) == delete_window;
    default:
      return false;
  }
}

// Kept above other windows (MB_TOPMOST) and named so that the window manager
// and test tools can find it by its caption.
Window create_box(Display* display, const char* caption, const Layout& layout) {
  const int screen = DefaultScreen(display);
  const int x = (DisplayWidth(display, screen) - layout.width) / 2;
  const int y = (DisplayHeight(display, screen) - layout.height) / 2;
  Window window = XCreateSimpleWindow(display, RootWindow(display, screen), x, y, layout.width,
                                      layout.height, 1, BlackPixel(display, screen),
                                      WhitePixel(display, screen));
  XStoreName(display, window, caption);
  XClassHint hint{const_cast<char*>("orbalune3d"), const_cast<char*>("Orbalune 3D")};
  XSetClassHint(display, window, &hint);
  Atom above = XInternAtom(display, "_NET_WM_STATE_ABOVE", False);
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_STATE", False), XA_ATOM, 32,
                  PropModeReplace, reinterpret_cast<unsigned char*>(&above), 1);
  XSizeHints size{};
  size.flags = PPosition | PMinSize | PMaxSize;
  size.x = x;
  size.y = y;
  size.min_width = size.max_width = layout.width;
  size.min_height = size.max_height = layout.height;
  XSetWMNormalHints(display, window, &size);
  XSelectInput(display, window, ExposureMask | KeyPressMask | ButtonPressMask | StructureNotifyMask);
  return window;
}

void show_box(Display* display, const char* text, const char* caption) {
  XFontStruct* font = XLoadQueryFont(display, "fixed");
  if (!font) return;
  const Layout layout = lay_out(font, text);
  Window window = create_box(display, caption, layout);
  Atom delete_window = XInternAtom(display, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(display, window, &delete_window, 1);
  GC gc = XCreateGC(display, window, 0, nullptr);
  XSetFont(display, gc, font->fid);
  XSetForeground(display, gc, BlackPixel(display, DefaultScreen(display)));
  XMapRaised(display, window);
  for (bool done = false; !done;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == MapNotify) XSetInputFocus(display, window, RevertToParent, CurrentTime);
    if (event.type == Expose && event.xexpose.count == 0) draw(display, window, gc, font, layout);
    done = dismisses(event, layout, delete_window);
  }
  XFreeGC(display, gc);
  XFreeFont(display, font);
  XDestroyWindow(display, window);
}

// A separate connection, so that the box works whatever state the saver's
// own connection is in; its X errors are caught like the backend's.
void message_box(const char* text, const char* caption, MessageBoxIcon) {
  text = text ? text : "";
  caption = caption ? caption : "";
  fprintf(stderr, "%s: %s\n", caption, text);
  Display* box_display = XOpenDisplay(nullptr);
  if (!box_display) return;
  release_input();
  show_box(box_display, text, caption);
  XCloseDisplay(box_display);
}

void beep() {
  if (Display* backend_display = display()) {
    XBell(backend_display, 0);
    XFlush(backend_display);
  }
}

}  // namespace

void connect_message_box(SystemApi& system) {
  system.message_box = message_box;
  system.beep = beep;
}

}  // namespace platform::x11
