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

// A sorted list has no selection once its selected entry has
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

// The viewpoint line ends in "..." with the whole text as its tooltip; the
// page keeps the size of the other pages.
TEST_F(CitiesSheet, a_long_viewpoint_name_is_cut_short_instead_of_widening_the_page) {
  std::string city(150, 'L');
  write_file(Program_File("ob3d_uc.dat"), city + ",-,-,10,0,0,20,0,2\n");
  COptions::GeoLocationCrc.Set(int32_t(Location_Crc32(city.c_str())));
  int cities_width = 0, controls_width = 0, height = 0;
  bool cut = false;
  std::string tooltip;
  sheet.Run({
      [&] {
        GtkWidget* cities = dynamic_cast<platform::gtk::GtkDialogPage*>(&page())->Widget();
        GtkWidget* controls =
            gtk_notebook_get_nth_page(GTK_NOTEBOOK(gtk_widget_get_parent(cities)), 2);
        gtk_widget_get_size_request(cities, &cities_width, &height);
        gtk_widget_get_size_request(controls, &controls_width, &height);
        GtkWidget* line = Find_Control(&page(), Cities::IDC_VIEWPOINT)->text_owner;
        cut = pango_layout_is_ellipsized(gtk_label_get_layout(GTK_LABEL(line)));
        char* text = gtk_widget_get_tooltip_text(line);
        tooltip = text ? text : "";
        g_free(text);
        Click_Control(page(), platform::SHEET_OK_BUTTON);
      },
  });
  EXPECT_EQ(cities_width, controls_width);
  EXPECT_TRUE(cut);
  EXPECT_EQ(tooltip, "Geostationary viewpoint is above " + city);
}

}  // namespace
