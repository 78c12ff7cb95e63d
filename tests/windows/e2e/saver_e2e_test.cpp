// orbalune3d.scr end to end under Wine: the full-screen window and its close
// rules, the preview inside a window of this program, a second start, the
// switches without a window, and the options under the real registry key.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/temp_folder.h"

namespace {

const char OPTIONS_KEY[] = "Software\\Vantrel\\Orbalune 3D";
const char SAVER_CLASS[] = "WindowsScreenSaverClass";
const double START_TIMEOUT_S = 30;
const double END_TIMEOUT_S = 30;
// Past the first second, when the GL child starts passing mouse moves on.
const double SETTLED_S = 2.5;
// The shut-down's log lines, in their order.
const std::vector<std::string> SHUT_DOWN_LINES = {
    "ScreenSaverChildProc:WM_DESTROY\n", "CTextureMgr::Close\n", "CSmartObjectMgr::Close\n",
    "CRender::Close\n", "CCloudLayer::Prevent_Memory_Leak\n",
    "CSpaceBackdrop::Prevent_Memory_Leak\n", " frames rendered\n", "  Sample framerate  = ",
    "  Average framerate = "};

void Set_Word(const char* name, DWORD value) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, OPTIONS_KEY, 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
}

// The log as text: written in text mode, its lines end with CR LF here.
std::string Log_Text() {
  const char* home = getenv("ORBALUNE3D_HOME");
  std::string text = read_file(std::string(home ? home : ".") + "/_vantrel_ob3d.txt");
  std::erase(text, '\r');
  return text;
}

// The number in "  <n> frames rendered", or -1.
long Frames_Rendered(const std::string& log) {
  const size_t end = log.find(" frames rendered\n");
  if (end == std::string::npos) return -1;
  const size_t start = log.rfind('\n', end);
  return strtol(log.c_str() + (start == std::string::npos ? 0 : start + 1), nullptr, 10);
}

bool In_Order(const std::string& text, const std::vector<std::string>& lines) {
  size_t at = 0;
  for (const std::string& line : lines) {
    at = text.find(line, at);
    if (at == std::string::npos) return false;
    at += line.size();
  }
  return true;
}

HWND Wait_For_Full_Screen_Window() {
  HWND window = nullptr;
  eventually([&] { return (window = FindWindowA(SAVER_CLASS, "Screen Saver")) != nullptr; },
             START_TIMEOUT_S);
  return window;
}

// A saver process with logging on, in a fresh program folder.
class SaverE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteKeyA(HKEY_CURRENT_USER, OPTIONS_KEY);
    Set_Word("ReleaseLogging", 1);
  }
  void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, OPTIONS_KEY); }

  // Starts /s and waits for its window and its first seconds of frames.
  HWND Start_Full_Screen(std::unique_ptr<RunningProgram>* saver) {
    *saver = std::make_unique<RunningProgram>(program_argv({"/s"}), Environment{});
    const HWND window = Wait_For_Full_Screen_Window();
    pause_seconds(SETTLED_S);
    return window;
  }

  // A key as the saver would get it from the keyboard.
  static void Press_Key(HWND window) { PostMessageA(window, WM_KEYDOWN, 'A', 1); }

  // Moves the pointer by (dx, dy) and gives the saver time to see it.
  static void Move_Pointer(int dx, int dy) {
    POINT at{};
    GetCursorPos(&at);
    SetCursorPos(at.x + dx, at.y + dy);
    pause_seconds(1.0);
  }
};

TEST_F(SaverE2eTest, FullScreenIsATopMostPopupOverTheScreenThatDrawsAndClosesOnAKey) {
  std::unique_ptr<RunningProgram> saver;
  const HWND window = Start_Full_Screen(&saver);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & WS_POPUP);
  EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT rect{};
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(rect.bottom, GetSystemMetrics(SM_CYSCREEN));
  Press_Key(window);
  const ProgramResult result = saver->finish(END_TIMEOUT_S);
  EXPECT_FALSE(result.timed_out);
  EXPECT_EQ(result.exit_code, 0);
  const std::string log = Log_Text();
  EXPECT_GT(Frames_Rendered(log), 0) << log;
  EXPECT_TRUE(In_Order(log, SHUT_DOWN_LINES)) << log;
}

TEST_F(SaverE2eTest, MouseMovesOf3Then2PixelsCloseIt) {
  std::unique_ptr<RunningProgram> saver;
  ASSERT_NE(Start_Full_Screen(&saver), nullptr);
  Move_Pointer(3, 0);
  EXPECT_FALSE(saver->wait(0.5)) << "3 pixels are not enough";
  Move_Pointer(0, 2);
  EXPECT_TRUE(saver->wait(END_TIMEOUT_S)) << "5 pixels in all are";
  EXPECT_EQ(saver->finish(0).exit_code, 0);
}

TEST_F(SaverE2eTest, OneMouseMoveOf4PixelsDoesNotCloseIt) {
  std::unique_ptr<RunningProgram> saver;
  const HWND window = Start_Full_Screen(&saver);
  ASSERT_NE(window, nullptr);
  Move_Pointer(4, 0);
  EXPECT_FALSE(saver->wait(1.0));
  Press_Key(window);
  EXPECT_EQ(saver->finish(END_TIMEOUT_S).exit_code, 0);
}

TEST_F(SaverE2eTest, ASecondFullScreenStartEndsAtOnceWith0) {
  std::unique_ptr<RunningProgram> first;
  const HWND window = Start_Full_Screen(&first);
  ASSERT_NE(window, nullptr);
  const ProgramResult second = run_program(program_argv({"/s"}), {}, END_TIMEOUT_S);
  EXPECT_FALSE(second.timed_out);
  EXPECT_EQ(second.exit_code, 0);
  EXPECT_FALSE(first->wait(0.5)) << "the first one runs on";
  Press_Key(window);
  EXPECT_EQ(first->finish(END_TIMEOUT_S).exit_code, 0);
}

// The preview's window is a child of this program's window, so this thread
// must go on answering messages (the child's creation and painting wait
// for it) while it waits.
void Pump_Messages_For(double seconds) {
  const DWORD end = GetTickCount() + DWORD(seconds * 1000);
  MSG message;
  while (int(end - GetTickCount()) > 0) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(10);
  }
}

HWND Wait_For_Preview(HWND host) {
  for (int i = 0; i < int(START_TIMEOUT_S * 10); ++i) {
    if (HWND preview = FindWindowExA(host, nullptr, SAVER_CLASS, "Preview")) return preview;
    Pump_Messages_For(0.1);
  }
  return nullptr;
}

TEST_F(SaverE2eTest, PreviewDrawsInsideTheGivenWindowAndIgnoresInput) {
  const HWND host = CreateWindowExA(0, "STATIC", "preview host", WS_POPUP | WS_VISIBLE, 100, 100,
                                    152, 112, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(host, nullptr);
  const std::string id = std::to_string(reinterpret_cast<uintptr_t>(host));
  RunningProgram saver(program_argv({"/p", id}), {});
  const HWND preview = Wait_For_Preview(host);
  ASSERT_NE(preview, nullptr);
  RECT client{};
  GetClientRect(preview, &client);
  EXPECT_EQ(client.right, 152);
  EXPECT_EQ(client.bottom, 112);
  Pump_Messages_For(SETTLED_S);
  PostMessageA(preview, WM_KEYDOWN, 'A', 1);
  PostMessageA(preview, WM_LBUTTONDOWN, 0, 0);
  Pump_Messages_For(1.0);
  EXPECT_FALSE(saver.wait(0)) << "no input ends a preview";
  // Closed as the display settings close it: the window that shows it goes
  // away, and the saver still runs its own shut-down.
  DestroyWindow(host);
  const ProgramResult result = saver.finish(END_TIMEOUT_S);
  EXPECT_FALSE(result.timed_out);
  EXPECT_EQ(result.exit_code, 0) << result.err;
  const std::string log = Log_Text();
  EXPECT_GT(Frames_Rendered(log), 0) << log;
  EXPECT_TRUE(In_Order(log, SHUT_DOWN_LINES)) << log;
}

TEST_F(SaverE2eTest, UnknownSwitchesAndPreviewsWithoutAWindowEndWithMinus1) {
  const DWORD MINUS_1 = 0xFFFFFFFF;
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{"/x"}, {"/p"}, {"/p", "0"}, {"/p", "12345"}}) {
    const ProgramResult result = run_program(program_argv(arguments), {}, END_TIMEOUT_S);
    EXPECT_EQ(DWORD(result.exit_code), MINUS_1) << arguments.back();
  }
}

// The NT family locks the screen itself, so it has no saver password to change.
TEST_F(SaverE2eTest, PasswordChangeEndsWithMinus1OnNt) {
  const ProgramResult result = run_program(program_argv({"/a", "0"}), {}, END_TIMEOUT_S);
  EXPECT_EQ(DWORD(result.exit_code), 0xFFFFFFFF) << result.err;
}

// Part of "reg query"'s answer: "    Name    REG_DWORD    0x1".
std::string Reg_Query_Line(const std::string& output, const std::string& name) {
  const size_t at = output.find("    " + name + "    ");
  if (at == std::string::npos) return "";
  const size_t end = output.find_first_of("\r\n", at);
  return output.substr(at + 4, end - at - 4);
}

TEST_F(SaverE2eTest, OneStartStoresEveryOptionWithItsDefaultAndTheNextStartSeesAChange) {
  RegDeleteKeyA(HKEY_CURRENT_USER, OPTIONS_KEY);
  ASSERT_EQ(run_program(program_argv({"/x"}), {}, END_TIMEOUT_S).exit_code, -1);
  const ProgramResult query =
      run_program({"reg", "query", std::string("HKCU\\") + OPTIONS_KEY}, {}, END_TIMEOUT_S);
  ASSERT_EQ(query.exit_code, 0) << query.err;
  // Every option with its default, as "reg query" shows them, and
  // nothing else under the key.
  const std::vector<std::string> defaults = {
      "ShowEarth    REG_DWORD    0x1", "ShowSun    REG_DWORD    0x1",
      "ShowMoon    REG_DWORD    0x1", "ShowNebulae    REG_DWORD    0x1",
      "ShowStars    REG_DWORD    0x1", "ShowClouds    REG_DWORD    0x1",
      "ShowAtmosphere    REG_DWORD    0x1", "ShowLensFlare    REG_DWORD    0x1",
      "ShowLatLong    REG_DWORD    0x0", "ShowLines    REG_DWORD    0x0",
      "ShowLabel    REG_DWORD    0x0", "ShowLocalTime    REG_DWORD    0x0",
      "ShowUniversalTime    REG_DWORD    0x1", "ShowCities    REG_DWORD    0x1",
      "ShowCityNames    REG_DWORD    0x0", "ShowStateNames    REG_DWORD    0x0",
      "ShowCountryNames    REG_DWORD    0x0", "PixelAlignedText    REG_DWORD    0x0",
      "ShowFramerate    REG_DWORD    0x0", "IsEarthTransparent    REG_DWORD    0x0",
      "RotateEast    REG_DWORD    0x1", "UseDaylightCompensation    REG_DWORD    0x1",
      "ReleaseLogging    REG_DWORD    0x0", "PlayMusic    REG_DWORD    0x0",
      "FactorBodySize    REG_DWORD    0x3ea8f5c3", "FactorCameraFov    REG_DWORD    0x3f333333",
      "FactorCameraRotationSpeed    REG_DWORD    0x3e333333",
      "FactorDarkSideBrightness    REG_DWORD    0x3e6b851f",
      "FactorCitiesPersistence    REG_DWORD    0x3f59999a",
      "FactorTimeAcceleration    REG_DWORD    0x0", "SunColorEnum    REG_DWORD    0x2",
      "NebulaColorEnum    REG_DWORD    0x2", "CustomSunColor    REG_DWORD    0xffffff",
      "CustomNebulaColor    REG_DWORD    0x660000", "CurrentConfigureSheet    REG_DWORD    0x0",
      "VersionMajor    REG_DWORD    0x3", "VersionMinor    REG_DWORD    0x0",
      "GeoLocationCrc    REG_DWORD    0x0", "UsageCount    REG_DWORD    0x0",
      "MinCloudQuantity    REG_DWORD    0x28", "MinNebulaeQuantity    REG_DWORD    0x28",
      "BailCountdownS    REG_DWORD    0x0", "CitiesHeading    REG_SZ    ",
      "M3uFilename    REG_SZ    ", "AppDir    REG_SZ    "};
  size_t values = 0;
  for (size_t at = query.out.find("    REG_"); at != std::string::npos;
       at = query.out.find("    REG_", at + 1)) {
    ++values;
  }
  EXPECT_EQ(values, defaults.size()) << query.out;
  for (const std::string& expected : defaults) {
    const std::string name = expected.substr(0, expected.find(' '));
    EXPECT_EQ(Reg_Query_Line(query.out, name), expected) << query.out;
  }
  // The next start reads what was stored: logging switched on by hand.
  ASSERT_EQ(run_program({"reg", "add", std::string("HKCU\\") + OPTIONS_KEY, "/v",
                         "ReleaseLogging", "/t", "REG_DWORD", "/d", "1", "/f"},
                        {}, END_TIMEOUT_S)
                .exit_code,
            0);
  std::unique_ptr<RunningProgram> saver;
  const HWND window = Start_Full_Screen(&saver);
  ASSERT_NE(window, nullptr);
  Press_Key(window);
  EXPECT_EQ(saver->finish(END_TIMEOUT_S).exit_code, 0);
  EXPECT_NE(Log_Text().find("  ReleaseLogging:             1\n"), std::string::npos)
      << Log_Text();
}

}  // namespace
