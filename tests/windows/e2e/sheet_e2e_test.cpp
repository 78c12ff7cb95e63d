// The settings sheet of orbalune3d.scr under Wine, driven from outside as a
// user would drive it: "/c" shows a property sheet found by its caption,
// whose pages' controls are clicked and moved with their own messages, and
// whose results are read from the registry key and the city files.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "locations/location_crc.h"
#include "locations/location_data.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

namespace {

const char OPTIONS_KEY[] = "Software\\Vantrel\\Orbalune 3D";
const char SHEET_CLASS[] = "#32770";
const char SHEET_CAPTION[] = "Orbalune 3D";
const double START_TIMEOUT_S = 30;
const double END_TIMEOUT_S = 30;

// Page indexes and control ids as the pages define them.
enum Page { OVERVIEW = 1, CONTROLS = 2, CITIES = 3, MUSIC = 4 };
enum Control {
  SHOW_SUN = 1019,
  SHOW_CITIES = 1023,
  SHOW_CITY_NAMES = 1024,
  SHOW_STATE_NAMES = 1025,
  SHOW_COUNTRY_NAMES = 1040,
  FIELD_OF_VIEW = 1020,
  RESTORE_DEFAULTS = 1054,
  PREVIEW = 1088,
  CITIES_NOT_SHOWN = 1045,
  CITY = 1082,
  STATE = 1083,
  COUNTRY = 1084,
  LAT_DEG = 1085,
  LAT_MIN = 1086,
  LON_DEG = 1091,
  LON_MIN = 1092,
  ADD = 1095,
  PLAYLIST_FILE = 1096,
  SELECT_PLAYLIST = 1097,
  SUN_CUSTOM = 1033,
};
// The common dialogs' own controls: the open dialog's file name box, the
// colour dialog's red, green and blue boxes.
enum CommonDialogControl { FILE_NAME_BOX = 0x47C, RED = 706, GREEN = 707, BLUE = 708 };

// The options key of the prefix, which the sheet's process shares.
class OptionsKey {
 public:
  OptionsKey() {
    RegCreateKeyExA(HKEY_CURRENT_USER, OPTIONS_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
  }
  ~OptionsKey() { RegCloseKey(key); }
  OptionsKey(const OptionsKey&) = delete;
  OptionsKey& operator=(const OptionsKey&) = delete;

  void Put(const char* name, DWORD word) {
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&word), sizeof word);
  }
  // The stored word; -1 when the value is missing or not a word.
  long long Word(const char* name) {
    DWORD word = 0, type = 0, size = sizeof word;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&word), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD)
      return -1;
    return word;
  }
  // A string option; "" when missing.
  std::string Text(const char* name) {
    char text[1000] = {};
    DWORD type = 0, size = sizeof text - 1;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
      return "";
    return text;
  }
  // A float option: its single-precision bits in the word.
  float Float(const char* name) {
    DWORD bits = DWORD(Word(name));
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }

 private:
  HKEY key = nullptr;
};

std::string Home_File(const char* name) {
  const char* home = getenv("ORBALUNE3D_HOME");
  return std::string(home ? home : ".") + "/" + name;
}

// A path as the file dialogs show it, with backslashes.
std::string Windows_Path(std::string path) {
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

// Waits while answering this thread's messages: a sheet owned by a window
// of this program sends it messages (enabling, activation) and waits for
// the answers.
template <typename Predicate>
bool Pump_Until(Predicate done, double timeout_s) {
  const DWORD end = GetTickCount() + DWORD(timeout_s * 1000);
  MSG message;
  while (!done()) {
    if (int(end - GetTickCount()) <= 0) return false;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(20);
  }
  return true;
}

// The modal dialog with this caption that a page opened; null after the
// timeout.
HWND Wait_For_Dialog(const char* caption) {
  HWND dialog = nullptr;
  eventually([&] { return (dialog = FindWindowA("#32770", caption)) != nullptr; }, 20);
  return dialog;
}

// The edit that a combo box holds, inside the extended one that holds it.
HWND Edit_Inside(HWND box) {
  char name[32] = {};
  while (box && GetClassNameA(box, name, sizeof name) && std::strcmp(name, "Edit") != 0) {
    box = GetWindow(box, GW_CHILD);
  }
  return box;
}

void Press_Dialog_Ok(HWND dialog) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

// The program's settings process and its sheet, seen from outside.
class SheetE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteKeyA(HKEY_CURRENT_USER, OPTIONS_KEY);
    for (const char* file : {"ob3d_uc.dat", "ob3d_is.dat", "_vantrel_ob3d.txt"}) {
      std::remove(Home_File(file).c_str());
    }
    OptionsKey().Put("ReleaseLogging", 1);
    // A settings process that an earlier test ended may still be closing.
    eventually([] { return FindWindowA(SHEET_CLASS, SHEET_CAPTION) == nullptr; }, END_TIMEOUT_S);
  }
  void TearDown() override {
    if (settings && !settings->wait(0)) Close_Sheet();
    RegDeleteKeyA(HKEY_CURRENT_USER, OPTIONS_KEY);
  }

  // Starts "/c" and waits for its sheet; null when none shows.
  HWND Open_Sheet(const std::string& switches = "/c") {
    settings = std::make_unique<RunningProgram>(program_argv({switches}), Environment{});
    Pump_Until(
        [&] {
          sheet = FindWindowA(SHEET_CLASS, SHEET_CAPTION);
          return sheet != nullptr && IsWindowVisible(sheet);
        },
        START_TIMEOUT_S);
    return sheet;
  }

  // Shows the page and returns its window.
  HWND Show_Page(int index) {
    SendMessageA(sheet, PSM_SETCURSEL, WPARAM(index), 0);
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
  }

  int Shown_Page() {
    HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    return int(SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
  }

  // OK, and the process ends with the sheet.
  ProgramResult Close_Sheet() {
    HWND ok = GetDlgItem(sheet, IDOK);
    PostMessageA(sheet, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
    Pump_Until([&] { return settings->wait(0); }, END_TIMEOUT_S);
    return settings->finish(0);
  }

  static void Click(HWND page, int id) { SendMessageA(GetDlgItem(page, id), BM_CLICK, 0, 0); }
  // A click that opens a modal dialog, which would hold a sent click.
  static void Click_Later(HWND page, int id) { PostMessageA(GetDlgItem(page, id), BM_CLICK, 0, 0); }
  static bool Checked(HWND page, int id) {
    return SendMessageA(GetDlgItem(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  static bool Enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)); }
  static void Type(HWND page, int id, const char* text) {
    SendMessageA(GetDlgItem(page, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  }
  // Moves a slider as a drag does: the position, then the scroll message
  // that the track bar sends its page.
  static void Drag_Slider(HWND page, int id, int position) {
    HWND slider = GetDlgItem(page, id);
    SendMessageA(slider, TBM_SETPOS, TRUE, position);
    SendMessageA(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position),
                 reinterpret_cast<LPARAM>(slider));
  }
  static int Slider(HWND page, int id) {
    return int(SendMessageA(GetDlgItem(page, id), TBM_GETPOS, 0, 0));
  }

  std::unique_ptr<RunningProgram> settings;
  HWND sheet = nullptr;
};

TEST_F(SheetE2eTest, OpensOnTheStoredPageWithOkAndHelpOnlyAndRemembersTheLastPage) {
  OptionsKey().Put("CurrentConfigureSheet", CITIES);
  ASSERT_NE(Open_Sheet(), nullptr);
  EXPECT_EQ(Shown_Page(), CITIES);
  EXPECT_NE(GetDlgItem(Show_Page(CITIES), CITIES_NOT_SHOWN), nullptr) << "the Cities page shows";
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(sheet, IDOK)));
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(sheet, IDHELP)));
  HWND cancel = GetDlgItem(sheet, IDCANCEL);
  EXPECT_TRUE(cancel == nullptr || !IsWindowVisible(cancel));
  const HWND apply = GetDlgItem(sheet, 0x3021);  // the sheet's Apply button
  EXPECT_TRUE(apply == nullptr || !IsWindowVisible(apply));
  HWND music = Show_Page(MUSIC);
  EXPECT_NE(GetDlgItem(music, PLAYLIST_FILE), nullptr);
  const ProgramResult result = Close_Sheet();
  EXPECT_FALSE(result.timed_out);
  EXPECT_EQ(OptionsKey().Word("CurrentConfigureSheet"), MUSIC);
}

// The manifest's comctl32 6 registers its own button, static and edit
// classes in the program's process, which take the place of user32's.
// user32 lies at the same address in every process.
TEST_F(SheetE2eTest, TheSheetAndItsPagesAreMadeOfTheCommonControls6Classes) {
  ASSERT_NE(Open_Sheet(), nullptr);
  const auto user32 = reinterpret_cast<ULONG_PTR>(GetModuleHandleA("user32.dll"));
  const auto class_module = [](HWND control) { return GetClassLongPtrA(control, GCLP_HMODULE); };
  // This test program has no manifest: its buttons are user32's.
  const HWND own = CreateWindowExA(0, "BUTTON", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
  EXPECT_EQ(class_module(own), user32);
  DestroyWindow(own);
  EXPECT_NE(class_module(GetDlgItem(sheet, IDOK)), user32);
  HWND page = Show_Page(CONTROLS);
  EXPECT_NE(class_module(GetDlgItem(page, SHOW_SUN)), user32);
  page = Show_Page(CITIES);
  EXPECT_NE(class_module(GetDlgItem(page, CITY)), user32);
  EXPECT_EQ(class_module(GetDlgItem(page, CITY)), class_module(GetDlgItem(sheet, IDOK)));
  EXPECT_FALSE(Close_Sheet().timed_out);
}

TEST_F(SheetE2eTest, SlashCWithAWindowShowsTheSheetOwnedByItWhichStaysDisabledMeanwhile) {
  const HWND host = CreateWindowExA(0, "STATIC", "settings host", WS_POPUP | WS_VISIBLE, 50, 50,
                                    200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(host, nullptr);
  ASSERT_NE(Open_Sheet("/c:" + std::to_string(reinterpret_cast<uintptr_t>(host))), nullptr);
  EXPECT_EQ(GetWindow(sheet, GW_OWNER), host);
  EXPECT_FALSE(IsWindowEnabled(host));
  EXPECT_FALSE(Close_Sheet().timed_out);
  EXPECT_TRUE(Pump_Until([&] { return IsWindowEnabled(host); }, 5));
  DestroyWindow(host);
}

TEST_F(SheetE2eTest, FieldOfViewSliderStartsAt699AndAt700StoresExactly0_7) {
  ASSERT_NE(Open_Sheet(), nullptr);
  HWND page = Show_Page(CONTROLS);
  EXPECT_EQ(Slider(page, FIELD_OF_VIEW), 699) << "0.7 in single precision is below 0.7";
  Drag_Slider(page, FIELD_OF_VIEW, 700);
  EXPECT_EQ(OptionsKey().Float("FactorCameraFov"), 0.7f);
  Drag_Slider(page, FIELD_OF_VIEW, 0);
  EXPECT_EQ(OptionsKey().Float("FactorCameraFov"), 0.0f);
}

TEST_F(SheetE2eTest, ShowCitiesOffClearsAndDisablesTheNameBoxesAndOnEnablesOnlyCityNames) {
  OptionsKey key;
  for (const char* name : {"ShowCities", "ShowCityNames", "ShowStateNames", "ShowCountryNames"}) {
    key.Put(name, 1);
  }
  ASSERT_NE(Open_Sheet(), nullptr);
  HWND page = Show_Page(CONTROLS);
  ASSERT_TRUE(Checked(page, SHOW_STATE_NAMES));
  Click(page, SHOW_CITIES);
  EXPECT_EQ(key.Word("ShowCities"), 0);
  for (int box : {SHOW_CITY_NAMES, SHOW_STATE_NAMES, SHOW_COUNTRY_NAMES}) {
    EXPECT_FALSE(Checked(page, box)) << box;
    EXPECT_FALSE(Enabled(page, box)) << box;
  }
  EXPECT_EQ(key.Word("ShowCityNames"), 0);
  EXPECT_EQ(key.Word("ShowStateNames"), 0);
  EXPECT_EQ(key.Word("ShowCountryNames"), 0);
  Click(page, SHOW_CITIES);
  EXPECT_TRUE(Enabled(page, SHOW_CITY_NAMES));
  EXPECT_FALSE(Enabled(page, SHOW_STATE_NAMES));
  EXPECT_FALSE(Checked(page, SHOW_STATE_NAMES));
}

TEST_F(SheetE2eTest, RestoreDefaultsResetsItsOptionsAndTheControlsButNoOthers) {
  OptionsKey key;
  key.Put("PlayMusic", 1);
  ASSERT_NE(Open_Sheet(), nullptr);
  HWND page = Show_Page(CONTROLS);
  Click(page, SHOW_SUN);
  Drag_Slider(page, FIELD_OF_VIEW, 100);
  ASSERT_EQ(key.Word("ShowSun"), 0);
  Click(page, RESTORE_DEFAULTS);
  EXPECT_EQ(key.Word("ShowSun"), 1);
  EXPECT_TRUE(Checked(page, SHOW_SUN));
  EXPECT_EQ(key.Float("FactorCameraFov"), 0.7f);
  EXPECT_EQ(Slider(page, FIELD_OF_VIEW), 699);
  EXPECT_EQ(key.Word("PlayMusic"), 1) << "not among the options Restore Defaults resets";
}

TEST_F(SheetE2eTest, ACityAddedOnTheCitiesPageIsSavedAndOnceShownIsSavedAsShown) {
  ASSERT_NE(Open_Sheet(), nullptr);
  HWND page = Show_Page(CITIES);
  Type(page, CITY, "Testville");
  Type(page, STATE, "Tessin");
  Type(page, COUNTRY, "Testland");
  Type(page, LAT_DEG, "12");
  Type(page, LAT_MIN, "30");
  Type(page, LON_DEG, "45");
  Type(page, LON_MIN, "15");
  Click(page, ADD);
  // Added to "Cities Not Shown" and selected there; a double-click moves it.
  HWND not_shown = GetDlgItem(page, CITIES_NOT_SHOWN);
  ASSERT_GE(SendMessageA(not_shown, LB_GETCURSEL, 0, 0), 0);
  SendMessageA(page, WM_COMMAND, MAKEWPARAM(CITIES_NOT_SHOWN, LBN_DBLCLK),
               reinterpret_cast<LPARAM>(not_shown));
  const ProgramResult result = Close_Sheet();
  EXPECT_FALSE(result.timed_out);
  const std::string user_cities = read_file(Home_File("ob3d_uc.dat"));
  EXPECT_NE(user_cities.find("Testville"), std::string::npos) << user_cities;
  EXPECT_NE(user_cities.find("Testland"), std::string::npos) << user_cities;
  char description[CLocationData::DESCRIPTION_SIZE];
  CLocationData::Build_Description("Testville", "Tessin", "Testland", description);
  const std::string shown = read_file(Home_File("ob3d_is.dat"));
  EXPECT_NE(shown.find(std::to_string(Location_Crc32(description))), std::string::npos) << shown;
}

// Wine's dialog checks that a typed name exists before it adds the default
// extension, so the name is typed whole here.
TEST_F(SheetE2eTest, SelectStoresAndShowsThePlaylistChosenInTheDialogTitledForIt) {
  write_file(Home_File("Playlist.m3u"), "song.mp3\n");
  ASSERT_NE(Open_Sheet(), nullptr);
  HWND page = Show_Page(MUSIC);
  Click_Later(page, SELECT_PLAYLIST);
  HWND chooser = Wait_For_Dialog("Select a .m3u Playlist");
  ASSERT_NE(chooser, nullptr);
  const std::string typed = Windows_Path(Home_File("Playlist.m3u"));
  SendMessageA(Edit_Inside(GetDlgItem(chooser, FILE_NAME_BOX)), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(typed.c_str()));
  Press_Dialog_Ok(chooser);
  char shown[1000] = {};
  EXPECT_TRUE(eventually(
      [&] { return GetDlgItemTextA(page, PLAYLIST_FILE, shown, sizeof shown) > 0; }, 20));
  EXPECT_EQ(std::string(shown), typed);
  Close_Sheet();
  EXPECT_EQ(OptionsKey().Text("M3uFilename"), typed);
}

TEST_F(SheetE2eTest, ChooseStoresTheChosenColourAsBlueGreenRedAndTheCustomMode) {
  OptionsKey().Put("SunColorEnum", 1);
  ASSERT_NE(Open_Sheet(), nullptr);
  Click_Later(Show_Page(CONTROLS), SUN_CUSTOM);
  HWND chooser = Wait_For_Dialog("Color");
  ASSERT_NE(chooser, nullptr);
  EXPECT_EQ(OptionsKey().Word("SunColorEnum"), 0) << "the custom mode comes first";
  for (auto [box, value] : {std::pair{RED, "10"}, {GREEN, "20"}, {BLUE, "30"}}) {
    SendMessageA(GetDlgItem(chooser, box), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value));
  }
  Press_Dialog_Ok(chooser);
  EXPECT_TRUE(eventually([] { return OptionsKey().Word("CustomSunColor") == 0x1E140A; }, 20))
      << std::hex << OptionsKey().Word("CustomSunColor");
}

TEST_F(SheetE2eTest, ASecondSettingsStartEndsAtOnceAndBringsTheOpenSheetToTheFront) {
  ASSERT_NE(Open_Sheet(), nullptr);
  const HWND other = CreateWindowExA(0, "STATIC", "in front", WS_POPUP | WS_VISIBLE, 0, 0, 300,
                                     200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetForegroundWindow(other);
  Pump_Until([&] { return GetForegroundWindow() == other; }, 5);
  RunningProgram second(program_argv({"/c"}), {});
  EXPECT_TRUE(Pump_Until([&] { return second.wait(0); }, END_TIMEOUT_S));
  EXPECT_FALSE(settings->wait(0.5)) << "the first sheet stays";
  EXPECT_EQ(FindWindowA(SHEET_CLASS, SHEET_CAPTION), sheet);
  EXPECT_TRUE(Pump_Until([&] { return GetForegroundWindow() == sheet; }, 5));
  DestroyWindow(other);
  EXPECT_FALSE(Close_Sheet().timed_out);
}

TEST_F(SheetE2eTest, PreviewStartsTheFullScreenSaverAsAProcessOfItsOwn) {
  ASSERT_NE(Open_Sheet(), nullptr);
  Click(Show_Page(CONTROLS), PREVIEW);
  HWND saver = nullptr;
  EXPECT_TRUE(eventually(
      [&] { return (saver = FindWindowA("WindowsScreenSaverClass", "Screen Saver")) != nullptr; },
      START_TIMEOUT_S));
  EXPECT_FALSE(settings->wait(0)) << "the sheet stays open";
  if (saver == nullptr) return;
  pause_seconds(2.5);  // past its first second, when input starts to count
  PostMessageA(saver, WM_KEYDOWN, 'A', 1);
  EXPECT_TRUE(eventually([&] { return !IsWindow(saver); }, END_TIMEOUT_S));
}

}  // namespace
