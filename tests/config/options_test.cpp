// The option set in fresh processes on a real store: every option created
// with its default, write-through seen by the next start, the option dump,
// the start-up repair of unusable values and one read of a large store.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "config/options.h"
#include "host/saver_window.h"
#include "platform/store_test_home.h"
#include "utilitylib/utility.h"

namespace {

const char ACTION_VARIABLE[] = "OB3D_OPTIONS_ACTION";

// Starts this test program again on the test's store folder, so that the
// option objects are constructed anew before main; the helper below then
// does the action. Returns the exit code.
int run_fresh_process(const std::string& home, const char* action) {
  const pid_t pid = fork();
  if (pid == 0) {
    setenv("ORBALUNE3D_HOME", home.c_str(), 1);
    setenv(ACTION_VARIABLE, action, 1);
    freopen("/dev/null", "w", stdout);
    execl("/proc/self/exe", "options_helper", "--gtest_filter=options_process.DISABLED_helper",
          "--gtest_also_run_disabled_tests", static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

// Not a test: the body of the processes that run_fresh_process starts.
TEST(options_process, DISABLED_helper) {
  const std::string action = getenv(ACTION_VARIABLE) ? getenv(ACTION_VARIABLE) : "";
  if (action == "dump") {
    CUtility::Set_Logging(true);
    COptions::Dump_To_Logfile();
  } else if (action == "init") {
    Init_Application();
  } else if (action == "init_and_count_reads") {
    Init_Application();
    write_file(std::string(getenv("ORBALUNE3D_HOME")) + "/reads", read_file("/proc/self/io"));
  } else if (action == "set") {
    COptions::UsageCount.Set(41);
    COptions::FactorCameraFov.Set(0.25f);
    COptions::ShowEarth.Set(false);
    COptions::CitiesHeading.Set("Z\xfcrich \"centre\"");
  }
  // Ends before static destructors, which may log, so the log holds only the
  // action's lines.
  fflush(stdout);
  _exit(0);
}

class options : public StoreHomeTest {
 protected:
  std::string log_text() const { return read_file(home.file("_vantrel_ob3d.txt")); }
};

TEST_F(options, first_start_creates_every_option_with_its_default) {
  ASSERT_EQ(run_fresh_process(home.path(), "start"), 0);
  EXPECT_EQ(store_text(), std::string("Orbalune 3D Options Store 1\n\n") + TEST_KEY_LINE +
                              "\n"
                              "\"ShowEarth\"=dword:00000001\n"
                              "\"ShowSun\"=dword:00000001\n"
                              "\"ShowMoon\"=dword:00000001\n"
                              "\"ShowNebulae\"=dword:00000001\n"
                              "\"ShowStars\"=dword:00000001\n"
                              "\"ShowClouds\"=dword:00000001\n"
                              "\"ShowAtmosphere\"=dword:00000001\n"
                              "\"ShowLensFlare\"=dword:00000001\n"
                              "\"ShowLatLong\"=dword:00000000\n"
                              "\"ShowLines\"=dword:00000000\n"
                              "\"ShowLabel\"=dword:00000000\n"
                              "\"ShowLocalTime\"=dword:00000000\n"
                              "\"ShowUniversalTime\"=dword:00000001\n"
                              "\"ShowCities\"=dword:00000001\n"
                              "\"ShowCityNames\"=dword:00000000\n"
                              "\"ShowStateNames\"=dword:00000000\n"
                              "\"ShowCountryNames\"=dword:00000000\n"
                              "\"PixelAlignedText\"=dword:00000000\n"
                              "\"ShowFramerate\"=dword:00000000\n"
                              "\"IsEarthTransparent\"=dword:00000000\n"
                              "\"RotateEast\"=dword:00000001\n"
                              "\"UseDaylightCompensation\"=dword:00000001\n"
                              "\"ReleaseLogging\"=dword:00000000\n"
                              "\"PlayMusic\"=dword:00000000\n"
                              "\"FactorBodySize\"=dword:3ea8f5c3\n"
                              "\"FactorCameraFov\"=dword:3f333333\n"
                              "\"FactorCameraRotationSpeed\"=dword:3e333333\n"
                              "\"FactorDarkSideBrightness\"=dword:3e6b851f\n"
                              "\"FactorCitiesPersistence\"=dword:3f59999a\n"
                              "\"FactorTimeAcceleration\"=dword:00000000\n"
                              "\"SunColorEnum\"=dword:00000002\n"
                              "\"NebulaColorEnum\"=dword:00000002\n"
                              "\"CustomSunColor\"=dword:00ffffff\n"
                              "\"CustomNebulaColor\"=dword:00660000\n"
                              "\"CurrentConfigureSheet\"=dword:00000000\n"
                              "\"VersionMajor\"=dword:00000003\n"
                              "\"VersionMinor\"=dword:00000000\n"
                              "\"GeoLocationCrc\"=dword:00000000\n"
                              "\"UsageCount\"=dword:00000000\n"
                              "\"MinCloudQuantity\"=dword:00000028\n"
                              "\"MinNebulaeQuantity\"=dword:00000028\n"
                              "\"BailCountdownS\"=dword:00000000\n"
                              "\"CitiesHeading\"=\"\"\n"
                              "\"M3uFilename\"=\"\"\n"
                              "\"AppDir\"=\"\"\n");
}

TEST_F(options, dump_of_the_defaults_has_the_exact_lines) {
  ASSERT_EQ(run_fresh_process(home.path(), "dump"), 0);
  EXPECT_EQ(log_text(),
            "COptions::Dump_To_Logfile:\n"
            "  ShowEarth                   1\n"
            "  ShowSun:                    1\n"
            "  ShowMoon:                   1\n"
            "  ShowNebulae:                1\n"
            "  ShowStars:                  1\n"
            "  ShowClouds:                 1\n"
            "  ShowAtmosphere:             1\n"
            "  ShowLensFlare:              1\n"
            "  ShowLatLong:                0\n"
            "  ShowLines:                  0\n"
            "  ShowLabel:                  0\n"
            "  ShowLocalTime:              0\n"
            "  ShowUniversalTime:          1\n"
            "  ShowCities:                 1\n"
            "  ShowCityNames:              0\n"
            "  ShowStateNames:             0\n"
            "  ShowCountryNames:           0\n"
            "  PixelAlignedText:           0\n"
            "  ShowFramerate:              0\n"
            "  IsEarthTransparent:         0\n"
            "  RotateEast:                 1\n"
            "  UseDaylightCompensation:    1\n"
            "  ReleaseLogging:             0\n"
            "  PlayMusic:                  0\n"
            "  FactorBodySize:             0.33 \n"
            "  FactorCameraFov:            0.70 \n"
            "  FactorCameraRotationSpeed:  0.17 \n"
            "  FactorDarkSideBrightness:   0.23 \n"
            "  FactorCitiesPersistence:    0.85 \n"
            "  FactorTimeAcceleration:     0.00 \n"
            "  SunColorEnum:               2\n"
            "  NebulaColorEnum:            2\n"
            "  CustomSunColor:             16777215\n"
            "  CustomNebulaColor:          6684672\n"
            "  CurrentConfigureSheet:      0\n"
            "  VersionMajor:               3\n"
            "  VersionMinor:               0\n"
            "  GeoLocationCrc:             0\n"
            "  UsageCount:                 0\n"
            "  MinCloudQuantity:           40\n"
            "  MinNebulaeQuantity:         40\n"
            "  CitiesHeading:              \n"
            "  M3uFilename:                \n"
            "  AppDir:                     \n");
}

TEST_F(options, values_set_in_one_process_are_read_by_the_next) {
  ASSERT_EQ(run_fresh_process(home.path(), "set"), 0);
  ASSERT_EQ(run_fresh_process(home.path(), "dump"), 0);
  const std::string log = log_text();
  EXPECT_NE(log.find("  ShowEarth                   0\n"), std::string::npos) << log;
  EXPECT_NE(log.find("  FactorCameraFov:            0.25 \n"), std::string::npos);
  EXPECT_NE(log.find("  UsageCount:                 41\n"), std::string::npos);
  EXPECT_NE(log.find("  CitiesHeading:              Z\xfcrich \"centre\"\n"), std::string::npos);
}

TEST_F(options, a_boolean_stored_as_two_dumps_as_zero_and_stays_two) {
  write_store("\"ShowMoon\"=dword:00000002\n");
  ASSERT_EQ(run_fresh_process(home.path(), "dump"), 0);
  EXPECT_NE(log_text().find("  ShowMoon:                   0\n"), std::string::npos);
  EXPECT_EQ(stored_line("ShowMoon"), "\"ShowMoon\"=dword:00000002");
}

TEST_F(options, start_up_stores_unknown_colour_modes_as_changing_and_mixture) {
  write_store("\"SunColorEnum\"=dword:00000007\n\"NebulaColorEnum\"=dword:00000007\n");
  ASSERT_EQ(run_fresh_process(home.path(), "init"), 0);
  EXPECT_EQ(stored_line("SunColorEnum"), "\"SunColorEnum\"=dword:00000002");
  EXPECT_EQ(stored_line("NebulaColorEnum"), "\"NebulaColorEnum\"=dword:00000002");
}

TEST_F(options, start_up_writes_back_the_sound_form_of_unusable_values_and_reports_each_once) {
  write_store(
      "\"ReleaseLogging\"=dword:00000001\n"
      "\"FactorBodySize\"=dword:7fc00000\n"             // NaN
      "\"FactorCameraFov\"=dword:ff800000\n"            // -inf
      "\"FactorCameraRotationSpeed\"=dword:3fc00000\n"  // 1.5
      "\"FactorDarkSideBrightness\"=dword:bf800000\n"   // -1
      "\"FactorCitiesPersistence\"=dword:3f000000\n"    // 0.5, sound
      "\"FactorTimeAcceleration\"=dword:7f800000\n"     // +inf
      "\"SunColorEnum\"=dword:80000000\n"
      "\"NebulaColorEnum\"=dword:00000003\n"
      "\"CurrentConfigureSheet\"=dword:00000005\n"
      "\"UsageCount\"=dword:7fffffff\n"
      "\"CustomSunColor\"=dword:ffffffff\n"
      "\"GeoLocationCrc\"=dword:80000000\n"
      "\"MinCloudQuantity\"=dword:80000000\n"
      "\"BailCountdownS\"=dword:ffffffff\n");
  ASSERT_EQ(run_fresh_process(home.path(), "init"), 0);
  EXPECT_EQ(stored_line("FactorBodySize"), "\"FactorBodySize\"=dword:3ea8f5c3");
  EXPECT_EQ(stored_line("FactorCameraFov"), "\"FactorCameraFov\"=dword:3f333333");
  EXPECT_EQ(stored_line("FactorCameraRotationSpeed"),
            "\"FactorCameraRotationSpeed\"=dword:3f800000");
  EXPECT_EQ(stored_line("FactorDarkSideBrightness"),
            "\"FactorDarkSideBrightness\"=dword:00000000");
  EXPECT_EQ(stored_line("FactorCitiesPersistence"), "\"FactorCitiesPersistence\"=dword:3f000000");
  EXPECT_EQ(stored_line("FactorTimeAcceleration"), "\"FactorTimeAcceleration\"=dword:00000000");
  EXPECT_EQ(stored_line("SunColorEnum"), "\"SunColorEnum\"=dword:00000002");
  EXPECT_EQ(stored_line("NebulaColorEnum"), "\"NebulaColorEnum\"=dword:00000002");
  EXPECT_EQ(stored_line("CurrentConfigureSheet"), "\"CurrentConfigureSheet\"=dword:00000000");
  EXPECT_EQ(stored_line("UsageCount"), "\"UsageCount\"=dword:7ffffffe");
  // Any word suits these.
  EXPECT_EQ(stored_line("CustomSunColor"), "\"CustomSunColor\"=dword:ffffffff");
  EXPECT_EQ(stored_line("GeoLocationCrc"), "\"GeoLocationCrc\"=dword:80000000");
  EXPECT_EQ(stored_line("MinCloudQuantity"), "\"MinCloudQuantity\"=dword:80000000");
  EXPECT_EQ(stored_line("BailCountdownS"), "\"BailCountdownS\"=dword:ffffffff");

  const std::string log = log_text();
  for (const char* line :
       {"options: FactorBodySize nan cannot be used and becomes 0.33\n",
        "options: FactorCameraFov -inf cannot be used and becomes 0.7\n",
        "options: FactorCameraRotationSpeed 1.5 cannot be used and becomes 1\n",
        "options: FactorDarkSideBrightness -1 cannot be used and becomes 0\n",
        "options: FactorTimeAcceleration inf cannot be used and becomes 0\n",
        "options: SunColorEnum -2147483648 cannot be used and becomes 2\n",
        "options: NebulaColorEnum 3 cannot be used and becomes 2\n",
        "options: CurrentConfigureSheet 5 cannot be used and becomes 0\n",
        "options: UsageCount 2147483647 cannot be used and becomes 2147483646\n"})
    EXPECT_NE(log.find(line), std::string::npos) << line << log;
  size_t reports = 0;
  for (size_t at = log.find("options: "); at != std::string::npos;
       at = log.find("options: ", at + 1))
    ++reports;
  EXPECT_EQ(reports, 9u) << log;

  // Once written back, the values start without a report.
  ASSERT_EQ(remove(home.file("_vantrel_ob3d.txt").c_str()), 0);
  ASSERT_EQ(run_fresh_process(home.path(), "init"), 0);
  EXPECT_EQ(log_text().find("options: "), std::string::npos) << log_text();
}

// The whole start-up, with every option object, on a store of 1 MB.
TEST_F(options, a_start_reads_a_large_store_only_once) {
  ASSERT_EQ(run_fresh_process(home.path(), "start"), 0);
  std::string extra;
  for (int i = 0; i < 40000; ++i) extra += "\"V" + std::to_string(i) + "\"=dword:00000000\n";
  write_file(store_file(), store_text() + extra);
  const long store_size = long(store_text().size());
  ASSERT_EQ(run_fresh_process(home.path(), "init_and_count_reads"), 0);
  const std::string io = read_file(home.file("reads"));
  const size_t at = io.find("rchar: ");
  ASSERT_NE(at, std::string::npos) << io;
  EXPECT_LT(atol(io.c_str() + at + 7), 2 * store_size) << io;
}

TEST_F(options, start_up_logs_only_when_release_logging_is_exactly_one) {
  write_store("\"ReleaseLogging\"=dword:00000002\n");
  ASSERT_EQ(run_fresh_process(home.path(), "init"), 0);
  EXPECT_FALSE(file_exists(home.file("_vantrel_ob3d.txt")));
  write_store("\"ReleaseLogging\"=dword:00000001\n");
  ASSERT_EQ(run_fresh_process(home.path(), "init"), 0);
  const std::string log = log_text();
  EXPECT_EQ(log.rfind("=============================================================\n"
                      "Logfile for Orbalune 3D by Vantrel\n",
                      0),
            0u)
      << log;
  EXPECT_NE(log.find("COptions::Dump_To_Logfile:\n  ShowEarth                   1\n"),
            std::string::npos);
  EXPECT_NE(log.find("  ReleaseLogging:             1\n"), std::string::npos);
}

}  // namespace
