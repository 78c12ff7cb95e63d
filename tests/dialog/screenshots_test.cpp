// Pictures of every page of the sheet for the documentation; runs only when
// OB3D_SCREENSHOT_DIR names the folder to write them to.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "config/options.h"
#include "scene/smartobjectmgr.h"
#include "sheet_script.h"

namespace {

const char* const PAGE_NAMES[] = {"introduction", "overview", "controls", "cities", "music"};

TEST(Screenshots, every_page_of_the_sheet) {
  const char* folder = std::getenv("OB3D_SCREENSHOT_DIR");
  if (!folder) GTEST_SKIP() << "set OB3D_SCREENSHOT_DIR to make the pictures";
  ASSERT_TRUE(Use_Private_Display());
  for (int page = 0; page < 5; ++page) {
    COptions::CurrentConfigureSheet.Set(page);
    RecordedSheet sheet;
    auto& shown = *sheet.pages[page];
    std::string file = std::string(folder) + "/dialog-" + PAGE_NAMES[page] + ".png";
    sheet.Run({
        [] {},
        [file] {
          std::string command =
              "import -window \"$(xdotool search --name '^Orbalune 3D$' | head -1)\" '" + file + "'";
          EXPECT_EQ(std::system(command.c_str()), 0) << command;
        },
        [&] { Click_Control(*shown.controls, platform::SHEET_OK_BUTTON); },
    });
    CSmartObjectMgr::Close();
  }
}

}  // namespace
