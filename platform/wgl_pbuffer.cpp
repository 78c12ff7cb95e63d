// Offscreen WGL contexts behind platform::ContextApi: a pbuffer of the
// requested size (WGL_ARB_pbuffer), what Headless uses on Windows.
//
// Implemented: a hidden helper window whose context finds the extension's
// functions, a pbuffer format with the deepest depth buffer up to the
// requested one, the context made current on the pbuffer, resize by
// replacing the pbuffer, glReadPixels from it.
// Missing: double buffering (a pbuffer has one colour buffer, so
// swap_buffers only flushes and the picture stays readable after it).
#include <windows.h>

#include <GL/gl.h>
#include <GL/wglext.h>

#include "platform/gl_context.h"

namespace platform::wgl {
namespace {

const char HELPER_CLASS[] = "Orbalune 3D offscreen";

struct Extension {
  PFNWGLCHOOSEPIXELFORMATARBPROC choose_pixel_format = nullptr;
  PFNWGLCREATEPBUFFERARBPROC create_pbuffer = nullptr;
  PFNWGLGETPBUFFERDCARBPROC get_pbuffer_dc = nullptr;
  PFNWGLRELEASEPBUFFERDCARBPROC release_pbuffer_dc = nullptr;
  PFNWGLDESTROYPBUFFERARBPROC destroy_pbuffer = nullptr;
};

struct PbufferState {
  HWND helper = nullptr;
  HDC helper_dc = nullptr;
  Extension extension;
  int format = 0;
  HPBUFFERARB pbuffer = nullptr;
  HDC dc = nullptr;
  HGLRC context = nullptr;
};

PbufferState state;

bool fail(ContextInfo* info, const char* call) {
  if (info) {
    info->failed_call = call;
    info->error = GetLastError();
  }
  return false;
}

template <typename Function>
Function proc_address(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(wglGetProcAddress(name)));
}

bool open_helper_window() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA helper_class{};
  helper_class.style = CS_OWNDC;
  helper_class.lpfnWndProc = DefWindowProcA;
  helper_class.hInstance = instance;
  helper_class.lpszClassName = HELPER_CLASS;
  RegisterClassA(&helper_class);  // fails harmlessly when already registered
  state.helper = CreateWindowExA(0, HELPER_CLASS, HELPER_CLASS, WS_POPUP, 0, 0, 1, 1, nullptr,
                                 nullptr, instance, nullptr);
  state.helper_dc = state.helper ? GetDC(state.helper) : nullptr;
  return state.helper_dc != nullptr;
}

// A context on the helper window is what makes wglGetProcAddress answer.
bool load_extension(ContextInfo* info) {
  PIXELFORMATDESCRIPTOR format{};
  format.nSize = sizeof format;
  format.nVersion = 1;
  format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
  format.iPixelType = PFD_TYPE_RGBA;
  format.cColorBits = 24;
  const int chosen = ChoosePixelFormat(state.helper_dc, &format);
  if (!chosen || !SetPixelFormat(state.helper_dc, chosen, &format)) {
    return fail(info, "SetPixelFormat");
  }
  HGLRC helper_context = wglCreateContext(state.helper_dc);
  if (!helper_context || !wglMakeCurrent(state.helper_dc, helper_context)) {
    if (helper_context) wglDeleteContext(helper_context);
    return fail(info, "wglCreateContext");
  }
  Extension& extension = state.extension;
  extension.choose_pixel_format =
      proc_address<PFNWGLCHOOSEPIXELFORMATARBPROC>("wglChoosePixelFormatARB");
  extension.create_pbuffer = proc_address<PFNWGLCREATEPBUFFERARBPROC>("wglCreatePbufferARB");
  extension.get_pbuffer_dc = proc_address<PFNWGLGETPBUFFERDCARBPROC>("wglGetPbufferDCARB");
  extension.release_pbuffer_dc =
      proc_address<PFNWGLRELEASEPBUFFERDCARBPROC>("wglReleasePbufferDCARB");
  extension.destroy_pbuffer = proc_address<PFNWGLDESTROYPBUFFERARBPROC>("wglDestroyPbufferARB");
  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(helper_context);
  if (!extension.choose_pixel_format || !extension.create_pbuffer ||
      !extension.get_pbuffer_dc || !extension.release_pbuffer_dc ||
      !extension.destroy_pbuffer) {
    return fail(info, "wglGetProcAddress");
  }
  return true;
}

// The deepest depth buffer up to the requested size among pbuffer formats.
bool choose_format(const ContextRequest& request, ContextInfo* info) {
  const int channel_bits = request.colour_bits >= 24 ? 8 : 5;
  for (int depth = request.depth_bits; depth >= 16; depth -= 8) {
    const int attributes[] = {WGL_DRAW_TO_PBUFFER_ARB, TRUE, WGL_SUPPORT_OPENGL_ARB, TRUE,
                              WGL_PIXEL_TYPE_ARB, WGL_TYPE_RGBA_ARB,
                              WGL_RED_BITS_ARB, channel_bits, WGL_GREEN_BITS_ARB, channel_bits,
                              WGL_BLUE_BITS_ARB, channel_bits, WGL_DEPTH_BITS_ARB, depth, 0};
    UINT count = 0;
    if (state.extension.choose_pixel_format(state.helper_dc, attributes, nullptr, 1,
                                            &state.format, &count) &&
        count > 0) {
      return true;
    }
  }
  return fail(info, "ChoosePixelFormat");
}

void release_pbuffer() {
  if (state.dc) state.extension.release_pbuffer_dc(state.pbuffer, state.dc);
  if (state.pbuffer) state.extension.destroy_pbuffer(state.pbuffer);
  state.dc = nullptr;
  state.pbuffer = nullptr;
}

bool make_pbuffer(int width, int height, ContextInfo* info) {
  const int no_attributes[] = {0};
  state.pbuffer = state.extension.create_pbuffer(state.helper_dc, state.format,
                                                 width > 0 ? width : 1, height > 0 ? height : 1,
                                                 no_attributes);
  if (!state.pbuffer) return fail(info, "wglCreatePbufferARB");
  state.dc = state.extension.get_pbuffer_dc(state.pbuffer);
  if (!state.dc) return fail(info, "wglGetPbufferDCARB");
  return true;
}

void fill_info(ContextInfo* info) {
  if (!info) return;
  PIXELFORMATDESCRIPTOR format{};
  DescribePixelFormat(state.dc, state.format, sizeof format, &format);
  info->colour_bits = format.cColorBits;
  info->depth_bits = format.cDepthBits;
  info->double_buffer = false;
  info->generic_format = (format.dwFlags & PFD_GENERIC_FORMAT) != 0;
  info->generic_accelerated = (format.dwFlags & PFD_GENERIC_ACCELERATED) != 0;
}

void destroy() {
  if (state.context) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(state.context);
  }
  release_pbuffer();
  if (state.helper_dc) ReleaseDC(state.helper, state.helper_dc);
  if (state.helper) DestroyWindow(state.helper);
  state = PbufferState{};
}

bool create_offscreen(int width, int height, const ContextRequest& request, ContextInfo* info) {
  if (!open_helper_window()) return fail(info, "CreateWindow");
  if (!load_extension(info) || !choose_format(request, info) ||
      !make_pbuffer(width, height, info)) {
    return false;
  }
  state.context = wglCreateContext(state.dc);
  if (!state.context) return fail(info, "wglCreateContext");
  if (!wglMakeCurrent(state.dc, state.context)) return fail(info, "wglMakeCurrent");
  fill_info(info);
  return true;
}

bool create(WindowHandle, int width, int height, const ContextRequest& request,
            ContextInfo* info) {
  destroy();
  if (create_offscreen(width, height, request, info)) return true;
  destroy();
  return false;
}

// A context moves to any drawable of its pixel format.
void resize(int width, int height) {
  if (!state.context) return;
  wglMakeCurrent(nullptr, nullptr);
  release_pbuffer();
  if (make_pbuffer(width, height, nullptr)) wglMakeCurrent(state.dc, state.context);
}

void swap_buffers() {
  if (state.context) glFlush();
}

}  // namespace

void connect_pbuffer_context(ContextApi& context) {
  context.create = create;
  context.resize = resize;
  context.swap_buffers = swap_buffers;
  context.destroy = destroy;
}

}  // namespace platform::wgl
