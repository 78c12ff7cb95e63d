// The Cities page of the real GTK sheet, driven with real pointer and keys.
#include <gtest/gtest.h>

#include <string>

#include "config/configurecities.h"
#include "config/options.h"
#include "locations/location_crc.h"
#include "scene/smartobjectmgr.h"
#include "sheet_script.h"
#include "support/temp_folder.h"

namespace {

using Cities = CConfigureCities;

class CitiesSheet : public SheetTest {
 protected:
  void SetUp() override {
    SheetTest::SetUp();
    COptions::CurrentConfigureSheet.Set(3);
    COptions::GeoLocationCrc.Set(0);
  }
  platform::DialogControls& page() { return *sheet.pages[3]->controls; }
};

// The list box of the design has no selection once its selected entry has
// moved away, so Add adds and Set Viewpoint has nothing to take.
TEST_F(CitiesSheet, a_double_clicked_city_leaves_no_selection_behind) {
  sheet.Run({
      [&] {
        ASSERT_EQ(page().List_Text(Cities::IDC_AVAILABLE, 0), "Abadan, IRAN");
        Click_List_Entry(page(), Cities::IDC_AVAILABLE, 0);
      },
      [&] {
        EXPECT_EQ(page().List_Selection(Cities::IDC_AVAILABLE), 0);
        EXPECT_EQ(page().Get_Text(Cities::IDC_CITY), "Abadan");
        Click_List_Entry(page(), Cities::IDC_AVAILABLE, 0, 2);
      },
      [&] {
        EXPECT_EQ(page().List_Find(Cities::IDC_SELECTED, "Abadan, IRAN"), 0);
        EXPECT_EQ(page().List_Selection(Cities::IDC_AVAILABLE), -1);
        EXPECT_EQ(page().List_Selection(Cities::IDC_SELECTED), -1);
        Click_Control(page(), Cities::IDC_SET_VIEWPOINT);
      },
      [&] {
        EXPECT_EQ(COptions::GeoLocationCrc.Get(), 0);
        Click_Control(page(), Cities::IDC_CITY);
        Type_Text("Testville");
        Click_Control(page(), Cities::IDC_ADD);
      },
      [&] {
        EXPECT_GE(page().List_Find(Cities::IDC_AVAILABLE, "Testville"), 0);
        EXPECT_GE(page().List_Find(Cities::IDC_AVAILABLE, "Aberdeen, SCOTLAND"), 0);
        EXPECT_EQ(page().List_Count(Cities::IDC_AVAILABLE), 363);
        Click_Control(page(), platform::SHEET_OK_BUTTON);
      },
  });
  EXPECT_EQ(read_file(Program_File("ob3d_uc.dat")), "Testville,-,-,0,0,0,0,0,2\n");
  std::string abadan = std::to_string(Location_Crc32("Abadan, IRAN"));
  EXPECT_NE(read_file(Program_File("ob3d_is.dat")).find(abadan + "\n"), std::string::npos);
}

}  // namespace
