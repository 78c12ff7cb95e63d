// GLX contexts on the saver's X11 windows.
//
// Implemented: a double-buffered RGBA framebuffer configuration of the
// window's own visual, closest to the request (exact colour bits first, then
// the deepest depth buffer, then the fewest extra buffers); swap interval 1
// where a swap-control extension really works, unless ORBALUNE3D_UNPACED
// asks for unpaced frames. Missing: multisampling,
// sharing between contexts.
#include <GL/glx.h>

#include <cstring>
#include <tuple>

#include "platform/unpaced_switch.h"
#include "platform/x11_platform.h"

namespace platform::glx {
namespace {

// Win32's code for "no pixel format fits", reported when no configuration does.
const uint32_t ERROR_INVALID_PIXEL_FORMAT = 2000;
// Win32's code for a window that no longer exists.
const uint32_t ERROR_INVALID_WINDOW_HANDLE = 1400;

struct State {
  GLXContext context = nullptr;
  Window window = None;
  // The window lies in another client's window; frames hold the server.
  bool hosted = false;
};

State& state() {
  static State instance;
  return instance;
}

int attribute(Display* display, GLXFBConfig config, int name) {
  int value = 0;
  glXGetFBConfigAttrib(display, config, name, &value);
  return value;
}

struct Candidate {
  GLXFBConfig config;
  int colour_bits;
  int depth_bits;
};

// Larger is better.
auto score(Display* display, const Candidate& candidate, const ContextRequest& request) {
  const int extras = attribute(display, candidate.config, GLX_ALPHA_SIZE) +
                     attribute(display, candidate.config, GLX_STENCIL_SIZE) +
                     attribute(display, candidate.config, GLX_ACCUM_RED_SIZE) +
                     attribute(display, candidate.config, GLX_SAMPLES);
  const bool slow = attribute(display, candidate.config, GLX_CONFIG_CAVEAT) == GLX_SLOW_CONFIG;
  return std::make_tuple(!slow, candidate.colour_bits == request.colour_bits,
                         candidate.colour_bits, std::min(candidate.depth_bits, request.depth_bits),
                         candidate.depth_bits, -extras);
}

bool usable(Display* display, GLXFBConfig config, VisualID visual, const ContextRequest& request) {
  return attribute(display, config, GLX_VISUAL_ID) == static_cast<int>(visual) &&
         (attribute(display, config, GLX_DRAWABLE_TYPE) & GLX_WINDOW_BIT) &&
         (attribute(display, config, GLX_RENDER_TYPE) & GLX_RGBA_BIT) &&
         attribute(display, config, GLX_DOUBLEBUFFER) == (request.double_buffer ? 1 : 0);
}

// A window's visual is fixed when it is made, so only configurations of
// that visual can draw into it.
bool choose_config(Display* display, Window window, const ContextRequest& request,
                   Candidate* chosen) {
  XWindowAttributes window_attributes;
  if (!XGetWindowAttributes(display, window, &window_attributes)) return false;
  const VisualID visual = XVisualIDFromVisual(window_attributes.visual);
  const int screen = XScreenNumberOfScreen(window_attributes.screen);
  int count = 0;
  GLXFBConfig* configs = glXGetFBConfigs(display, screen, &count);
  bool found = false;
  for (int i = 0; i < count; ++i) {
    if (!usable(display, configs[i], visual, request)) continue;
    const Candidate candidate{configs[i],
                              attribute(display, configs[i], GLX_RED_SIZE) +
                                  attribute(display, configs[i], GLX_GREEN_SIZE) +
                                  attribute(display, configs[i], GLX_BLUE_SIZE),
                              attribute(display, configs[i], GLX_DEPTH_SIZE)};
    if (!found || score(display, candidate, request) > score(display, *chosen, request)) {
      *chosen = candidate;
      found = true;
    }
  }
  if (configs) XFree(configs);
  return found;
}

bool has_extension(Display* display, const char* name) {
  const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
  const size_t length = strlen(name);
  for (const char* at = extensions ? strstr(extensions, name) : nullptr; at;
       at = strstr(at + length, name)) {
    const bool starts = at == extensions || at[-1] == ' ';
    if (starts && (at[length] == ' ' || at[length] == '\0')) return true;
  }
  return false;
}

template <typename Function>
Function lookup(const char* name) {
  return reinterpret_cast<Function>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

// Mesa's software paths (Xvfb among them) list every swap-control extension
// whether or not the server can pace anything: GLX_MESA_swap_control then
// answers GLX_BAD_CONTEXT, GLX_SGI_swap_control raises an X error, and
// querying GLX_SWAP_INTERVAL_EXT jumps through a null pointer. So the first
// listed of MESA, SGI, EXT decides, each asked in the way that can fail
// safely, and the interval is never queried.
int set_swap_interval_one(Display* display, Window window) {
  if (has_extension(display, "GLX_MESA_swap_control")) {
    auto set_interval = lookup<int (*)(unsigned int)>("glXSwapIntervalMESA");
    return set_interval && set_interval(1) == 0 ? 1 : 0;
  }
  if (has_extension(display, "GLX_SGI_swap_control")) {
    auto set_interval = lookup<int (*)(int)>("glXSwapIntervalSGI");
    if (!set_interval) return 0;
    x11::ErrorTrap trap(display);
    const int result = set_interval(1);
    return trap.error() == 0 && result == 0 ? 1 : 0;
  }
  if (has_extension(display, "GLX_EXT_swap_control")) {
    auto set_interval = lookup<void (*)(Display*, GLXDrawable, int)>("glXSwapIntervalEXT");
    if (!set_interval) return 0;
    x11::ErrorTrap trap(display);
    set_interval(display, window, 1);
    return trap.error() == 0 ? 1 : 0;
  }
  return 0;
}

bool fail(ContextInfo* info, const char* call, uint32_t error) {
  info->failed_call = call;
  info->error = error;
  return false;
}

bool create_current(Display* display, Window window, const ContextRequest& request,
                    ContextInfo* info) {
  State& s = state();
  Candidate chosen{};
  if (!choose_config(display, window, request, &chosen)) {
    return fail(info, "ChoosePixelFormat", ERROR_INVALID_PIXEL_FORMAT);
  }
  x11::ErrorTrap trap(display);
  s.context = glXCreateNewContext(display, chosen.config, GLX_RGBA_TYPE, nullptr, True);
  if (const uint32_t error = trap.error(); !s.context || error) {
    return fail(info, "wglCreateContext", error);
  }
  if (!glXMakeCurrent(display, window, s.context)) {
    return fail(info, "wglMakeCurrent", trap.error());
  }
  s.window = window;
  info->colour_bits = chosen.colour_bits;
  info->depth_bits = chosen.depth_bits;
  info->double_buffer = request.double_buffer;
  info->swap_interval = unpaced_requested() ? 0 : set_swap_interval_one(display, window);
  return true;
}

// Making the context current reads the window's size as drawing does, so a
// hosted window is held for it too, and the hold lasts until the first
// frame has been drawn (see x11_server_hold.cpp).
bool create(WindowHandle window, int, int, const ContextRequest& request, ContextInfo* info) {
  Display* display = x11::display();
  if (!display) return fail(info, "ChoosePixelFormat", ERROR_INVALID_PIXEL_FORMAT);
  State& s = state();
  s.hosted = x11::inside_foreign_window(display, window);
  if (s.hosted && !x11::hold_server_for(display, window)) {
    x11::release_server(display);
    return fail(info, "ChoosePixelFormat", ERROR_INVALID_WINDOW_HANDLE);
  }
  return create_current(display, window, request, info);
}

void resize(int, int) {}

bool begin_frame() {
  State& s = state();
  if (!s.context || !s.hosted) return true;
  Display* display = x11::display();
  if (x11::hold_server_for(display, s.window)) return true;
  x11::release_server(display);
  return false;
}

void swap_buffers() {
  State& s = state();
  if (!s.context) return;
  glXSwapBuffers(x11::display(), s.window);
  x11::release_server(x11::display());
}

void destroy() {
  State& s = state();
  if (!s.context) return;
  Display* display = x11::display();
  x11::release_server(display);
  x11::ErrorTrap trap(display);
  glXMakeCurrent(display, None, nullptr);
  glXDestroyContext(display, s.context);
  trap.error();
  s.context = nullptr;
  s.window = None;
}

}  // namespace

void connect_context(ContextApi& context) {
  context.create = create;
  context.resize = resize;
  context.begin_frame = begin_frame;
  context.swap_buffers = swap_buffers;
  context.destroy = destroy;
}

}  // namespace platform::glx
