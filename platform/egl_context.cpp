// Offscreen GL contexts through EGL on Mesa's surfaceless platform.
//
// Implemented: desktop GL compatibility-profile context (fixed-function GL 1.x
// works), a pbuffer of the window's size as the drawable, resize by replacing
// the pbuffer, glReadPixels from it.
// Missing: double buffering (a pbuffer has one colour buffer, so swap_buffers
// only finishes the frame and the picture stays readable after it).
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include "platform/gl_context.h"
#include "utilitylib/utility.h"

namespace platform::egl {
namespace {

struct ContextState {
  EGLDisplay display = EGL_NO_DISPLAY;
  EGLConfig config = nullptr;
  EGLContext context = EGL_NO_CONTEXT;
  EGLSurface surface = EGL_NO_SURFACE;
};

ContextState state;

bool report_failure(const char* call) {
  CUtility::Log("EGL: %s failed: Error 0x%x.\n", call, unsigned(eglGetError()));
  return false;
}

EGLDisplay open_surfaceless_display() {
  auto get_platform_display = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
      eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (!get_platform_display) return EGL_NO_DISPLAY;
  return get_platform_display(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}

// The deepest depth buffer up to the requested size among pbuffer configs.
bool choose_config(const ContextRequest& request) {
  const int channel_bits = request.colour_bits >= 24 ? 8 : 5;
  for (int depth = request.depth_bits; depth >= 16; depth -= 8) {
    const EGLint attributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT,
                                 EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                 EGL_RED_SIZE, channel_bits,
                                 EGL_GREEN_SIZE, channel_bits,
                                 EGL_BLUE_SIZE, channel_bits,
                                 EGL_DEPTH_SIZE, depth,
                                 EGL_NONE};
    EGLint count = 0;
    if (eglChooseConfig(state.display, attributes, &state.config, 1, &count) && count > 0)
      return true;
  }
  return report_failure("eglChooseConfig");
}

bool make_pbuffer(int width, int height) {
  const EGLint attributes[] = {EGL_WIDTH, width > 0 ? width : 1,
                               EGL_HEIGHT, height > 0 ? height : 1, EGL_NONE};
  state.surface = eglCreatePbufferSurface(state.display, state.config, attributes);
  if (state.surface == EGL_NO_SURFACE) return report_failure("eglCreatePbufferSurface");
  if (!eglMakeCurrent(state.display, state.surface, state.surface, state.context))
    return report_failure("eglMakeCurrent");
  return true;
}

void fill_info(ContextInfo* info) {
  if (!info) return;
  EGLint red = 0, green = 0, blue = 0, depth = 0;
  eglGetConfigAttrib(state.display, state.config, EGL_RED_SIZE, &red);
  eglGetConfigAttrib(state.display, state.config, EGL_GREEN_SIZE, &green);
  eglGetConfigAttrib(state.display, state.config, EGL_BLUE_SIZE, &blue);
  eglGetConfigAttrib(state.display, state.config, EGL_DEPTH_SIZE, &depth);
  info->colour_bits = red + green + blue;
  info->depth_bits = depth;
  info->double_buffer = false;
}

// The display stays initialised for the rest of the process: terminating it
// unloads the driver, and a later context would load it again.
void destroy() {
  if (state.display == EGL_NO_DISPLAY) return;
  eglMakeCurrent(state.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (state.surface != EGL_NO_SURFACE) eglDestroySurface(state.display, state.surface);
  if (state.context != EGL_NO_CONTEXT) eglDestroyContext(state.display, state.context);
  eglReleaseThread();
  state.surface = EGL_NO_SURFACE;
  state.context = EGL_NO_CONTEXT;
}

bool initialise_display() {
  if (state.display != EGL_NO_DISPLAY) return true;
  const EGLDisplay display = open_surfaceless_display();
  if (display == EGL_NO_DISPLAY) return report_failure("eglGetPlatformDisplayEXT");
  if (!eglInitialize(display, nullptr, nullptr)) return report_failure("eglInitialize");
  state.display = display;
  return true;
}

bool create_context(int width, int height, const ContextRequest& request) {
  if (!initialise_display()) return false;
  if (!eglBindAPI(EGL_OPENGL_API)) return report_failure("eglBindAPI");
  if (!choose_config(request)) return false;
  // Version 1.1 with no profile bits: Mesa then gives its highest
  // compatibility-profile version, in which every GL 1.1 call works.
  const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION, 1, EGL_CONTEXT_MINOR_VERSION, 1,
                               EGL_NONE};
  state.context = eglCreateContext(state.display, state.config, EGL_NO_CONTEXT, attributes);
  if (state.context == EGL_NO_CONTEXT) return report_failure("eglCreateContext");
  return make_pbuffer(width, height);
}

bool create(WindowHandle, int width, int height, const ContextRequest& request,
            ContextInfo* info) {
  destroy();
  if (!create_context(width, height, request)) {
    destroy();
    return false;
  }
  fill_info(info);
  return true;
}

void resize(int width, int height) {
  if (state.context == EGL_NO_CONTEXT) return;
  eglMakeCurrent(state.display, EGL_NO_SURFACE, EGL_NO_SURFACE, state.context);
  eglDestroySurface(state.display, state.surface);
  state.surface = EGL_NO_SURFACE;
  make_pbuffer(width, height);
}

// A pbuffer's swap waits for nothing, so frames drawn back to back would pile
// up in the driver (llvmpipe keeps every queued frame's scene in memory while
// its rasterizer threads catch up). Finishing each frame keeps one in flight,
// as a swap paced by the display does.
void swap_buffers() {
  if (state.surface == EGL_NO_SURFACE) return;
  eglSwapBuffers(state.display, state.surface);
  glFinish();
}

}  // namespace

void connect_context(ContextApi& context) {
  context.create = create;
  context.resize = resize;
  context.swap_buffers = swap_buffers;
  context.destroy = destroy;
}

}  // namespace platform::egl
