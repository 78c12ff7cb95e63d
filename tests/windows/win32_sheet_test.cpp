// The Win32 settings sheet run in this process through platform::api():
// its pages, buttons, owner and start page, the page events as the sheet
// shows, switches and closes its pages, and tasks run on its thread.
#include <gtest/gtest.h>

#include "platform/platform.h"  // before <windows.h>: see platform/window.h

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

using platform::ControlKind;
using platform::DialogControls;
using platform::DialogEvent;

const char CAPTION[] = "Sheet Test";
constexpr int BOX = 100;

// A page with one check box that records its events.
class RecordingPage : public platform::DialogPage {
 public:
  explicit RecordingPage(const char* title)
      : page{900, title, {{BOX, ControlKind::CheckBox, "Box", 10, 10, 60, 10}}} {}
  const platform::PageTemplate& Template() const override { return page; }
  void On_Init(DialogControls&) override { initialised = true; }
  void On_Event(DialogControls&, int, DialogEvent event) override { events.push_back(event); }

  platform::PageTemplate page;
  bool initialised = false;
  std::vector<DialogEvent> events;
};

HWND Running_Sheet() { return FindWindowA("#32770", CAPTION); }

std::string Tab_Title(HWND sheet, int index) {
  HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
  char title[64] = {};
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = title;
  item.cchTextMax = sizeof title;
  SendMessageA(tabs, TCM_GETITEMA, WPARAM(index), reinterpret_cast<LPARAM>(&item));
  return title;
}

void Press_Ok(HWND sheet) {
  PostMessageA(sheet, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(sheet, IDOK)));
}

class Win32SheetTest : public ::testing::Test {
 protected:
  void TearDown() override { platform::api().dialog.set_owner(0); }

  // Runs the sheet on this thread with the steps posted as tasks, 100 ms
  // apart, the last one pressing OK.
  bool Run(int start_page, std::vector<std::function<void(HWND)>> steps) {
    auto& dialog = platform::api().dialog;
    const DWORD thread = GetCurrentThreadId();
    for (size_t i = 0; i < steps.size(); ++i) {
      dialog.post_task(int(100 * (i + 1)), [this, thread, step = steps[i]] {
        on_sheet_thread = on_sheet_thread && GetCurrentThreadId() == thread;
        step(Running_Sheet());
      });
    }
    dialog.post_task(int(100 * (steps.size() + 1)), [] { Press_Ok(Running_Sheet()); });
    return dialog.run_property_sheet(CAPTION, {&first, &second}, start_page);
  }

  RecordingPage first{"     First     "};
  RecordingPage second{"     Second     "};
  bool on_sheet_thread = true;
};

TEST_F(Win32SheetTest, ShowsItsPagesWithOkAndHelpOnlyOpeningOnTheStartPage) {
  std::string caption, titles;
  bool ok_shown = false, help_shown = false, cancel_shown = true;
  ASSERT_TRUE(Run(1, {[&](HWND sheet) {
    ASSERT_NE(sheet, nullptr);
    char text[64] = {};
    GetWindowTextA(sheet, text, sizeof text);
    caption = text;
    titles = Tab_Title(sheet, 0) + "|" + Tab_Title(sheet, 1);
    ok_shown = IsWindowVisible(GetDlgItem(sheet, IDOK));
    help_shown = IsWindowVisible(GetDlgItem(sheet, IDHELP));
    HWND cancel = GetDlgItem(sheet, IDCANCEL);
    cancel_shown = cancel && IsWindowVisible(cancel);
  }}));
  EXPECT_TRUE(on_sheet_thread);
  EXPECT_EQ(caption, CAPTION);
  EXPECT_EQ(titles, "     First     |     Second     ") << "blanks kept";
  EXPECT_TRUE(ok_shown);
  EXPECT_TRUE(help_shown);
  EXPECT_FALSE(cancel_shown);
  EXPECT_FALSE(first.initialised) << "a page never shown is never made";
  ASSERT_TRUE(second.initialised);
  EXPECT_EQ(second.events.front(), DialogEvent::PageActivated);
}

TEST_F(Win32SheetTest, SwitchingLeavesOnePageForTheOtherAndOkLeavesAndDestroysBoth) {
  ASSERT_TRUE(Run(0, {[](HWND sheet) { SendMessageA(sheet, PSM_SETCURSEL, 1, 0); },
                      [](HWND sheet) { SendMessageA(sheet, PSM_SETCURSEL, 0, 0); }}));
  const std::vector<DialogEvent> expected_first = {
      DialogEvent::PageActivated, DialogEvent::PageLeft, DialogEvent::PageActivated,
      DialogEvent::PageLeft, DialogEvent::PageDestroyed};
  const std::vector<DialogEvent> expected_second = {
      DialogEvent::PageActivated, DialogEvent::PageLeft, DialogEvent::PageDestroyed};
  EXPECT_EQ(first.events, expected_first);
  EXPECT_EQ(second.events, expected_second);
}

TEST_F(Win32SheetTest, EscapeClosesTheSheetAndStillLeavesTheShownPage) {
  auto& dialog = platform::api().dialog;
  dialog.post_task(100, [] {
    HWND sheet = Running_Sheet();
    PostMessageA(sheet, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  });
  ASSERT_TRUE(dialog.run_property_sheet(CAPTION, {&first, &second}, 0));
  const std::vector<DialogEvent> expected = {DialogEvent::PageActivated, DialogEvent::PageLeft,
                                             DialogEvent::PageDestroyed};
  EXPECT_EQ(first.events, expected);
}

TEST_F(Win32SheetTest, TheOwnerWindowIsDisabledWhileTheSheetShowsAndEnabledAfter) {
  HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(owner, nullptr);
  platform::api().dialog.set_owner(reinterpret_cast<uintptr_t>(owner));
  HWND owned_by = nullptr;
  bool owner_enabled = true;
  ASSERT_TRUE(Run(0, {[&](HWND sheet) {
    owned_by = GetWindow(sheet, GW_OWNER);
    owner_enabled = IsWindowEnabled(owner);
  }}));
  EXPECT_EQ(owned_by, owner);
  EXPECT_FALSE(owner_enabled);
  EXPECT_TRUE(IsWindowEnabled(owner));
  DestroyWindow(owner);
}

// The saver closing on F1 is the foreground window when the settings start.
TEST_F(Win32SheetTest, TheSaversOwnWindowDoesNotOwnTheSheet) {
  WNDCLASSA saver_class{};
  saver_class.lpfnWndProc = DefWindowProcA;
  saver_class.hInstance = GetModuleHandleA(nullptr);
  saver_class.lpszClassName = "WindowsScreenSaverClass";
  RegisterClassA(&saver_class);
  HWND saver = CreateWindowExA(0, saver_class.lpszClassName, "Screen Saver", WS_POPUP | WS_VISIBLE,
                               0, 0, 100, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(saver, nullptr);
  platform::api().dialog.set_owner(reinterpret_cast<uintptr_t>(saver));
  HWND owned_by = saver;
  bool saver_enabled = false;
  ASSERT_TRUE(Run(0, {[&](HWND sheet) {
    owned_by = GetWindow(sheet, GW_OWNER);
    saver_enabled = IsWindowEnabled(saver);
  }}));
  EXPECT_EQ(owned_by, nullptr);
  EXPECT_TRUE(saver_enabled);
  DestroyWindow(saver);
}

TEST_F(Win32SheetTest, ATaskPostedWhileNoSheetRunsWaitsForTheNextSheet) {
  bool ran = false;
  platform::api().dialog.post_task(0, [&] { ran = true; });
  EXPECT_FALSE(ran);
  ASSERT_TRUE(Run(0, {}));
  EXPECT_TRUE(ran);
}

}  // namespace
