// The manager's location lookups and the start-up removal of locations not shown.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/options.h"
#include "locations/location.h"
#include "scene/smartobject.h"
#include "scene/smartobjectmgr.h"

namespace {

using Names = std::vector<std::string>;

// From the head: each location's city, "-" for other objects.
Names List_Names() {
  Names names;
  for (CSmartObject* object = CSmartObjectMgr::Get_Head(); object; object = object->Get_Next()) {
    const CLocation* location = object->Get_Location();
    names.push_back(location ? location->City : "-");
  }
  return names;
}

CLocation* New_City(const char* city, const char* state, const char* country) {
  return new CLocation(city, state, country, 10, 30, CLatLon::N, 20, 15, CLatLon::E);
}

class SmartObjectLocationsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CSmartObjectMgr::Close();
    Reset_Options();
  }
  void TearDown() override {
    CSmartObjectMgr::Close();
    Reset_Options();
  }
  static void Reset_Options() {
    COptions::ShowCities.Reset_To_Default();
    COptions::GeoLocationCrc.Reset_To_Default();
  }
};

TEST_F(SmartObjectLocationsTest, description_lookup_is_exact_and_case_sensitive) {
  new CSmartObject;
  CLocation* new_york = New_City("New York", "NY", "USA");
  New_City("Kabul", "", "AFGHANISTAN");
  new CSmartObject;
  EXPECT_EQ(CSmartObjectMgr::Find_Location_By_Description("New York, NY, USA"), new_york);
  EXPECT_EQ(CSmartObjectMgr::Find_Location_By_Description("New York, Ny, USA"), nullptr);
  EXPECT_EQ(CSmartObjectMgr::Find_Location_By_Description("New York"), nullptr);
  EXPECT_EQ(CSmartObjectMgr::Find_Location_By_Description("Kabul, , AFGHANISTAN"), nullptr);
  EXPECT_NE(CSmartObjectMgr::Find_Location_By_Description("Kabul, AFGHANISTAN"), nullptr);
}

TEST_F(SmartObjectLocationsTest, lookups_return_the_newest_of_equal_locations) {
  New_City("Z\xFCrich", "", "SWITZERLAND");
  CLocation* newer = New_City("Z\xFCrich", "", "SWITZERLAND");
  EXPECT_EQ(CSmartObjectMgr::Find_Location_By_Description("Z\xFCrich, SWITZERLAND"), newer);
  EXPECT_EQ(CSmartObjectMgr::Find_Location_By_Crc(newer->crc), newer);
}

TEST_F(SmartObjectLocationsTest, cities_off_keeps_only_the_viewpoint_and_other_objects) {
  CLocation* vancouver = New_City("Vancouver", "", "CANADA");
  new CSmartObject;
  New_City("Kabul", "", "AFGHANISTAN")->is_shown = true;
  New_City("Lima", "", "PERU");
  COptions::ShowCities.Set(false);
  COptions::GeoLocationCrc.Set(static_cast<int32_t>(vancouver->crc));
  CSmartObjectMgr::Remove_Not_Shown_Locations();
  EXPECT_EQ(List_Names(), (Names{"-", "Vancouver"}));
  EXPECT_EQ(CLocation::Count, 1);
}

TEST_F(SmartObjectLocationsTest, cities_on_keeps_shown_locations_in_order) {
  New_City("Lima", "", "PERU")->is_shown = true;
  New_City("Oslo", "", "NORWAY");
  new CSmartObject;
  New_City("Kabul", "", "AFGHANISTAN")->is_shown = true;
  New_City("Rome", "", "ITALY");
  COptions::ShowCities.Set(true);
  CSmartObjectMgr::Remove_Not_Shown_Locations();
  EXPECT_EQ(List_Names(), (Names{"Kabul", "-", "Lima"}));
}

}  // namespace
