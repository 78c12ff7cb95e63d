// orbalune3d.scr under Wine with two monitors side by side, as
// monitors_rig.sh sets them up (with fewer monitors these tests skip): the
// full-screen window covers both, the log lists both views, the swap waits
// for the display, and the picture shows a whole Earth at the centre of each
// monitor, black between them, the local time on the primary monitor only.
// The picture is read from the X window that Wine draws the OpenGL child
// into (monitors_capture.sh): Wine never copies it onto the screen. A new
// mode of the second monitor reaches the running saver, whose views follow.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "e2e/monitors_picture.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

namespace {

using namespace monitors_picture;

const char SAVER_CLASS[] = "WindowsScreenSaverClass";
const double START_TIMEOUT_S = 30;
const double EARTH_TIMEOUT_S = 120;
const double END_TIMEOUT_S = 30;

// The monitors in the virtual desktop's coordinates (its top-left corner
// 0,0), the primary first.
std::vector<RECT> Monitors() {
  struct List {
    POINT origin;
    std::vector<RECT> rects;
  } list{POINT{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN)}, {}};
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, LPRECT, LPARAM address) -> BOOL {
        auto* found = reinterpret_cast<List*>(address);
        MONITORINFO info{};
        info.cbSize = sizeof info;
        GetMonitorInfoA(monitor, &info);
        RECT rect = info.rcMonitor;
        OffsetRect(&rect, -found->origin.x, -found->origin.y);
        const bool primary = info.dwFlags & MONITORINFOF_PRIMARY;
        found->rects.insert(primary ? found->rects.begin() : found->rects.end(), rect);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&list));
  return list.rects;
}

MonitorSize Size_Of(const RECT& rect) {
  return MonitorSize{int(rect.right - rect.left), int(rect.bottom - rect.top)};
}

std::string View_Line(const RECT& rect) {
  char line[80];
  snprintf(line, sizeof line, "  Monitor %ldx%ld at %ld,%ld\n", rect.right - rect.left,
           rect.bottom - rect.top, rect.left, rect.top);
  return line;
}

std::string Log_Text() {
  const char* home = getenv("ORBALUNE3D_HOME");
  return read_text_file(std::string(home ? home : ".") + "/_vantrel_ob3d.txt");
}

// The capture's picture lacks the window's top row and left column; put
// back as black, so that its pixels stand where the window's do.
Screen Restore_Cut_Edges(const Screen& picture, int width, int height) {
  Screen whole{width, height, std::vector<unsigned char>(size_t(width) * height * 3, 0)};
  const int dx = width - picture.width, dy = height - picture.height;
  if (dx < 0 || dy < 0 || picture.bytes.empty()) return Screen{};
  for (int y = 0; y < picture.height; ++y) {
    const auto row = picture.bytes.begin() + ptrdiff_t(y) * picture.width * 3;
    std::copy(row, row + ptrdiff_t(picture.width) * 3,
              whole.bytes.begin() + (ptrdiff_t(y + dy) * width + dx) * 3);
  }
  return whole;
}

// The saver's OpenGL picture, width x height; empty when it could not be read.
Screen Capture(int width, int height) {
  const std::string file = "/tmp/ob3d-monitors-" + std::to_string(GetCurrentProcessId()) + ".ppm";
  const std::string readable = "Z:" + file;
  remove(readable.c_str());
  RunningProgram capture(
      {"/bin/sh", std::string(OB3D_SOURCE_DIR) + "/tests/windows/e2e/monitors_capture.sh", file,
       std::to_string(width), std::to_string(height)},
      {});
  // Wine starts a Linux program without a process to wait for: the file
  // appears when it is done.
  eventually([&] { return file_exists(readable); }, START_TIMEOUT_S);
  const Screen picture = read_ppm(readable);
  remove(readable.c_str());
  return Restore_Cut_Edges(picture, width, height);
}

// The display device of the monitor that is not the primary one ("" when none).
std::string Secondary_Display() {
  DISPLAY_DEVICEA device{};
  device.cb = sizeof device;
  for (DWORD i = 0; EnumDisplayDevicesA(nullptr, i, &device, 0); ++i) {
    if ((device.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP) &&
        !(device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE)) {
      return device.DeviceName;
    }
  }
  return "";
}

LONG Set_Mode(const std::string& display, int width, int height) {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  mode.dmPelsWidth = DWORD(width);
  mode.dmPelsHeight = DWORD(height);
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  return ChangeDisplaySettingsExA(display.c_str(), &mode, nullptr, 0, nullptr);
}

class WineMonitorsE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (GetSystemMetrics(SM_CMONITORS) < 2) {
      GTEST_SKIP() << "one monitor: monitors_rig.sh runs these with two";
    }
    show_earth_alone();
  }
  void TearDown() override { reset_earth_alone(); }
};

TEST_F(WineMonitorsE2eTest, covers_both_monitors_with_a_whole_earth_on_each_clock_on_first) {
  const std::vector<RECT> monitors = Monitors();
  ASSERT_EQ(monitors.size(), 2u);
  const RECT& left = monitors[0];
  const RECT& right = monitors[1];
  ASSERT_EQ(right.left, left.right) << "the rig puts the second monitor right of the first";
  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);

  RunningProgram saver(program_argv({"/s"}), {});
  HWND window = nullptr;
  ASSERT_TRUE(eventually([&] { return (window = FindWindowA(SAVER_CLASS, "Screen Saver")); },
                         START_TIMEOUT_S));
  RECT covered{};
  GetWindowRect(window, &covered);
  EXPECT_EQ(covered.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
  EXPECT_EQ(covered.top, GetSystemMetrics(SM_YVIRTUALSCREEN));
  EXPECT_EQ(covered.right - covered.left, width);
  EXPECT_EQ(covered.bottom - covered.top, height);

  Screen screen;
  bool both = false;
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::duration<double>(EARTH_TIMEOUT_S);
  while (!both && std::chrono::steady_clock::now() < deadline) {
    screen = Capture(width, height);
    both = screen.width == width && shows_earth(screen, left.left, Size_Of(left)) &&
           shows_earth(screen, right.left, Size_Of(right));
  }
  PostMessageA(window, WM_KEYDOWN, 'A', 1);
  const ProgramResult result = saver.finish(END_TIMEOUT_S);
  EXPECT_EQ(result.exit_code, 0);
  const std::string log = Log_Text();
  EXPECT_NE(log.find(View_Line(left)), std::string::npos) << log;
  EXPECT_NE(log.find(View_Line(right)), std::string::npos) << log;
  EXPECT_NE(log.find("Frame pacing: the buffer swap waits for the display (swap interval 1)"),
            std::string::npos)
      << log;
  EXPECT_EQ(log.find("Assert"), std::string::npos) << log;

  ASSERT_EQ(screen.width, width) << "the picture could not be read";
  EXPECT_TRUE(both)
      << describe(disc_at(screen, left.left, Size_Of(left).width, Size_Of(left).height)) << "; "
      << describe(disc_at(screen, right.left, Size_Of(right).width, Size_Of(right).height));
  const int middle = Size_Of(right).height / 2;
  EXPECT_FALSE(screen.lit(right.left - 1, middle));
  EXPECT_FALSE(screen.lit(right.left, middle));
  EXPECT_TRUE(screen.has_cyan(left.left + Size_Of(left).width / 2 - 150, 0, 300,
                              Size_Of(left).height / 10));
  EXPECT_FALSE(screen.has_cyan(right.left, 0, Size_Of(right).width, Size_Of(right).height / 10));
}

// The display change closes the saver under Wine (its pointer rules see
// the change), but not before the saver has laid out its views anew.
TEST_F(WineMonitorsE2eTest, a_new_mode_of_the_second_monitor_changes_its_view) {
  const std::vector<RECT> monitors = Monitors();
  ASSERT_EQ(monitors.size(), 2u);
  const std::string secondary = Secondary_Display();
  ASSERT_FALSE(secondary.empty());
  RunningProgram saver(program_argv({"/s"}), {});
  EXPECT_TRUE(
      eventually([&] { return Log_Text().find(View_Line(monitors[1])) != std::string::npos; },
                 START_TIMEOUT_S))
      << Log_Text();
  const MonitorSize before = Size_Of(monitors[1]);
  ASSERT_EQ(Set_Mode(secondary, 800, 600), DISP_CHANGE_SUCCESSFUL);
  const RECT changed{monitors[1].left, monitors[1].top, monitors[1].left + 800,
                     monitors[1].top + 600};
  EXPECT_TRUE(eventually([&] { return Log_Text().find(View_Line(changed)) != std::string::npos; },
                         START_TIMEOUT_S))
      << Log_Text();
  if (HWND window = FindWindowA(SAVER_CLASS, "Screen Saver")) {
    PostMessageA(window, WM_KEYDOWN, 'A', 1);
  }
  EXPECT_EQ(saver.finish(END_TIMEOUT_S).exit_code, 0);
  Set_Mode(secondary, before.width, before.height);
  EXPECT_EQ(Log_Text().find("Assert"), std::string::npos);
}

}  // namespace
