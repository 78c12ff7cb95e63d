// A settings page under Win32, made in this process from its in-memory
// template: the controls the dialog manager builds from it, and the page
// logic's view of them (events in, DialogControls out).
#include <gtest/gtest.h>

#include "platform/win32_page.h"

#include <commctrl.h>
#include <prsht.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using platform::ControlKind;
using platform::ControlTemplate;
using platform::DialogControls;
using platform::DialogEvent;
using platform::win32::Win32DialogPage;

enum Id {
  CAPTION = 10, BOX = 11, FIRST = 12, SECOND = 13, THIRD = 14, SLIDER = 15, NAME = 16,
  DIGITS = 17, FILE_NAME = 18, LIST = 19, BUTTON = 20, LINK = 21, HIDDEN = 22,
};

// One control of every kind the pages use, and what the page heard.
class RecordingPage : public platform::DialogPage {
 public:
  const platform::PageTemplate& Template() const override { return page; }
  void On_Init(DialogControls&) override { events.emplace_back(0, DialogEvent::PageActivated); }
  void On_Event(DialogControls&, int id, DialogEvent event) override {
    events.emplace_back(id, event);
  }

  // After the place: hidden, then whether a set of radio buttons starts.
  platform::PageTemplate page{
      900,
      "  Test  ",
      {
          {CAPTION, ControlKind::Label, "Caption \x80 5", 5, 5, 80, 8},
          {0, ControlKind::Group, "Group", 5, 15, 100, 60},
          {BOX, ControlKind::CheckBox, "Box", 10, 25, 60, 10},
          {FIRST, ControlKind::RadioButton, "First", 10, 37, 60, 10, false, true},
          {SECOND, ControlKind::RadioButton, "Second", 10, 49, 60, 10},
          {THIRD, ControlKind::RadioButton, "Third", 10, 61, 60, 10, false, true},
          {SLIDER, ControlKind::Slider, "", 110, 5, 100, 14},
          {NAME, ControlKind::Edit, "", 110, 25, 80, 12},
          {DIGITS, ControlKind::DigitsEdit, "0", 110, 40, 30, 12},
          {FILE_NAME, ControlKind::FileNameEdit, "", 110, 55, 120, 12},
          {LIST, ControlKind::SortedList, "", 240, 5, 100, 80},
          {BUTTON, ControlKind::PushButton, "Two\nlines", 110, 70, 50, 24},
          {LINK, ControlKind::Link, "a link", 110, 100, 40, 8},
          {HIDDEN, ControlKind::CheckBox, "Hidden", 110, 110, 60, 10, true},
          // A wide box for the module's 500 x 289 introduction picture.
          {0, ControlKind::Picture, "", 240, 90, 150, 40, false, false, 145},
      }};
  std::vector<std::pair<int, DialogEvent>> events;
};

// The page made as its property sheet makes it: the template, and the page
// description in WM_INITDIALOG.
class Win32PageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    description.dwSize = sizeof description;
    description.lParam = reinterpret_cast<LPARAM>(&adapter);
    // A page is a child window: the sheet stands in for its parent.
    sheet = CreateWindowExA(0, "STATIC", "sheet", WS_POPUP | WS_VISIBLE, 0, 0, 800, 500, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
    window = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), adapter.Dialog_Template(),
                                        sheet, Win32DialogPage::Dialog_Proc,
                                        reinterpret_cast<LPARAM>(&description));
    ASSERT_NE(window, nullptr) << GetLastError();
    ShowWindow(window, SW_SHOW);
  }
  void TearDown() override {
    if (window) DestroyWindow(window);
    DestroyWindow(sheet);
  }

  HWND Item(int id) { return GetDlgItem(window, id); }
  std::string Class_Of(int id) {
    char name[64] = {};
    GetClassNameA(Item(id), name, sizeof name);
    return name;
  }
  LONG Style_Of(int id) { return GetWindowLongA(Item(id), GWL_STYLE); }
  void Notify(UINT code) {
    NMHDR header{sheet, 0, code};
    SendMessageA(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
  }
  bool Heard(int id, DialogEvent event) {
    for (const auto& heard : logic.events) {
      if (heard == std::make_pair(id, event)) return true;
    }
    return false;
  }

  RecordingPage logic;
  Win32DialogPage adapter{logic};
  PROPSHEETPAGEA description{};
  HWND sheet = nullptr;
  HWND window = nullptr;
};

TEST_F(Win32PageTest, TheTemplateMakesEveryControlOfItsKindInItsPlaceWithItsText) {
  EXPECT_EQ(Class_Of(CAPTION), "Static");
  EXPECT_EQ(Class_Of(BOX), "Button");
  EXPECT_EQ(Class_Of(SLIDER), TRACKBAR_CLASSA);
  EXPECT_EQ(Class_Of(NAME), "Edit");
  EXPECT_EQ(Class_Of(LIST), "ListBox");
  EXPECT_EQ(adapter.Get_Text(CAPTION), "Caption \x80 5") << "Windows-1252 both ways";
  EXPECT_EQ(adapter.Get_Text(DIGITS), "0");
  // Dialog units of the page's font, place and size each converted as the
  // dialog manager converts them.
  RECT origin{110, 25, 0, 0};
  RECT size{80, 12, 0, 0};
  MapDialogRect(window, &origin);
  MapDialogRect(window, &size);
  RECT place{};
  GetWindowRect(Item(NAME), &place);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
  EXPECT_EQ(place.left, origin.left);
  EXPECT_EQ(place.top, origin.top);
  EXPECT_EQ(place.right - place.left, size.left);
  EXPECT_EQ(place.bottom - place.top, size.top);
  EXPECT_TRUE(Style_Of(DIGITS) & ES_NUMBER);
  EXPECT_TRUE(Style_Of(FILE_NAME) & ES_READONLY);
  EXPECT_TRUE(Style_Of(LIST) & LBS_SORT);
  EXPECT_TRUE(Style_Of(BUTTON) & BS_MULTILINE);
  EXPECT_TRUE(Style_Of(LINK) & SS_NOTIFY);
  EXPECT_FALSE(IsWindowVisible(Item(HIDDEN)));
  EXPECT_TRUE(IsWindowVisible(Item(BOX)));
}

TEST_F(Win32PageTest, RadioSetsBeginWhereTheTemplateBeginsThemAndOneSelectionStaysInItsSet) {
  EXPECT_TRUE(Style_Of(FIRST) & WS_GROUP);
  EXPECT_FALSE(Style_Of(SECOND) & WS_GROUP);
  EXPECT_TRUE(Style_Of(THIRD) & WS_GROUP);
  EXPECT_TRUE(Style_Of(SLIDER) & WS_GROUP) << "ends the set before it";
  adapter.Set_Checked(FIRST, true);
  adapter.Set_Checked(THIRD, true);
  adapter.Set_Checked(SECOND, true);
  EXPECT_FALSE(adapter.Is_Checked(FIRST));
  EXPECT_TRUE(adapter.Is_Checked(SECOND));
  EXPECT_TRUE(adapter.Is_Checked(THIRD)) << "a set of its own";
}

TEST_F(Win32PageTest, ControlActionsAndSheetNotificationsReachThePageAsEvents) {
  SendMessageA(Item(BOX), BM_CLICK, 0, 0);
  EXPECT_TRUE(Heard(BOX, DialogEvent::Clicked));
  EXPECT_TRUE(adapter.Is_Checked(BOX));
  SendMessageA(window, WM_HSCROLL, TB_THUMBTRACK, reinterpret_cast<LPARAM>(Item(SLIDER)));
  EXPECT_TRUE(Heard(SLIDER, DialogEvent::Scrolled));
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(LIST, LBN_DBLCLK),
               reinterpret_cast<LPARAM>(Item(LIST)));
  EXPECT_TRUE(Heard(LIST, DialogEvent::DoubleClicked));
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(LINK, STN_CLICKED),
               reinterpret_cast<LPARAM>(Item(LINK)));
  EXPECT_TRUE(Heard(LINK, DialogEvent::Clicked));
  // A changed edit is read when needed, not reported; the sheet's own
  // buttons are no controls of the page.
  const size_t before = logic.events.size();
  SetWindowTextA(Item(NAME), "typed");
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  EXPECT_EQ(logic.events.size(), before);
  Notify(PSN_SETACTIVE);
  Notify(PSN_HELP);
  Notify(PSN_KILLACTIVE);
  EXPECT_TRUE(Heard(0, DialogEvent::PageActivated));
  EXPECT_TRUE(Heard(0, DialogEvent::HelpRequested));
  EXPECT_TRUE(Heard(0, DialogEvent::PageLeft));
}

TEST_F(Win32PageTest, ClosingWhileShownLeavesThePageBeforeItIsDestroyed) {
  Notify(PSN_SETACTIVE);
  logic.events.clear();
  DestroyWindow(window);
  window = nullptr;
  ASSERT_EQ(logic.events.size(), 2u);
  EXPECT_EQ(logic.events[0], std::make_pair(0, DialogEvent::PageLeft));
  EXPECT_EQ(logic.events[1], std::make_pair(0, DialogEvent::PageDestroyed));
}

TEST_F(Win32PageTest, ALinkTakesTheKeyboardAndEnterOpensIt) {
  EXPECT_TRUE(Style_Of(LINK) & WS_TABSTOP);
  SetFocus(Item(LINK));
  ASSERT_EQ(GetFocus(), Item(LINK));
  MSG enter{Item(LINK), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_TRUE(SendMessageA(Item(LINK), WM_GETDLGCODE, VK_RETURN,
                           reinterpret_cast<LPARAM>(&enter)) & DLGC_WANTMESSAGE)
      << "Enter goes to the link, not to the sheet's OK";
  SendMessageA(Item(LINK), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(Heard(LINK, DialogEvent::Clicked));
}

// The focus rectangle is drawn around the text, from the control's top
// left corner, with the colours of its pixels inverted.
TEST_F(Win32PageTest, ALinkLosesItsFocusRectangleWithTheFocus) {
  HWND link = Item(LINK);
  RECT client{};
  GetClientRect(link, &client);
  const auto top_row_differs = [&] {
    HDC dc = GetDC(link);
    const COLORREF background = GetPixel(dc, client.right - 1, 0);  // past the text
    bool differs = false;
    for (int x = 0; x < client.right / 2; ++x) differs = differs || GetPixel(dc, x, 0) != background;
    ReleaseDC(link, dc);
    return differs;
  };
  SetFocus(link);
  UpdateWindow(link);
  ASSERT_TRUE(top_row_differs()) << "the focused link shows its focus rectangle";
  SetFocus(Item(BOX));
  UpdateWindow(link);
  EXPECT_FALSE(top_row_differs());
}

// comctl32 6's static control fills the margins of a smaller bitmap with
// the page's background, user32's with the bitmap's corner: the picture
// fills its box itself, so that it looks the same with both.
TEST_F(Win32PageTest, APictureFillsItsWholeBox) {
  HWND picture = FindWindowExA(window, nullptr, "Static", "");
  while (picture && (GetWindowLongA(picture, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP) {
    picture = FindWindowExA(window, picture, "Static", "");
  }
  ASSERT_NE(picture, nullptr);
  auto shown = reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
  BITMAP image{};
  ASSERT_TRUE(GetObjectA(shown, sizeof image, &image));
  RECT box{};
  GetClientRect(picture, &box);
  EXPECT_EQ(image.bmWidth, box.right);
  EXPECT_EQ(image.bmHeight, box.bottom);
}

TEST_F(Win32PageTest, ListsKeepTheirOrderAndFindTheVeryText) {
  adapter.List_Add(LIST, "Berlin");
  adapter.List_Add(LIST, "athens");
  adapter.List_Add(LIST, "Cairo");
  ASSERT_EQ(adapter.List_Count(LIST), 3);
  EXPECT_EQ(adapter.List_Text(LIST, 0), "athens");
  EXPECT_EQ(adapter.List_Find(LIST, "Cairo"), 2);
  EXPECT_EQ(adapter.List_Find(LIST, "cairo"), -1) << "case counts";
  EXPECT_EQ(adapter.List_Text(LIST, 7), "");
  adapter.List_Select(LIST, 1);
  EXPECT_EQ(adapter.List_Selection(LIST), 1);
  adapter.List_Remove(LIST, 1);
  EXPECT_EQ(adapter.List_Selection(LIST), -1);
  EXPECT_EQ(adapter.List_Count(LIST), 2);
}

TEST_F(Win32PageTest, SlidersTakeTheirRangeAndPosition) {
  adapter.Set_Slider(SLIDER, 0, 1000, 699);
  EXPECT_EQ(adapter.Get_Slider(SLIDER), 699);
  EXPECT_EQ(SendMessageA(Item(SLIDER), TBM_GETRANGEMAX, 0, 0), 1000);
  EXPECT_EQ(SendMessageA(Item(SLIDER), TBM_GETPAGESIZE, 0, 0), 200);
  adapter.Set_Slider(SLIDER, 0, 1000, 5000);
  EXPECT_EQ(adapter.Get_Slider(SLIDER), 1000);
}

TEST_F(Win32PageTest, EnableShowAndTextReachTheControl) {
  adapter.Enable(BOX, false);
  EXPECT_FALSE(adapter.Is_Enabled(BOX));
  adapter.Show(HIDDEN, true);
  EXPECT_TRUE(IsWindowVisible(Item(HIDDEN)));
  adapter.Set_Text(FILE_NAME, "C:\\music\\list.m3u");
  EXPECT_EQ(adapter.Get_Text(FILE_NAME), "C:\\music\\list.m3u");
  EXPECT_EQ(adapter.Screen_Rect(HIDDEN).has_value(), true);
}

}  // namespace
