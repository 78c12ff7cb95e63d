// The location list: the built-in table, the user-locations and shown-locations files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "locations/location.h"
#include "locations/location_crc.h"
#include "locations/locationlist.h"
#include "scene/smartobjectmgr.h"
#include "support/temp_folder.h"
#include "utilitylib/utility.h"

namespace {

const uint32_t VANCOUVER_CRC = 2484363350u;

std::vector<CLocation*> All_Locations() {
  std::vector<CLocation*> locations;
  for (CSmartObject* object = CSmartObjectMgr::Get_Head(); object; object = object->Get_Next()) {
    if (CLocation* location = object->Get_Location()) locations.push_back(location);
  }
  return locations;
}

std::vector<CLocation*> Shown_Locations() {
  std::vector<CLocation*> shown;
  for (CLocation* location : All_Locations()) {
    if (location->is_shown) shown.push_back(location);
  }
  return shown;
}

std::string Description(const CLocation& location) {
  char text[CLocationData::DESCRIPTION_SIZE];
  location.Get_Description(text);
  return text;
}

std::vector<std::string> Sorted_Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

class LocationListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("ORBALUNE3D_HOME", folder.path().c_str(), 1);
    CSmartObjectMgr::Close();
  }
  void TearDown() override {
    CSmartObjectMgr::Close();
    CUtility::Set_Logging(false);
  }

  std::string user_file() const { return folder.file(CLocationList::USER_LOCATIONS_FILE); }
  std::string shown_file() const { return folder.file(CLocationList::SHOWN_LOCATIONS_FILE); }

  // Init_Locations with the log captured.
  std::string Init_Logged() {
    CUtility::Set_Logging(true);
    ::testing::internal::CaptureStdout();
    CLocationList::Init_Locations();
    return ::testing::internal::GetCapturedStdout();
  }

  CLocation* Find(const std::string& description) {
    for (CLocation* location : All_Locations()) {
      if (Description(*location) == description) return location;
    }
    return nullptr;
  }

  TempFolder folder;
};

TEST_F(LocationListTest, without_files_there_are_the_builtin_cities_and_none_shown) {
  const std::string log = Init_Logged();
  const std::vector<CLocation*> locations = All_Locations();
  EXPECT_EQ(locations.size(), 363u);
  EXPECT_EQ(CLocation::Count, 363);
  EXPECT_TRUE(Shown_Locations().empty());
  EXPECT_TRUE(std::all_of(locations.begin(), locations.end(),
                          [](CLocation* l) { return l->Get_Is_Official(); }));
  EXPECT_NE(log.find("CLocationList::Init_Locations\nCLocationList::Load_User_Locations\n"
                     "  fopen failed.\nCLocationList::Load_Is_Shown_Data\n  fopen failed.\n"),
            std::string::npos);
  EXPECT_FALSE(file_exists(user_file()));
  EXPECT_FALSE(file_exists(shown_file()));
  CSmartObjectMgr::Close();
  EXPECT_EQ(CLocation::Count, 0);
}

TEST_F(LocationListTest, builtin_names_are_the_stored_identities) {
  CLocationList::Init_Locations();
  for (const char* description :
       {"Kabul, AFGHANISTAN", "Quito, EQUADOR", "Ahmenabad, INDIA", "Peshwar, PAKISTAN",
        "Mogadiscio, SOMALIA", "S\xE3o Paulo, BRAZIL", "Z\xFCrich, SWITZERLAND",
        "Reykjav\xEDk, ICELAND", "New York, NY, USA", "Washington, DC, USA", "San Juan, PR, USA",
        "San Juan, PUERTO RICO", "London, ENGLAND", "London, CANADA", "St. Petersburg, RUSSIA"}) {
    EXPECT_NE(Find(description), nullptr) << description;
  }
  EXPECT_EQ(Find("Vancouver, CANADA")->crc, VANCOUVER_CRC);
  std::set<uint32_t> crcs;
  int usa = 0;
  for (CLocation* location : All_Locations()) {
    crcs.insert(location->crc);
    const bool in_usa = std::string(location->Country) == "USA";
    usa += in_usa;
    EXPECT_EQ(strlen(location->State), in_usa ? 2u : 0u) << Description(*location);
    EXPECT_TRUE(in_usa ? location->dir_ns == CLatLon::N && location->dir_ew == CLatLon::W : true);
  }
  EXPECT_EQ(usa, 115);
  EXPECT_EQ(crcs.size(), 363u) << "two built-in cities share an identity";
}

TEST_F(LocationListTest, builtin_telling_rows_have_their_exact_coordinates) {
  CLocationList::Init_Locations();
  struct Row {
    const char* description;
    int lat_deg, lat_min, dir_ns, lon_deg, lon_min, dir_ew;
  };
  using enum CLatLon::Direction;
  for (const Row& row : {Row{"Kabul, AFGHANISTAN", 34, 35, N, 69, 12, E},
                         Row{"Buenos Aires, ARGENTINA", 34, 35, S, 58, 29, W},
                         Row{"Sydney, AUSTRALIA", 33, 52, S, 151, 12, E},
                         Row{"London, ENGLAND", 51, 29, N, 0, 0, W},
                         Row{"Quito, EQUADOR", 0, 13, S, 78, 32, W},
                         Row{"Hammerfest, NORWAY", 70, 38, N, 23, 38, E},
                         Row{"Punta Arenas, CHILE", 53, 10, S, 70, 54, W},
                         Row{"S\xE3o Paulo, BRAZIL", 23, 33, S, 46, 38, W},
                         Row{"Wellington, NEW ZEALAND", 41, 17, S, 174, 46, E},
                         Row{"New York, NY, USA", 40, 47, N, 73, 58, W},
                         Row{"Honolulu, HI, USA", 21, 18, N, 157, 50, W},
                         Row{"Vancouver, CANADA", 49, 16, N, 123, 7, W}}) {
    const CLocation* l = Find(row.description);
    ASSERT_NE(l, nullptr) << row.description;
    EXPECT_EQ(std::vector<int>({l->lat_deg, l->lat_min, l->dir_ns, l->lon_deg, l->lon_min,
                                l->dir_ew}),
              std::vector<int>({row.lat_deg, row.lat_min, row.dir_ns, row.lon_deg, row.lon_min,
                                row.dir_ew}))
        << row.description;
  }
  const std::vector<CLocation*> all = All_Locations();
  auto by_latitude = [](CLocation* a, CLocation* b) { return a->latitude < b->latitude; };
  EXPECT_STREQ((*std::max_element(all.begin(), all.end(), by_latitude))->City, "Hammerfest");
  EXPECT_STREQ((*std::min_element(all.begin(), all.end(), by_latitude))->City, "Punta Arenas");
}

TEST_F(LocationListTest, user_line_with_dashes_reads_back_with_empty_texts) {
  write_file(user_file(), "Springfield,-,Freedonia,39,48,0,89,39,3\n");
  CLocationList::Init_Locations();
  ASSERT_EQ(All_Locations().size(), 364u);
  CLocation* springfield = All_Locations().front();
  EXPECT_EQ(Description(*springfield), "Springfield, Freedonia");
  EXPECT_STREQ(springfield->State, "");
  EXPECT_FALSE(springfield->Get_Is_Official());
  EXPECT_EQ(springfield->crc, Location_Crc32("Springfield, Freedonia"));
  EXPECT_DOUBLE_EQ(springfield->longitude, -(89 + 39 / 60.0));
}

TEST_F(LocationListTest, user_lines_split_on_runs_of_tabs_and_commas_after_leading_space) {
  write_file(user_file(),
             "\n   Oslo West\t,\t-,,NORWAY,59,55,0,10,40,2\r\n\r\nAtlantis,Deep,-,1x,2,1,3,4,3");
  const std::string log = Init_Logged();
  ASSERT_NE(Find("Oslo West, NORWAY"), nullptr);
  const CLocation* atlantis = Find("Atlantis, Deep");
  ASSERT_NE(atlantis, nullptr);
  EXPECT_EQ(atlantis->lat_deg, 1);
  EXPECT_EQ(atlantis->dir_ew, CLatLon::W);
  EXPECT_NE(log.find("    City:    >Oslo West<\n    State:   >-<\n    Country: >NORWAY<\n"),
            std::string::npos);
  EXPECT_NE(log.find("    Lon dir: >2<\n\n"), std::string::npos);
  EXPECT_EQ(log.find("skipped"), std::string::npos);
}

TEST_F(LocationListTest, shown_data_marks_by_crc_and_ignores_zero_and_strangers) {
  write_file(shown_file(), "0\n2484363350\r\n4000000000\n\n");
  CLocationList::Init_Locations();
  const std::vector<CLocation*> shown = Shown_Locations();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(Description(*shown[0]), "Vancouver, CANADA");
  ASSERT_TRUE(CLocationList::Save_Is_Shown_Data());
  EXPECT_EQ(read_text_file(shown_file()), "2484363350\n");
}

// Both files may be copied from the other system: each reads the same with
// LF and with CR LF line ends.
TEST_F(LocationListTest, files_with_either_line_end_read_the_same) {
  const uint32_t springfield_crc = Location_Crc32("Springfield, Freedonia");
  for (const std::string end : {"\n", "\r\n"}) {
    SCOPED_TRACE(end == "\n" ? "LF" : "CR LF");
    write_file(user_file(), "Springfield,-,Freedonia,39,48,0,89,39,3" + end +
                                "Atlantis,-,-,1,2,1,3,4,2" + end);
    write_file(shown_file(), "2484363350" + end + std::to_string(springfield_crc) + end);
    const std::string log = Init_Logged();
    EXPECT_EQ(log.find("skipped"), std::string::npos) << log;
    const CLocation* springfield = Find("Springfield, Freedonia");
    ASSERT_NE(springfield, nullptr);
    EXPECT_EQ(springfield->dir_ew, CLatLon::W);
    EXPECT_TRUE(springfield->is_shown);
    ASSERT_NE(Find("Atlantis"), nullptr);
    EXPECT_EQ(Find("Atlantis")->dir_ew, CLatLon::E);
    EXPECT_TRUE(Find("Vancouver, CANADA")->is_shown);
    EXPECT_EQ(Shown_Locations().size(), 2u);
    CSmartObjectMgr::Close();
  }
}

TEST_F(LocationListTest, a_user_city_equal_to_a_builtin_one_shares_its_identity) {
  write_file(user_file(), "Vancouver,-,CANADA,49,15,0,123,6,3\n");
  write_file(shown_file(), "2484363350\n");
  CLocationList::Init_Locations();
  const std::vector<CLocation*> shown = Shown_Locations();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0]->crc, shown[1]->crc);
  EXPECT_NE(shown[0]->Get_Is_Official(), shown[1]->Get_Is_Official());
}

TEST_F(LocationListTest, load_and_save_keep_every_record) {
  const std::string users =
      "Springfield,-,Freedonia,39,48,0,89,39,3\n"
      "Vancouver,-,CANADA,49,15,0,123,6,3\n"
      "Ch\xE2teau,Loire,FRANCE,47,35,0,1,20,2\n"
      "Nowhere,-,-,0,0,1,180,0,3\n";
  write_file(user_file(), users);
  write_file(shown_file(), "2484363350\n1154135675\n");
  CLocationList::Init_Locations();
  ASSERT_TRUE(CLocationList::Save_Is_Shown_Data());
  ASSERT_TRUE(CLocationList::Save_User_Locations());
  EXPECT_EQ(Sorted_Lines(read_text_file(user_file())), Sorted_Lines(users));
  EXPECT_EQ(Sorted_Lines(read_text_file(shown_file())),
            Sorted_Lines("1154135675\n2484363350\n2484363350\n"));
  EXPECT_FALSE(file_exists(user_file() + ".tmp"));

  CSmartObjectMgr::Close();
  CLocationList::Init_Locations();
  EXPECT_EQ(All_Locations().size(), 367u);
  EXPECT_EQ(Shown_Locations().size(), 3u);
}

TEST_F(LocationListTest, damaged_user_lines_are_skipped_logged_and_kept) {
  const std::string damaged[] = {
      "Short,-,X,1,2",                    // line 2: fewer than nine fields
      "North,-,X,1,2,2,3,4,3",            // line 3: E as the latitude's direction
      "Upside,-,X,1,2,7,3,4,3",           // line 4: no such direction
      "Polar,-,X,90,30,0,0,0,2",          // line 5: beyond the pole
      "Comma, City,-,X,1,2,0,3,4,2",      // line 6: a comma inside the name
      "Minus,-,X,-1,2,0,3,4,2",           // line 7: negative degrees
      std::string(1200, 'y') + ",-,X,1,2,0,3,4,2",  // line 8: too long, also for City
  };
  std::string content = "Good,-,X,1,2,0,3,4,2\n";
  for (const std::string& line : damaged) content += line + "\n";
  content += "Also Good,-,X,5,6,1,7,8,3\n";
  write_file(user_file(), content);

  const std::string log = Init_Logged();
  EXPECT_EQ(All_Locations().size(), 365u);
  EXPECT_NE(Find("Good, X"), nullptr);
  EXPECT_NE(Find("Also Good, X"), nullptr);
  for (int line = 2; line <= 8; ++line) {
    EXPECT_NE(log.find("  ob3d_uc.dat line " + std::to_string(line) + " skipped ("),
              std::string::npos)
        << line;
  }
  EXPECT_NE(log.find("line 5 skipped (illegal lat/long)"), std::string::npos);
  EXPECT_NE(log.find("line 3 skipped (dir_ns == N || dir_ns == S)"), std::string::npos);

  ASSERT_TRUE(CLocationList::Save_User_Locations());
  EXPECT_EQ(Sorted_Lines(read_text_file(user_file())), Sorted_Lines(content));
}

// A record with a NUL byte would lose the rest of its name: it is kept and
// goes back to the file byte for byte. Doubled carriage returns end a line,
// and blanks before the city are dropped even after a leading comma.
TEST_F(LocationListTest, nul_bytes_are_refused_and_kept_byte_for_byte) {
  const std::string damaged("Broken\0Line,-,X,1,2,0,3,4,2\n", 28);
  write_file(user_file(),
             damaged + "Doubled,-,X,1,2,0,3,4,2\r\r\n, \tLeading,-,X,1,2,0,3,4,2\n");
  write_file(shown_file(), damaged);
  const std::string log = Init_Logged();
  EXPECT_NE(log.find("  ob3d_uc.dat line 1 skipped (a NUL byte)"), std::string::npos) << log;
  EXPECT_NE(Find("Doubled, X"), nullptr);
  EXPECT_NE(Find("Leading, X"), nullptr);
  ASSERT_TRUE(CLocationList::Save_User_Locations());
  ASSERT_TRUE(CLocationList::Save_Is_Shown_Data());
  EXPECT_EQ(Sorted_Lines(read_text_file(user_file())),
            Sorted_Lines(damaged + "Doubled,-,X,1,2,0,3,4,2\nLeading,-,X,1,2,0,3,4,2\n"));
  EXPECT_EQ(read_text_file(shown_file()), damaged);
}

// Lines of random fields near every limit the reader checks: whatever a hand
// edit leaves, each line is either loaded or kept, and nothing stops.
TEST_F(LocationListTest, random_user_lines_never_stop_the_program_and_are_never_lost) {
  std::mt19937 generator(20261208);
  const std::string long_name(CLocationData::NAME_SIZE, 'n');
  const std::vector<std::string> tokens = {
      "-", "0", "1", "2", "3", "4", "59", "60", "89", "90", "179", "180", "181", "-1", "+5",
      "7x", "99999999999", "a", "Caf\xE9", " ", "\r", long_name};
  const std::vector<std::string> directions = {"0", "1", "2", "3", "4", "N"};
  const std::vector<std::string> separators = {",", "\t", ",,", ", ", "\t,"};
  std::string content;
  for (int i = 0; i < 3000; ++i) {
    const size_t fields = 8 + generator() % 3;
    std::string line = "City" + std::to_string(i);
    for (size_t f = 1; f < fields; ++f) {
      const std::vector<std::string>& choices = f == 5 || f == 8 ? directions : tokens;
      line += separators[generator() % separators.size()] + choices[generator() % choices.size()];
    }
    content += line + "\n";
  }
  write_file(user_file(), content);
  CLocationList::Init_Locations();
  const size_t loaded = All_Locations().size() - 363;
  EXPECT_GT(loaded, 0u);
  ASSERT_TRUE(CLocationList::Save_User_Locations());
  EXPECT_EQ(Sorted_Lines(read_text_file(user_file())).size(), 3000u);
  CSmartObjectMgr::Close();
  CLocationList::Init_Locations();
  EXPECT_EQ(All_Locations().size() - 363, loaded);
}

TEST_F(LocationListTest, shown_lines_that_are_not_numbers_are_skipped_logged_and_kept) {
  write_file(shown_file(), "Vancouver\n2484363350\n-5\n12abc\n99999999999\n");
  const std::string log = Init_Logged();
  EXPECT_EQ(Shown_Locations().size(), 1u);
  for (int line : {1, 3, 4, 5}) {
    EXPECT_NE(log.find("  ob3d_is.dat line " + std::to_string(line) + " skipped (not a number)"),
              std::string::npos)
        << line;
  }
  ASSERT_TRUE(CLocationList::Save_Is_Shown_Data());
  EXPECT_EQ(Sorted_Lines(read_text_file(shown_file())),
            Sorted_Lines("Vancouver\n2484363350\n-5\n12abc\n99999999999\n"));
}

TEST_F(LocationListTest, a_failed_save_reports_it_and_leaves_the_old_file) {
  write_file(user_file(), "Springfield,-,Freedonia,39,48,0,89,39,3\n");
  CLocationList::Init_Locations();
  // The save would write nothing now; the old file must survive it whole.
  All_Locations().front()->Set_Is_Official(true);
  std::filesystem::create_directory(user_file() + ".tmp");
  CUtility::Set_Logging(true);
  ::testing::internal::CaptureStdout();
  EXPECT_FALSE(CLocationList::Save_User_Locations());
  EXPECT_NE(::testing::internal::GetCapturedStdout().find("  cannot create "), std::string::npos);
  EXPECT_EQ(read_file(user_file()), "Springfield,-,Freedonia,39,48,0,89,39,3\n");
}

TEST_F(LocationListTest, saving_creates_a_missing_program_folder) {
  const std::string nested = folder.path() + "/not/yet";
  setenv("ORBALUNE3D_HOME", nested.c_str(), 1);
  CLocationList::Init_Locations();
  Find("Vancouver, CANADA")->is_shown = true;
  ASSERT_TRUE(CLocationList::Save_Is_Shown_Data());
  EXPECT_EQ(read_text_file(nested + "/ob3d_is.dat"), "2484363350\n");
}

}  // namespace
