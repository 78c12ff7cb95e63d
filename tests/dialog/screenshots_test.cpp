// Pictures of every page of the sheet for the documentation, at the normal
// text size, at one and a half times it and on a dark theme; runs only when
// OB3D_SCREENSHOT_DIR names the folder to write them to.
#include <gtest/gtest.h>

#include <gdk/gdkx.h>

#include <cstdlib>
#include <string>

#include "config/options.h"
#include "locations/location_crc.h"
#include "platform/gtk_page.h"
#include "platform/platform.h"
#include "sheet_script.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

namespace {

const char* const PAGE_NAMES[] = {"introduction", "overview", "controls", "cities", "music"};
const char LOOK_VARIABLE[] = "OB3D_SCREENSHOT_LOOK";

// A few cities shown and one of them the viewpoint, so that the Cities
// page shows what it is for.
void show_some_cities() {
  std::string shown;
  for (const char* city : {"Cape Town, SOUTH AFRICA", "Rio De Janeiro, BRAZIL", "Tokyo, JAPAN",
                           "Vancouver, CANADA", "Z\xFCrich, SWITZERLAND"})
    shown += std::to_string(Location_Crc32(city)) + "\n";
  write_file(platform::api().system.program_folder() + "/ob3d_is.dat", shown);
  COptions::GeoLocationCrc.Set(int32_t(Location_Crc32("Z\xFCrich, SWITZERLAND")));
  COptions::CitiesHeading.Set("My cities");
}

void take_picture(platform::DialogControls* page, const std::string& file) {
  auto* shown = dynamic_cast<platform::gtk::GtkDialogPage*>(page);
  ASSERT_TRUE(shown);
  GtkWidget* window = gtk_widget_get_toplevel(shown->Widget());
  std::string command = "import -window " +
                        std::to_string(gdk_x11_window_get_xid(gtk_widget_get_window(window))) +
                        " '" + file + "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

// Run as a child of the test below, in one look; the variable holds the
// pictures' name ending.
TEST(Screenshots, every_page_in_one_look_child) {
  const char* folder = std::getenv("OB3D_SCREENSHOT_DIR");
  const char* ending = std::getenv(LOOK_VARIABLE);
  if (!folder || !ending) GTEST_SKIP() << "runs only as a child";
  ASSERT_TRUE(Use_Private_Display());
  show_some_cities();
  COptions::CurrentConfigureSheet.Set(0);
  RecordedSheet sheet;
  std::vector<std::function<void()>> steps;
  for (int page = 0; page < 5; ++page) {
    steps.push_back([&sheet, page] { Show_Page(sheet, page); });
    steps.push_back([&sheet, page, folder, ending] {
      take_picture(sheet.pages[page]->controls,
                   std::string(folder) + "/dialog-" + PAGE_NAMES[page] + ending + ".png");
    });
  }
  steps.push_back([&] { Click_Control(*sheet.pages[4]->controls, platform::SHEET_OK_BUTTON); });
  sheet.Run(steps, 700);
}

TEST(Screenshots, every_page_at_two_text_sizes_and_on_a_dark_theme) {
  if (!std::getenv("OB3D_SCREENSHOT_DIR"))
    GTEST_SKIP() << "set OB3D_SCREENSHOT_DIR to make the pictures";
  std::string self = platform::api().system.module_file_name();
  const Environment looks[] = {
      {{LOOK_VARIABLE, ""}},
      {{LOOK_VARIABLE, "-150"}, {"GDK_DPI_SCALE", "1.5"}},
      {{LOOK_VARIABLE, "-dark"}, {"GTK_THEME", "Adwaita:dark"}},
  };
  for (const Environment& look : looks) {
    ProgramResult result =
        run_program({self, "--gtest_filter=Screenshots.every_page_in_one_look_child"}, look, 90);
    EXPECT_EQ(result.exit_code, 0) << look[0].second << ":\n" << result.out << result.err;
  }
}

}  // namespace
