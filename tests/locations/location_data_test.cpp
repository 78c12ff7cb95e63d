// Location records: CRC identity, descriptions, coordinate conventions and the field checks.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "locations/latlon.h"
#include "locations/location_crc.h"
#include "locations/location_data.h"
#include "support/death_message.h"
#include "support/temp_folder.h"

namespace {

CLocationData Make(const char* city, const char* state, const char* country, int lat_deg,
                   int lat_min, int dir_ns, int lon_deg, int lon_min, int dir_ew) {
  return CLocationData(city, state, country, lat_deg, lat_min, dir_ns, lon_deg, lon_min, dir_ew);
}

std::string Description(const CLocationData& location) {
  char text[CLocationData::DESCRIPTION_SIZE];
  location.Get_Description(text);
  return text;
}

TEST(location_crc, matches_the_standard_crc32_and_stored_identities) {
  EXPECT_EQ(Location_Crc32("abc"), 0x352441C2u);
  EXPECT_EQ(Location_Crc32(""), 0u);
  EXPECT_EQ(Location_Crc32("123456789"), 0xCBF43926u);
  EXPECT_EQ(Location_Crc32("Kabul, AFGHANISTAN"), 1154135675u);
  EXPECT_EQ(Location_Crc32("Vancouver, CANADA"), 2484363350u);
  EXPECT_EQ(static_cast<int32_t>(Location_Crc32("Vancouver, CANADA")), -1810603946);
}

TEST(location_crc, hashes_an_accented_letter_as_its_single_latin1_byte) {
  EXPECT_EQ(Location_Crc32("S\xE3o Paulo, BRAZIL"), Location_Crc32("S\xE3o Paulo, BRAZIL", 17));
  EXPECT_NE(Location_Crc32("S\xE3o Paulo, BRAZIL"), Location_Crc32("S\xC3\xA3o Paulo, BRAZIL"));
}

TEST(location_data, description_joins_the_texts_that_are_not_empty) {
  EXPECT_EQ(Description(Make("Kabul", "", "AFGHANISTAN", 34, 35, CLatLon::N, 69, 12, CLatLon::E)),
            "Kabul, AFGHANISTAN");
  EXPECT_EQ(Description(Make("New York", "NY", "USA", 40, 47, CLatLon::N, 73, 58, CLatLon::W)),
            "New York, NY, USA");
  EXPECT_EQ(Description(Make("Atlantis", "", "", 1, 0, CLatLon::N, 1, 0, CLatLon::E)), "Atlantis");
  EXPECT_EQ(Description(Make("Shire", "Eriador", "", 1, 0, CLatLon::N, 1, 0, CLatLon::E)),
            "Shire, Eriador");
}

TEST(location_data, crc_is_that_of_the_description_and_equal_texts_share_it) {
  const CLocationData kabul = Make("Kabul", "", "AFGHANISTAN", 34, 35, CLatLon::N, 69, 12, CLatLon::E);
  const CLocationData elsewhere =
      Make("Kabul", "", "AFGHANISTAN", 1, 2, CLatLon::S, 3, 4, CLatLon::W);
  EXPECT_EQ(kabul.crc, 1154135675u);
  EXPECT_EQ(elsewhere.crc, kabul.crc);
  EXPECT_TRUE(kabul.Get_Is_Official());
  EXPECT_FALSE(kabul.is_shown);
}

TEST(location_data, degrees_and_minutes_become_signed_decimal_degrees) {
  const CLocationData rio = Make("Rio", "", "", 22, 54, CLatLon::S, 43, 12, CLatLon::W);
  EXPECT_DOUBLE_EQ(rio.latitude, -22.9);
  EXPECT_DOUBLE_EQ(rio.longitude, -43.2);
  const CLocationData equator = Make("Equator", "", "", 0, 0, CLatLon::S, 0, 0, CLatLon::E);
  EXPECT_EQ(equator.latitude, 0.0);
  EXPECT_TRUE(std::signbit(equator.latitude));
  const CLocationData dateline = Make("Dateline", "", "", 90, 0, CLatLon::N, 180, 0, CLatLon::W);
  EXPECT_EQ(dateline.latitude, 90.0);
  EXPECT_EQ(dateline.longitude, -180.0);
}

TEST(location_data, unit_position_follows_the_scene_frame) {
  const CLocationData origin = Make("Null Island", "", "", 0, 0, CLatLon::N, 0, 0, CLatLon::E);
  EXPECT_NEAR(origin.unit_position.z, 1.0, 1e-9);
  const CLocationData east = Make("East", "", "", 0, 0, CLatLon::N, 90, 0, CLatLon::E);
  EXPECT_NEAR(east.unit_position.x, 1.0, 1e-6);
  const CLocationData pole = Make("Pole", "", "", 90, 0, CLatLon::N, 0, 0, CLatLon::E);
  EXPECT_NEAR(pole.unit_position.y, 1.0, 1e-9);
}

TEST(location_data, position_check_refuses_minutes_past_the_pole) {
  EXPECT_TRUE(CLocationData::Has_Valid_Position(90, 0, CLatLon::N, 180, 0, CLatLon::W));
  EXPECT_FALSE(CLocationData::Has_Valid_Position(90, 1, CLatLon::N, 0, 0, CLatLon::E));
  EXPECT_FALSE(CLocationData::Has_Valid_Position(0, 0, CLatLon::N, 180, 1, CLatLon::E));
  EXPECT_TRUE(CLatLon::Is_Valid(-90, -180));
  EXPECT_FALSE(CLatLon::Is_Valid(-90.00001, 0));
}

TEST(location_data, field_checks_name_the_first_failed_condition) {
  const std::string long_name(CLocationData::NAME_SIZE, 'x');
  const std::string longest_name(CLocationData::NAME_SIZE - 1, 'x');
  auto fault = [](const char* city, const char* state, int lat_deg, int lat_min, int dir_ns,
                  int dir_ew) -> std::string {
    const auto found =
        CLocationData::Check_Fields(city, state, "", lat_deg, lat_min, dir_ns, 0, 0, dir_ew);
    return found ? found->text : "";
  };
  EXPECT_EQ(fault(longest_name.c_str(), "", 0, 0, CLatLon::N, CLatLon::E), "");
  EXPECT_EQ(fault(nullptr, "", 0, 0, CLatLon::N, CLatLon::E), "city != NULL");
  EXPECT_EQ(fault(long_name.c_str(), "", 0, 0, CLatLon::N, CLatLon::E),
            "::strlen(city) < sizeof(City)");
  EXPECT_EQ(fault("a", long_name.c_str(), 0, 0, CLatLon::N, CLatLon::E),
            "::strlen(state) < sizeof(State)");
  EXPECT_EQ(fault("a", "", 91, 0, CLatLon::N, CLatLon::E),
            "lat_deg >= 0 && lat_deg <= CLatLon::MAX_LAT");
  EXPECT_EQ(fault("a", "", 0, 60, CLatLon::N, CLatLon::E), "lat_min >= 0 && lat_min < +60");
  EXPECT_EQ(fault("a", "", 0, 0, CLatLon::E, CLatLon::E), "dir_ns == N || dir_ns == S");
  EXPECT_EQ(fault("a", "", 0, 0, CLatLon::N, CLatLon::S), "dir_ew == E || dir_ew == W");
}

TEST(location_data_death, construction_stops_on_a_failed_check) {
  EXPECT_EXIT(Make("a", "", "", 0, -1, CLatLon::N, 0, 0, CLatLon::E),
              ::testing::ExitedWithCode(1),
              "location_data " ASSERTION_LINE_RE R"( Assert: lat_min >= 0 && lat_min < \+60)");
  EXPECT_EXIT(Make("a", "", "", 90, 1, CLatLon::N, 0, 0, CLatLon::E),
              ::testing::ExitedWithCode(1), "location_data " ASSERTION_LINE_RE R"( Assert: DIE)");
}

TEST(location_data, user_line_writes_empty_texts_as_dashes) {
  const CLocationData springfield =
      Make("Springfield", "", "Freedonia", 39, 48, CLatLon::N, 89, 39, CLatLon::W);
  TempFolder folder;
  const std::string path = folder.file("ob3d_uc.dat");
  FILE* f = fopen(path.c_str(), "w");
  ASSERT_NE(f, nullptr);
  springfield.Write_User_Line(f);
  fclose(f);
  EXPECT_EQ(read_text_file(path), "Springfield,-,Freedonia,39,48,0,89,39,3\n");
}

}  // namespace
