// The real GTK settings sheet on a private X server, driven by real input.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gdk/gdkx.h>

#include <string>

#include "config/configurecities.h"
#include "config/configuredialog.h"
#include "config/configureintro.h"
#include "config/configurecontrols.h"
#include "config/options.h"
#include "locations/location_crc.h"
#include "platform/gtk_page.h"
#include "platform/platform.h"
#include "scene/smartobjectmgr.h"
#include "sheet_script.h"
#include "support/run_program.h"
#include "support/temp_folder.h"
#include "utilitylib/registrybool.h"
#include "utilitylib/registryfloat.h"
#include "utilitylib/utility.h"

namespace {

using C = CConfigureControls;
using Cities = CConfigureCities;
using platform::DialogEvent;

const char OPTIONS_KEY[] = "Software\\Vantrel\\Orbalune 3D";

class GtkSheet : public SheetTest {
 protected:
  void SetUp() override {
    SheetTest::SetUp();
    COptions::ShowStars.Set(true);
    COptions::FactorTimeAcceleration.Set(0.0f);
  }
};

TEST_F(GtkSheet, opens_on_the_stored_page_and_writes_pointer_and_key_input_through) {
  COptions::CurrentConfigureSheet.Set(2);
  auto& controls = *sheet.pages[2];
  sheet.Run({
      [&] {
        for (size_t i = 0; i < sheet.pages.size(); ++i)
          EXPECT_EQ(sheet.pages[i]->controls != nullptr, i == 2) << "page " << i;
        ASSERT_TRUE(controls.controls);
        Click_Control(*controls.controls, C::IDC_SHOW_STARS);
      },
      [&] {
        EXPECT_FALSE(COptions::ShowStars.Get());
        Click_Control(*controls.controls, C::IDC_SLIDER_TIME_ACCELERATION);
        Press_Keys("End");
      },
      [&] {
        EXPECT_EQ(COptions::FactorTimeAcceleration.Get(), 1.0f);
        Click_Control(*controls.controls, platform::SHEET_OK_BUTTON);
      },
  });
  EXPECT_EQ(controls.events.front(), DialogEvent::PageActivated);
  EXPECT_EQ(controls.events.back(), DialogEvent::PageDestroyed);
  // Read back from the store by values of their own.
  EXPECT_FALSE(CRegistryBool(OPTIONS_KEY, "ShowStars", true).Get());
  EXPECT_EQ(CRegistryFloat(OPTIONS_KEY, "FactorTimeAcceleration", 0.0f).Get(), 1.0f);
  EXPECT_EQ(COptions::CurrentConfigureSheet.Get(), 2);
}

TEST_F(GtkSheet, a_city_typed_into_the_cities_page_reaches_both_files_in_windows1252) {
  COptions::CurrentConfigureSheet.Set(3);
  auto& cities = *sheet.pages[3];
  auto field = [&](int id, const std::string& text) {
    Click_Control(*cities.controls, id);
    Press_Keys("ctrl+a BackSpace");
    Type_Text(text);
  };
  sheet.Run({
      [&] {
        ASSERT_TRUE(cities.controls);
        Click_Control(*cities.controls, Cities::IDC_ADD_A_CITY);
      },
      [&] {
        field(Cities::IDC_CITY, "S\u00e3o Tom\u00e9");
        field(Cities::IDC_COUNTRY, "Freedonia");
        field(Cities::IDC_LAT_DEG, "0x2");  // the letter is refused
        field(Cities::IDC_LON_DEG, "6");
        Click_Control(*cities.controls, Cities::IDC_EAST);
      },
      [&] {
        Click_Control(*cities.controls, Cities::IDC_ADD);
      },
      [&] {
        EXPECT_EQ(cities.controls->Get_Text(Cities::IDC_ADD), "Modify");
        EXPECT_GE(cities.controls->List_Find(Cities::IDC_AVAILABLE, "S\xE3o Tom\xE9, Freedonia"), 0);
        Click_Control(*cities.controls, Cities::IDC_MOVE_ALL_RIGHT);
      },
      [&] { Click_Control(*cities.controls, platform::SHEET_OK_BUTTON); },
  });
  EXPECT_EQ(read_file(Program_File("ob3d_uc.dat")), "S\xE3o Tom\xE9,-,Freedonia,2,0,0,6,0,2\n");
  std::string crc = std::to_string(Location_Crc32("S\xE3o Tom\xE9, Freedonia"));
  EXPECT_NE(read_file(Program_File("ob3d_is.dat")).find(crc + "\n"), std::string::npos);
}

TEST_F(GtkSheet, preview_starts_the_saver_as_a_process_of_its_own) {
  std::string marker = Program_File("preview-arguments");
  std::string saver = Program_File("fake-saver.sh");
  write_file(saver, "#!/bin/sh\necho \"$@\" > '" + marker + "'\n");
  chmod(saver.c_str(), 0755);
  static std::string saver_path;
  saver_path = saver;
  auto saved = platform::api().system.module_file_name;
  platform::api().system.module_file_name = [] { return saver_path; };
  COptions::CurrentConfigureSheet.Set(2);
  auto& controls = *sheet.pages[2];
  sheet.Run({
      [&] { Click_Control(*controls.controls, C::IDC_PREVIEW); },
      [&] {},
      [&] { Click_Control(*controls.controls, platform::SHEET_OK_BUTTON); },
  });
  platform::api().system.module_file_name = saved;
  EXPECT_EQ(read_file(marker), "-s\n");
}

TEST_F(GtkSheet, a_click_on_a_link_opens_its_address) {
  static std::vector<std::string> opened;
  opened.clear();
  auto saved = platform::api().shell.open_url;
  platform::api().shell.open_url = [](const char* url, int*) {
    opened.push_back(url);
    return true;
  };
  COptions::CurrentConfigureSheet.Set(0);
  auto& intro = *sheet.pages[0];
  sheet.Run({
      [&] { Click_Control(*intro.controls, CConfigureIntro::IDC_WWW); },
      [&] { Click_Control(*intro.controls, platform::SHEET_OK_BUTTON); },
  });
  platform::api().shell.open_url = saved;
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].rfind("https://", 0), 0u);
}

// The X window that has the keyboard, and whether the window is the topmost
// of the screen (the test's X server runs no window manager).
struct Stacking {
  unsigned long focus = 0;
  bool topmost = false;
};

Stacking stacking_of(GtkWidget* widget) {
  Display* display = gdk_x11_display_get_xdisplay(gdk_display_get_default());
  GtkWidget* top = gtk_widget_get_toplevel(widget);
  Window window = gdk_x11_window_get_xid(gtk_widget_get_window(top));
  Window focus = 0, root = 0, parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  int revert = 0;
  XGetInputFocus(display, &focus, &revert);
  Stacking stacking{focus, false};
  if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
    stacking.topmost = count > 0 && children[count - 1] == window;
    XFree(children);
  }
  return stacking;
}

TEST_F(GtkSheet, a_second_settings_start_brings_the_open_sheet_to_the_front) {
  auto& shell = platform::api().shell;
  ASSERT_TRUE(shell.acquire_instance_lock("Vantrel Orbalune 3D Mutex"));
  COptions::CurrentConfigureSheet.Set(2);
  auto& controls = *sheet.pages[2];
  GtkWidget* cover = nullptr;
  GtkWidget* sheet_widget = nullptr;
  unsigned long sheet_window = 0;
  Stacking before, after;
  ProgramResult second{};
  sheet.Run({
      [&] {
        sheet_widget = dynamic_cast<platform::gtk::GtkDialogPage*>(controls.controls)->Widget();
        GtkWidget* top = gtk_widget_get_toplevel(sheet_widget);
        sheet_window = gdk_x11_window_get_xid(gtk_widget_get_window(top));
        cover = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        gtk_window_set_default_size(GTK_WINDOW(cover), 1280, 1024);
        gtk_widget_show(cover);
        gtk_window_present(GTK_WINDOW(cover));
      },
      [&] {
        before = stacking_of(sheet_widget);
        second = run_program(program_argv({"-c"}), {}, 20);
      },
      [&] {
        after = stacking_of(sheet_widget);
        gtk_widget_destroy(cover);
      },
      [&] { Click_Control(*controls.controls, platform::SHEET_OK_BUTTON); },
  });
  shell.release_instance_lock();
  EXPECT_FALSE(second.timed_out);
  EXPECT_FALSE(before.topmost);
  EXPECT_NE(before.focus, sheet_window);
  EXPECT_TRUE(after.topmost);
  EXPECT_EQ(after.focus, sheet_window);
}

}  // namespace

namespace {

// Run as a child of the test below (the variable set): a second dialog.
TEST(ConfigureDialog, second_dialog_child) {
  if (!std::getenv("OB3D_SECOND_DIALOG")) GTEST_SKIP() << "runs only as a child";
  COptions::ReleaseLogging.Set(true);
  std::exit(ScreenSaverConfigureDialog() == 1 ? 0 : 4);
}

TEST(ConfigureDialog, a_second_dialog_ends_at_once_while_one_is_open) {
  auto& shell = platform::api().shell;
  ASSERT_TRUE(shell.acquire_instance_lock("Vantrel Orbalune 3D Mutex"));
  std::string self = platform::api().system.module_file_name();
  std::string command = "OB3D_SECOND_DIALOG=1 DISPLAY= timeout 20 '" + self +
                        "' --gtest_filter=ConfigureDialog.second_dialog_child >/dev/null";
  int status = std::system(command.c_str());
  shell.release_instance_lock();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_NE(read_file(CUtility::Log_File_Path()).find("  CreateMutex failed\n"), std::string::npos);
}

}  // namespace
