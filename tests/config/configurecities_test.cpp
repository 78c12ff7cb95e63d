// The Cities page through a fake dialog: lists, user cities, viewpoint, saving.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "config/configurecities.h"
#include "config/options.h"
#include "default_options.h"
#include "fake_dialog.h"
#include "locations/location.h"
#include "platform/platform.h"
#include "scene/smartobjectmgr.h"
#include "support/temp_folder.h"

namespace {

using C = CConfigureCities;
using platform::DialogEvent;

class CitiesPage : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset_All_Options();
    std::remove(file("ob3d_uc.dat").c_str());
    std::remove(file("ob3d_is.dat").c_str());
  }
  void TearDown() override { CSmartObjectMgr::Close(); }

  static std::string file(const char* name) {
    return platform::api().system.program_folder() + "/" + name;
  }

  // Types a city into the detail fields and presses Add.
  static void Add_City(FakeDialog& dialog, const std::string& city, const std::string& lat_deg,
                       const std::string& lat_min, const std::string& state = "",
                       const std::string& country = "Freedonia") {
    dialog.Click(C::IDC_ADD_A_CITY);
    dialog.Type(C::IDC_CITY, city);
    dialog.Type(C::IDC_STATE, state);
    dialog.Type(C::IDC_COUNTRY, country);
    dialog.Type(C::IDC_LAT_DEG, lat_deg);
    dialog.Type(C::IDC_LAT_MIN, lat_min);
    dialog.Type(C::IDC_LON_DEG, "89");
    dialog.Type(C::IDC_LON_MIN, "39");
    dialog.Click(C::IDC_WEST);
    dialog.Click(C::IDC_ADD);
  }

  CConfigureCities page;
};

TEST_F(CitiesPage, opens_with_every_city_in_one_of_the_lists) {
  write_file(file("ob3d_is.dat"), "2484363350\n");
  FakeDialog dialog(page);
  EXPECT_EQ(dialog.Entries(C::IDC_SELECTED), std::vector<std::string>{"Vancouver, CANADA"});
  EXPECT_EQ(dialog.List_Count(C::IDC_AVAILABLE), 362);
  EXPECT_GE(dialog.List_Find(C::IDC_AVAILABLE, "S\xE3o Paulo, BRAZIL"), 0);
  EXPECT_EQ(dialog.Get_Text(C::IDC_VIEWPOINT), "No geostationary viewpoint is set.");
  EXPECT_EQ(COptions::CurrentConfigureSheet.Get(), 3);
}

TEST_F(CitiesPage, a_built_in_city_shows_its_details_read_only) {
  FakeDialog dialog(page);
  dialog.Select_Entry(C::IDC_AVAILABLE, dialog.List_Find(C::IDC_AVAILABLE, "Quito, EQUADOR"));
  EXPECT_EQ(dialog.Get_Text(C::IDC_CITY), "Quito");
  EXPECT_EQ(dialog.Get_Text(C::IDC_LAT_MIN), "13");
  EXPECT_TRUE(dialog.Is_Checked(C::IDC_SOUTH));
  EXPECT_TRUE(dialog.Is_Checked(C::IDC_WEST));
  EXPECT_FALSE(dialog.Is_Enabled(C::IDC_CITY));
  EXPECT_FALSE(dialog.Is_Enabled(C::IDC_ADD));
  EXPECT_FALSE(dialog.Is_Enabled(C::IDC_DELETE));
}

TEST_F(CitiesPage, latitude_90_takes_no_minutes_and_minutes_stop_at_59) {
  FakeDialog dialog(page);
  Add_City(dialog, "Pole", "90", "1");
  Add_City(dialog, "Sixty", "45", "60");
  EXPECT_EQ(dialog.beeps, 2);
  Add_City(dialog, "Pole", "90", "0");
  EXPECT_EQ(dialog.beeps, 2);
  int index = dialog.List_Find(C::IDC_AVAILABLE, "Pole, Freedonia");
  ASSERT_GE(index, 0);
  EXPECT_EQ(dialog.List_Selection(C::IDC_AVAILABLE), index);
  EXPECT_EQ(dialog.Get_Text(C::IDC_ADD), "Modify");
  EXPECT_EQ(dialog.List_Find(C::IDC_AVAILABLE, "Sixty, Freedonia"), -1);
}

TEST_F(CitiesPage, names_that_the_city_file_cannot_hold_are_refused) {
  FakeDialog dialog(page);
  Add_City(dialog, "Springfield, East", "39", "48");
  Add_City(dialog, "Tab\tTown", "39", "48");
  Add_City(dialog, "Springfield", "39", "48", "-");
  Add_City(dialog, "Springfield", "39", "48", "", "-");
  Add_City(dialog, "", "39", "48");
  Add_City(dialog, std::string(200, 'x'), "39", "48");
  // A second city with the description of an existing one.
  Add_City(dialog, "Kabul", "1", "0", "", "AFGHANISTAN");
  EXPECT_EQ(dialog.beeps, 7);
  EXPECT_EQ(dialog.List_Count(C::IDC_AVAILABLE), 363);
}

TEST_F(CitiesPage, modifying_the_viewpoint_city_moves_the_viewpoint_to_its_new_identity) {
  FakeDialog dialog(page);
  Add_City(dialog, "Springfield", "39", "48");
  dialog.Click(C::IDC_SET_VIEWPOINT);
  EXPECT_EQ(dialog.Get_Text(C::IDC_VIEWPOINT),
            "Geostationary viewpoint is above Springfield, Freedonia");

  dialog.Type(C::IDC_CITY, "Shelbyville");
  dialog.Click(C::IDC_ADD);
  CLocation* renamed = CSmartObjectMgr::Find_Location_By_Description("Shelbyville, Freedonia");
  ASSERT_NE(renamed, nullptr);
  EXPECT_EQ(uint32_t(COptions::GeoLocationCrc.Get()), renamed->crc);
  EXPECT_EQ(CSmartObjectMgr::Find_Location_By_Description("Springfield, Freedonia"), nullptr);
  EXPECT_EQ(dialog.Get_Text(C::IDC_VIEWPOINT),
            "Geostationary viewpoint is above Shelbyville, Freedonia");
}

TEST_F(CitiesPage, modifying_a_shown_city_keeps_it_shown) {
  FakeDialog dialog(page);
  Add_City(dialog, "Springfield", "39", "48");
  dialog.Double_Click(C::IDC_AVAILABLE);
  dialog.Select_Entry(C::IDC_SELECTED, dialog.List_Find(C::IDC_SELECTED, "Springfield, Freedonia"));
  dialog.Type(C::IDC_LAT_MIN, "50");
  dialog.Click(C::IDC_ADD);
  CLocation* location = CSmartObjectMgr::Find_Location_By_Description("Springfield, Freedonia");
  ASSERT_NE(location, nullptr);
  EXPECT_EQ(location->lat_min, 50);
  EXPECT_TRUE(location->is_shown);
  EXPECT_EQ(dialog.Entries(C::IDC_SELECTED), std::vector<std::string>{"Springfield, Freedonia"});
}

TEST_F(CitiesPage, deleting_asks_first_and_clears_a_deleted_viewpoint) {
  FakeDialog dialog(page);
  Add_City(dialog, "Springfield", "39", "48");
  dialog.Click(C::IDC_SET_VIEWPOINT);

  dialog.answer_yes = false;
  dialog.Click(C::IDC_DELETE);
  ASSERT_EQ(dialog.questions.size(), 1u);
  EXPECT_EQ(dialog.questions[0], "Do you want to delete Springfield, Freedonia?");
  EXPECT_NE(CSmartObjectMgr::Find_Location_By_Description("Springfield, Freedonia"), nullptr);

  dialog.answer_yes = true;
  dialog.Click(C::IDC_DELETE);
  EXPECT_EQ(CSmartObjectMgr::Find_Location_By_Description("Springfield, Freedonia"), nullptr);
  EXPECT_EQ(dialog.List_Find(C::IDC_AVAILABLE, "Springfield, Freedonia"), -1);
  EXPECT_EQ(COptions::GeoLocationCrc.Get(), 0);
  EXPECT_EQ(dialog.Get_Text(C::IDC_VIEWPOINT), "No geostationary viewpoint is set.");
}

// A toolkit may select an entry without telling the page; Add and Delete
// must then leave the built-in city alone instead of ending the dialog.
TEST_F(CitiesPage, a_built_in_city_selected_behind_the_pages_back_is_never_deleted) {
  FakeDialog dialog(page);
  dialog.Click(C::IDC_ADD_A_CITY);
  dialog.Type(C::IDC_CITY, "Testville");
  dialog.List_Select(C::IDC_AVAILABLE, dialog.List_Find(C::IDC_AVAILABLE, "Aberdeen, SCOTLAND"));
  dialog.Click(C::IDC_ADD);
  EXPECT_NE(CSmartObjectMgr::Find_Location_By_Description("Aberdeen, SCOTLAND"), nullptr);
  EXPECT_NE(CSmartObjectMgr::Find_Location_By_Description("Testville"), nullptr);

  dialog.List_Select(C::IDC_AVAILABLE, dialog.List_Find(C::IDC_AVAILABLE, "Aberdeen, SCOTLAND"));
  dialog.Click(C::IDC_DELETE);
  EXPECT_EQ(dialog.beeps, 1);
  EXPECT_TRUE(dialog.questions.empty());
  EXPECT_GE(dialog.List_Find(C::IDC_AVAILABLE, "Aberdeen, SCOTLAND"), 0);
}

TEST_F(CitiesPage, double_click_moves_the_selected_entry_and_else_only_deselects_the_other_list) {
  FakeDialog dialog(page);
  dialog.Select_Entry(C::IDC_AVAILABLE, dialog.List_Find(C::IDC_AVAILABLE, "Kabul, AFGHANISTAN"));
  dialog.Double_Click(C::IDC_AVAILABLE);
  EXPECT_EQ(dialog.Entries(C::IDC_SELECTED), std::vector<std::string>{"Kabul, AFGHANISTAN"});
  EXPECT_TRUE(CSmartObjectMgr::Find_Location_By_Description("Kabul, AFGHANISTAN")->is_shown);

  dialog.Select_Entry(C::IDC_SELECTED, 0);
  dialog.Double_Click(C::IDC_AVAILABLE);
  EXPECT_EQ(dialog.List_Selection(C::IDC_SELECTED), -1);
  EXPECT_EQ(dialog.List_Count(C::IDC_SELECTED), 1);
  EXPECT_EQ(dialog.List_Count(C::IDC_AVAILABLE), 362);
}

TEST_F(CitiesPage, move_all_shows_every_city) {
  FakeDialog dialog(page);
  dialog.Click(C::IDC_MOVE_ALL_RIGHT);
  EXPECT_EQ(dialog.List_Count(C::IDC_AVAILABLE), 0);
  EXPECT_EQ(dialog.List_Count(C::IDC_SELECTED), 363);
  EXPECT_FALSE(dialog.Is_Enabled(C::IDC_CITY));
  dialog.Click(C::IDC_MOVE_ALL_LEFT);
  EXPECT_EQ(dialog.List_Count(C::IDC_SELECTED), 0);
  EXPECT_FALSE(CSmartObjectMgr::Find_Location_By_Description("Kabul, AFGHANISTAN")->is_shown);
}

TEST_F(CitiesPage, set_viewpoint_without_a_selection_beeps) {
  FakeDialog dialog(page);
  dialog.Click(C::IDC_SET_VIEWPOINT);
  EXPECT_EQ(dialog.beeps, 1);
  EXPECT_EQ(COptions::GeoLocationCrc.Get(), 0);
}

TEST_F(CitiesPage, a_viewpoint_that_no_longer_exists_is_cleared) {
  COptions::GeoLocationCrc.Set(12345);
  FakeDialog dialog(page);
  EXPECT_EQ(COptions::GeoLocationCrc.Get(), 0);
  EXPECT_EQ(dialog.Get_Text(C::IDC_VIEWPOINT), "No geostationary viewpoint is set.");
}

TEST_F(CitiesPage, a_southern_city_at_zero_degrees_shows_north_again) {
  FakeDialog dialog(page);
  dialog.Click(C::IDC_ADD_A_CITY);
  dialog.Type(C::IDC_CITY, "Equator");
  dialog.Click(C::IDC_SOUTH);
  dialog.Click(C::IDC_ADD);
  EXPECT_TRUE(dialog.Is_Checked(C::IDC_NORTH));
}

TEST_F(CitiesPage, leaving_the_page_saves_heading_and_both_files) {
  FakeDialog dialog(page);
  dialog.Type(C::IDC_HEADING, "My cities");
  Add_City(dialog, "Springfield", "39", "48");
  dialog.Select_Entry(C::IDC_AVAILABLE, dialog.List_Find(C::IDC_AVAILABLE, "Vancouver, CANADA"));
  dialog.Double_Click(C::IDC_AVAILABLE);
  dialog.Page_Event(DialogEvent::PageLeft);
  EXPECT_STREQ(COptions::CitiesHeading.Get(), "My cities");
  EXPECT_EQ(read_text_file(file("ob3d_uc.dat")), "Springfield,-,Freedonia,39,48,0,89,39,3\n");
  EXPECT_EQ(read_text_file(file("ob3d_is.dat")), "2484363350\n");
}

TEST_F(CitiesPage, a_city_file_that_cannot_be_written_is_reported) {
  static int messages = 0;
  auto saved = platform::api().system.message_box;
  platform::api().system.message_box = [](const char*, const char*, platform::MessageBoxIcon) {
    ++messages;
  };
  FakeDialog dialog(page);
  ASSERT_EQ(mkdir(file("ob3d_uc.dat").c_str(), 0755), 0);
  dialog.Page_Event(DialogEvent::PageLeft);
  rmdir(file("ob3d_uc.dat").c_str());
  platform::api().system.message_box = saved;
  EXPECT_EQ(messages, 1);
}

}  // namespace
