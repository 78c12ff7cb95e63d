// WGL contexts on a Win32 window behind platform::ContextApi.
//
// Implemented: the pixel format request of the saver's GL window (RGBA, 24
// colour bits, 32 depth bits, double buffered, flags 0x1025), its choice,
// setting and description, the generic and generic-accelerated bits of the
// chosen format, context creation and binding, buffer swaps paced to the
// display (a swap interval of 1 through WGL_EXT_swap_control where the
// driver has it; 0 when unpaced frames are asked for). A failed call is
// reported by its Win32 name with GetLastError.
#include <windows.h>

#include <GL/gl.h>

#include <sstream>
#include <string>

#include "platform/gl_context.h"
#include "platform/unpaced_switch.h"

namespace platform::wgl {
namespace {

struct ContextState {
  HWND window = nullptr;
  HDC dc = nullptr;
  HGLRC context = nullptr;
};

ContextState state;

// What the saver asks for; every field not named stays 0 (no alpha,
// accumulation, stencil or auxiliary buffers).
PIXELFORMATDESCRIPTOR pixel_format_request(const ContextRequest& request) {
  PIXELFORMATDESCRIPTOR request_format{};
  request_format.nSize = sizeof request_format;
  request_format.nVersion = 1;
  request_format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_GENERIC_ACCELERATED |
                           (request.double_buffer ? PFD_DOUBLEBUFFER : 0);
  request_format.iPixelType = PFD_TYPE_RGBA;
  request_format.cColorBits = BYTE(request.colour_bits);
  request_format.cDepthBits = BYTE(request.depth_bits);
  return request_format;
}

bool fail(ContextInfo* info, const char* call) {
  if (info) {
    info->failed_call = call;
    info->error = GetLastError();
  }
  return false;
}

void fill_info(const PIXELFORMATDESCRIPTOR& chosen, ContextInfo* info) {
  if (!info) return;
  info->colour_bits = chosen.cColorBits;
  info->depth_bits = chosen.cDepthBits;
  info->double_buffer = (chosen.dwFlags & PFD_DOUBLEBUFFER) != 0;
  info->generic_format = (chosen.dwFlags & PFD_GENERIC_FORMAT) != 0;
  info->generic_accelerated = (chosen.dwFlags & PFD_GENERIC_ACCELERATED) != 0;
}

using GetExtensionsStringArb = const char*(WINAPI*)(HDC);
using GetExtensionsStringExt = const char*(WINAPI*)();
using SwapIntervalExt = BOOL(WINAPI*)(int);

template <typename Function>
Function wgl_function(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(wglGetProcAddress(name)));
}

// The driver's WGL extensions: through either query function, else (older
// drivers) among the GL extensions of the current context.
std::string wgl_extensions(HDC dc) {
  const char* listed = nullptr;
  if (auto arb = wgl_function<GetExtensionsStringArb>("wglGetExtensionsStringARB")) {
    listed = arb(dc);
  } else if (auto ext = wgl_function<GetExtensionsStringExt>("wglGetExtensionsStringEXT")) {
    listed = ext();
  } else {
    listed = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  }
  return listed ? listed : "";
}

bool lists_word(const std::string& words, const char* wanted) {
  std::istringstream stream(words);
  std::string word;
  while (stream >> word) {
    if (word == wanted) return true;
  }
  return false;
}

// Asks the swap to wait for one vertical blank (none for unpaced frames);
// returns the interval in force: 0 when the driver cannot pace swaps.
int set_swap_interval(HDC dc) {
  if (!lists_word(wgl_extensions(dc), "WGL_EXT_swap_control")) return 0;
  const auto set_interval = wgl_function<SwapIntervalExt>("wglSwapIntervalEXT");
  if (!set_interval) return 0;
  const int wanted = unpaced_requested() ? 0 : 1;
  return set_interval(wanted) ? wanted : 0;
}

void destroy() {
  if (state.context) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(state.context);
  }
  if (state.dc) ReleaseDC(state.window, state.dc);
  state = ContextState{};
}

// The steps in the order the saver logs them.
bool create_on_window(const ContextRequest& request, ContextInfo* info) {
  PIXELFORMATDESCRIPTOR format = pixel_format_request(request);
  const int chosen = ChoosePixelFormat(state.dc, &format);
  if (chosen == 0) return fail(info, "ChoosePixelFormat");
  if (!SetPixelFormat(state.dc, chosen, &format)) return fail(info, "SetPixelFormat");
  if (!DescribePixelFormat(state.dc, chosen, sizeof format, &format)) {
    return fail(info, "DescribePixelFormat");
  }
  fill_info(format, info);
  state.context = wglCreateContext(state.dc);
  if (!state.context) return fail(info, "wglCreateContext");
  if (!wglMakeCurrent(state.dc, state.context)) return fail(info, "wglMakeCurrent");
  if (info) info->swap_interval = set_swap_interval(state.dc);
  return true;
}

bool create(WindowHandle window, int, int, const ContextRequest& request, ContextInfo* info) {
  destroy();
  state.window = reinterpret_cast<HWND>(window);
  state.dc = GetDC(state.window);
  if (!state.dc) return fail(info, "GetDC");
  if (create_on_window(request, info)) return true;
  const DWORD error = GetLastError();
  destroy();
  SetLastError(error);
  return false;
}

// The window's size is the drawable's: nothing to follow.
void resize(int, int) {}

void swap_buffers() {
  if (state.dc) SwapBuffers(state.dc);
}

}  // namespace

void connect_window_context(ContextApi& context) {
  context.create = create;
  context.resize = resize;
  context.swap_buffers = swap_buffers;
  context.destroy = destroy;
}

}  // namespace platform::wgl
