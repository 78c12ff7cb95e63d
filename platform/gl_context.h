// GL contexts: GLX on an X11 window, EGL (surfaceless) offscreen.
#pragma once

#include <cstdint>

namespace platform {

// A backend's window as portable code sees it (an X11 Window id, an HWND, or
// a headless window number).
using WindowHandle = uintptr_t;

struct ContextRequest {
  int colour_bits = 24;   // RGBA, no alpha asked for
  int depth_bits = 32;    // or the deepest the system offers
  bool double_buffer = true;
};

struct ContextInfo {
  int colour_bits;
  int depth_bits;
  bool double_buffer;
  // Frames wait for this many vertical blanks at the swap (0: unpaced).
  int swap_interval = 0;
  // Win32: the chosen pixel format's PFD_GENERIC_FORMAT (Microsoft's
  // software implementation) and PFD_GENERIC_ACCELERATED bits. Systems
  // without pixel-format descriptors leave both false.
  bool generic_format = false;
  bool generic_accelerated = false;
  // On failure: the step that failed, named as the Win32 call it stands for
  // ("ChoosePixelFormat", "wglCreateContext", "wglMakeCurrent"), and the
  // window system's error code.
  const char* failed_call = nullptr;
  uint32_t error = 0;
};

struct ContextApi {
  // Creates a context for the window (headless: an offscreen framebuffer of
  // width x height), makes it current and fills info. False on failure.
  bool (*create)(WindowHandle window, int width, int height,
                 const ContextRequest& request, ContextInfo* info);
  // Offscreen only: follows a resize of the headless window.
  void (*resize)(int width, int height);
  // Called before a frame is drawn: false when the window is gone and the
  // frame must not be drawn. A true answer is followed by swap_buffers,
  // which ends the frame. Only backends whose window can vanish mid-frame
  // need more than the default.
  bool (*begin_frame)() = [] { return true; };
  void (*swap_buffers)();
  // Releases the context from the thread and deletes it.
  void (*destroy)();
};

namespace egl {
// Offscreen contexts on Mesa's surfaceless EGL platform: desktop GL in the
// compatibility profile, rendering into a pbuffer of the requested size.
void connect_context(ContextApi& context);
}  // namespace egl

namespace wgl {
// Contexts on a Win32 window's device context (wgl_context.cpp).
void connect_window_context(ContextApi& context);
// Offscreen contexts: a WGL pbuffer of the requested size (wgl_pbuffer.cpp).
void connect_pbuffer_context(ContextApi& context);
}  // namespace wgl

}  // namespace platform
