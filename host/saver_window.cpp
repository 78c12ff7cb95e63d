// The saver's main window procedure and its GL child: start-up, one frame per
// paint, shut-down.
#include "host/saver_window.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstring>

#include "config/option_repair.h"
#include "config/options.h"
#include "host/frame_pacing.h"
#include "host/resolution.h"
#include "host/saver_host.h"
#include "host/saver_steps.h"
#include "platform/platform.h"
#include "utilitylib/random.h"
#include "utilitylib/timer.h"
#include "utilitylib/utility.h"

bool HardwareAccelerated = true;

namespace {

// The string table's caption (string 1) and the 8-bit refusal (string 1019).
const char APP_CAPTION[] = "Orbalune 3D";
const char DESKTOP_256_COLOURS[] =
    "Sorry. Your desktop is set to 256 colors.\n"
    "This screensaver requires at least 16 bits of screen color resolution.\n"
    "Adjust your desktop display properties and try again.\n";
const char CHILD_CLASS_NAME[] = "Orbalune 3D";
const char BANNER_RULE[] = "=============================================================\n";
const int REFUSED_BITS_PER_PIXEL = 8;
// Mouse moves in the first second are the pointer settling, not the user.
const double MOUSE_IGNORED_FOR_S = 1.0;

uint32_t MusicProcessId = 0;

platform::WindowApi& windows() { return platform::api().window; }

// The GL child of the main window, while it exists.
platform::WindowHandle ChildWindow = 0;

void count_usage() {
  COptions::UsageCount.Set(COptions::UsageCount.Get() + 1);
  CUtility::Log("UsageCount = %d\n", COptions::UsageCount.Get());
}

void start_music() {
  if (PreviewMode || !COptions::PlayMusic.Get() || !*COptions::M3uFilename.Get()) return;
  MusicProcessId = Launch_Playlist(COptions::M3uFilename.Get());
}

void stop_music() {
  if (MusicProcessId == 0) return;
  Close_Playlist(MusicProcessId);
  MusicProcessId = 0;
}

// The player may show a window and take the focus; the user has not left
// the saver for it.
bool is_focus_taken_by_player(uintptr_t wparam, intptr_t lparam) {
  return wparam == 0 && MusicProcessId != 0 && uint32_t(lparam) == MusicProcessId;
}

// Only the full-screen saver has the screen to itself. A preview's or a host
// program's window leaves the display's blanking and power saving to that
// program.
void hold_off_screen_blanking(bool hold) {
  if (!PreviewMode && !HostedMode) windows().suspend_screen_blanking(hold);
}

// An 8-bit desktop cannot show the scene; the user is told why and the
// window's creation fails before any GL context exists. A player that was
// already started would otherwise play on with nothing on screen, so it is
// asked to quit as well.
bool refuse_256_colours() {
  platform::api().system.message_box(DESKTOP_256_COLOURS, APP_CAPTION,
                                     platform::MessageBoxIcon::Warning);
  stop_music();
  return false;
}

// A window inside a hosting program's window goes when that program closes
// it, which may happen while the saver is still starting: the saver then
// ends quietly, as when its window is closed later, rather than reporting
// a failure that is nobody's.
bool was_taken_by_host(platform::WindowHandle window) {
  if (windows().is_window(window)) return false;
  CUtility::Log("  the window was closed by its host\n");
  return true;
}

// False when the main window went with its host before the child was made.
bool create_child_window(platform::WindowHandle window) {
  const platform::Size size = windows().client_size(window);
  CUtility::Log("RegisterClass...\n");
  const bool registered =
      windows().register_class(platform::WindowClass{CHILD_CLASS_NAME, ScreenSaverChildProc});
  Check_Api_Result(registered, false, "RegisterClass", windows().last_error());
  CUtility::Log("CreateWindow...\n");
  const platform::WindowHandle child = windows().create_window(platform::WindowCreate{
      CHILD_CLASS_NAME, CHILD_CLASS_NAME, platform::WindowKind::Child, window, 0, 0, size.width,
      size.height});
  if (!child && was_taken_by_host(window)) return false;
  Check_Api_Result(static_cast<intptr_t>(child), 0, "CreateWindow", windows().last_error());
  ChildWindow = child;
  return true;
}

// The GL child keeps covering the main window, which a preview's or a host
// program's window may resize.
void follow_main_window_size(intptr_t lparam) {
  if (!ChildWindow) return;
  windows().resize_window(ChildWindow, platform::Size{platform::lparam_low(lparam),
                                                      platform::lparam_high(lparam)});
}

// The main window's creation; false refuses it.
bool start_saver(platform::WindowHandle window) {
  Init_Application();
  count_usage();
  start_music();
  CUtility::Log("ScreenSaverProc:WM_CREATE\n");
  const platform::Size size = windows().client_size(window);
  CResolution::Set_Window_Dimensions(size.width, size.height);
  CResolution::Init_Screen_Dimensions();
  Init_Locations();
  const int bits_per_pixel = windows().colour_depth(window);
  CUtility::Log("bits_per_pixel = %d\n", bits_per_pixel);
  CResolution::Set_Bits_Per_Pixel(bits_per_pixel);
  if (bits_per_pixel == REFUSED_BITS_PER_PIXEL) return refuse_256_colours();
  hold_off_screen_blanking(true);
  if (create_child_window(window)) return true;
  hold_off_screen_blanking(false);
  stop_music();
  return false;
}

// The window-system calls that make the GL context, in their order.
const char* const CONTEXT_STEPS[] = {"ChoosePixelFormat", "SetPixelFormat",
                                     "DescribePixelFormat", "wglCreateContext",
                                     "wglMakeCurrent"};
const char DESCRIBE_STEP[] = "DescribePixelFormat";

bool is_software_renderer(const char* renderer) {
  return renderer && (strstr(renderer, "llvmpipe") || strstr(renderer, "softpipe") ||
                      strstr(renderer, "swrast") || strstr(renderer, "GDI Generic"));
}

// The pixel format's generic bits where the system has them (Win32). A
// software rasteriser counts as a generic format without acceleration too:
// under Wine, and everywhere on Linux, the chosen format carries neither
// bit while Mesa's software renderer draws.
void log_renderer_kind(const platform::ContextInfo& info) {
  const bool software_renderer =
      is_software_renderer(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
  const bool generic = info.generic_format || software_renderer;
  const bool accelerated = info.generic_accelerated;
  CUtility::Log("  PFD_GENERIC_FORMAT      = %d\n", generic ? 1 : 0);
  CUtility::Log("  PFD_GENERIC_ACCELERATED = %d\n", accelerated ? 1 : 0);
  CUtility::Log("  Swap interval           = %d\n", info.swap_interval);
  if (generic && !accelerated) {
    CUtility::Log("  Software rendering!\n");
    HardwareAccelerated = false;
  }
}

// The backend makes every call at once; the log then tells them in their
// order up to a failing one, with the pixel format's kind after its
// description. False when the window went with its host first.
bool create_gl_context(platform::WindowHandle window) {
  const platform::Size size = windows().client_size(window);
  platform::ContextInfo info{};
  const bool created =
      platform::api().context.create(window, size.width, size.height, {}, &info);
  if (!created && was_taken_by_host(window)) return false;
  const char* failed_call = info.failed_call ? info.failed_call : "wglCreateContext";
  for (const char* step : CONTEXT_STEPS) {
    CUtility::Log("%s...\n", step);
    if (!created && strcmp(step, failed_call) == 0) break;
    if (created && strcmp(step, DESCRIBE_STEP) == 0) log_renderer_kind(info);
  }
  Check_Api_Result(created, false, failed_call, info.error);
  Start_Frame_Pacing(info.swap_interval, windows().refresh_rate());
  return true;
}

void log_gl_strings() {
  CUtility::Log("Vendor    = %s\n", reinterpret_cast<const char*>(glGetString(GL_VENDOR)));
  CUtility::Log("Renderer  = %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
  CUtility::Log("Version   = %s\n", reinterpret_cast<const char*>(glGetString(GL_VERSION)));
}

bool create_child(platform::WindowHandle window) {
  CUtility::Log("ScreenSaverChildProc:WM_CREATE\n");
  if (!create_gl_context(window)) return false;
  Start_Texture_Worker();
  log_gl_strings();
  Init_Frame_Driver();
  windows().invalidate(window);
  CTimer::Init();
  CTimer::Set_Time_Acceleration(COptions::FactorTimeAcceleration.Get());
  return true;
}

void resize_child(intptr_t lparam) {
  CUtility::Log("ScreenSaverChildProc:WM_SIZE\n");
  const int width = platform::lparam_low(lparam);
  const int height = platform::lparam_high(lparam);
  CResolution::Set_Window_Dimensions(width, height);
  platform::api().context.resize(width, height);
  Resize_Frame_Driver();
}

// One frame; the child invalidates itself at the end, so the next frame
// follows as soon as the queue is empty. Frames run back to back, paced to
// the display (host/frame_pacing.h).
void paint_frame(platform::WindowHandle window) {
  windows().validate(window);
  CTimer::Tick();
  Update_Frame();
  if (platform::api().context.begin_frame()) {
    Render_Frame();
    glFlush();
    platform::api().context.swap_buffers();
  }
  Pace_Frame();
  windows().invalidate(window);
}

void destroy_child() {
  CUtility::Log("ScreenSaverChildProc:WM_DESTROY\n");
  ChildWindow = 0;
  Stop_Texture_Worker();
  Delete_Scene_Objects();
  Close_Frame_Driver();
  Free_Unused_Texture_Buffers();
  stop_music();
  hold_off_screen_blanking(false);
  platform::api().context.destroy();
  windows().post_quit_message(0);
  CUtility::Log("  %u frames rendered\n", CTimer::Get_Frame_Count());
  CUtility::Log("  Sample framerate  = %5.2f fps\n", CTimer::Get_Sample_Frame_Rate());
  CUtility::Log("  Average framerate = %5.2f fps\n", CTimer::Get_Average_Frame_Rate());
}

}  // namespace

void Init_Application() {
  CUtility::Set_Logging(COptions::ReleaseLogging.Get());
  CUtility::Log("%s", BANNER_RULE);
  CUtility::Log("Logfile for Orbalune 3D by Vantrel\n");
  CUtility::Log("%s", BANNER_RULE);
  CUtility::Log_System_Data();
  CUtility::Log_Os_Data();
  CUtility::Log_Module_Data();
  COptions::Dump_To_Logfile();
  CUtility::Log("Seeding rand\n");
  Rand_Seed(platform::api().clock.time_get_time());
  Repair_Options();
}

void Check_Api_Result(intptr_t result, intptr_t failure_value, const char* function_name,
                      uint32_t error_code) {
  ASSERT(function_name != NULL);
  if (result != failure_value) return;
  char text[256];
  snprintf(text, sizeof text, "%s failed: Error %u.", function_name, error_code);
  CUtility::Log("%s\n", text);
  platform::api().system.message_box(text, APP_CAPTION, platform::MessageBoxIcon::Error);
  platform::exit_process(1);
}

intptr_t ScreenSaverProc(platform::WindowHandle window, uint32_t message, uintptr_t wparam,
                         intptr_t lparam) {
  switch (message) {
    case platform::WM_CREATE:
      if (!start_saver(window)) return -1;
      break;
    case platform::WM_SIZE:
      follow_main_window_size(lparam);
      break;
    case platform::WM_KEYDOWN:
      if (!HostedMode && (wparam == platform::VK_F1 || wparam == platform::VK_F)) {
        Launch_Configuration();
      }
      break;
    case platform::WM_ACTIVATEAPP:
      if (is_focus_taken_by_player(wparam, lparam)) return 0;
      break;
    case platform::WM_SYSCOMMAND:
      // The saver is already running, and the monitor stays powered while it shows.
      if (wparam == platform::SC_SCREENSAVE) {
        CUtility::Log("ScreenSaverChildProc:SC_SCREENSAVE\n");
        return 0;
      }
      if (wparam == platform::SC_MONITORPOWER) {
        CUtility::Log("ScreenSaverChildProc:SC_MONITORPOWER\n");
        return 0;
      }
      break;
    default:
      break;
  }
  return ScreenSaverDefaultProc(window, message, wparam, lparam);
}

intptr_t ScreenSaverChildProc(platform::WindowHandle window, uint32_t message,
                              uintptr_t wparam, intptr_t lparam) {
  switch (message) {
    case platform::WM_CREATE:
      return create_child(window) ? 0 : -1;
    case platform::WM_DESTROY:
      destroy_child();
      return 0;
    case platform::WM_SIZE:
      resize_child(lparam);
      return 0;
    case platform::WM_PAINT:
      paint_frame(window);
      return 0;
    case platform::WM_MOUSEMOVE:
      if (CTimer::Get_Elapsed_Time_S() < MOUSE_IGNORED_FOR_S) return 0;
      break;
    default:
      break;
  }
  return ScreenSaverDefaultProc(window, message, wparam, lparam);
}
