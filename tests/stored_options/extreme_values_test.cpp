// The whole program started on options stores in which every value holds an
// extreme word (the sign bit alone, all bits, the largest int, the float
// bits of NaN, of both infinities, of 1.5, of -1 and of the largest float):
// the saver draws its frames, full-screen and offscreen, the settings open,
// Controls page included, and what start-up could not use is in the store
// in its sound form afterwards.
#include <gtest/gtest.h>
#include <signal.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file_store_format.h"
#include "platform/store_test_home.h"
#include "support/run_program.h"

namespace {

using platform::file::StoreDocument;
using platform::file::StoreEntry;

const uint32_t EXTREME_WORDS[] = {0x80000000, 0xffffffff, 0x7fffffff, 0x7fc00000, 0x7f800000,
                                  0xff800000, 0x3fc00000, 0xbf800000, 0x7f7fffff};
// Switches are on for 1 only and suit any word; they are on here, so that
// everything is drawn, but for the music, which would start a player.
const std::set<std::string> SWITCHES = {
    "ShowEarth", "ShowSun", "ShowMoon", "ShowNebulae", "ShowStars", "ShowClouds",
    "ShowAtmosphere", "ShowLensFlare", "ShowLatLong", "ShowLines", "ShowLabel", "ShowLocalTime",
    "ShowUniversalTime", "ShowCities", "ShowCityNames", "ShowStateNames", "ShowCountryNames",
    "PixelAlignedText", "ShowFramerate", "IsEarthTransparent", "RotateEast",
    "UseDaylightCompensation", "ReleaseLogging"};
const uint32_t CONTROLS_PAGE = 2;
const double RUN_TIMEOUT_S = 300;
const double WINDOW_TIMEOUT_S = 30;

std::string word_text(uint32_t word) {
  char text[16];
  snprintf(text, sizeof text, "%08x", word);
  return text;
}

uint32_t word_of(const StoreEntry& entry) {
  uint32_t word = 0;
  for (int i = 3; i >= 0; --i) word = (word << 8) | (unsigned char)entry.data[i];
  return word;
}

class ExtremeValues : public StoreHomeTest {
 protected:
  // Every option a first start writes, with every word but the switches'
  // (and the settings page's, when given) replaced by `word`, and texts a
  // terminal would choke on. With `custom_colours` both colour modes are 0,
  // so that the custom colours, `word` as well, are drawn.
  void write_extreme_store(uint32_t word, const uint32_t* page = nullptr,
                           bool custom_colours = false) {
    if (!file_exists(store_file())) {
      ASSERT_EQ(run_program(program_argv({"--snapshot", home.file("first.png"), "--size",
                                          "64x48", "--frames", "1"}),
                            {}, RUN_TIMEOUT_S)
                    .exit_code,
                0);
    }
    std::string values;
    for (const StoreEntry& entry : platform::file::parse_store(store_text()).entries) {
      if (entry.kind != StoreEntry::Kind::Value) continue;
      const std::string& name = entry.text;
      std::string value = "dword:" + word_text(word);
      if (SWITCHES.count(name)) value = "dword:00000001";
      if (name == "PlayMusic") value = "dword:00000000";
      if (name == "CurrentConfigureSheet" && page) value = "dword:" + word_text(*page);
      if (custom_colours && (name == "SunColorEnum" || name == "NebulaColorEnum"))
        value = "dword:00000000";
      if (entry.type == platform::StoreType::String)
        value = "\"\\x1b[2J\\x07\\xff" + std::string(480, '\xe9') + "\"";
      values += "\"" + name + "\"=" + value + "\n";
    }
    write_store(values);
  }

  // Every value that start-up repairs is in its range now.
  void expect_sound_store() {
    std::map<std::string, uint32_t> words;
    for (const StoreEntry& entry : platform::file::parse_store(store_text()).entries) {
      if (entry.kind == StoreEntry::Kind::Value && entry.type == platform::StoreType::Dword)
        words[entry.text] = word_of(entry);
    }
    for (const char* factor : {"FactorBodySize", "FactorCameraFov", "FactorCameraRotationSpeed",
                               "FactorDarkSideBrightness", "FactorCitiesPersistence",
                               "FactorTimeAcceleration"}) {
      const float value = std::bit_cast<float>(words.at(factor));
      EXPECT_TRUE(value >= 0 && value <= 1) << factor << " " << value;
    }
    for (const char* mode : {"SunColorEnum", "NebulaColorEnum"})
      EXPECT_LE(words.at(mode), 2u) << mode;
    EXPECT_LE(words.at("CurrentConfigureSheet"), 4u);
    EXPECT_LE(words.at("UsageCount"), 0x7fffffffu);
  }
};

void expect_no_assertion(const std::string& log) {
  EXPECT_EQ(log.find("Assert"), std::string::npos) << log.substr(log.find("Assert"), 200);
}

TEST_F(ExtremeValues, every_word_starts_the_saver_offscreen_and_is_written_back_sound) {
  for (const bool custom_colours : {false, true}) {
    for (const uint32_t word : EXTREME_WORDS) {
      SCOPED_TRACE(word_text(word) + (custom_colours ? " custom colours" : ""));
      write_extreme_store(word, nullptr, custom_colours);
      const ProgramResult result = run_program(
          program_argv({"--snapshot", home.file("extreme.png"), "--size", "160x120", "--frames",
                        "3"}),
          {}, RUN_TIMEOUT_S);
      EXPECT_EQ(result.exit_code, 0) << result.err;
      EXPECT_FALSE(result.timed_out);
      expect_no_assertion(result.out);
      expect_sound_store();
    }
  }
}

TEST_F(ExtremeValues, the_full_screen_saver_runs_on_them_until_it_is_ended) {
  XServer server(24);
  ASSERT_TRUE(server.ok());
  for (const uint32_t word : {0x7fc00000u, 0x80000000u}) {
    SCOPED_TRACE(word_text(word));
    write_extreme_store(word);
    RunningProgram saver(program_argv({"/s"}), server.environment());
    EXPECT_TRUE(eventually(
        [&] { return saver.out().find("ScreenSaverChildProc:WM_SIZE\n") != std::string::npos; },
        WINDOW_TIMEOUT_S))
        << saver.out();
    EXPECT_FALSE(saver.wait(1.5)) << "the saver ended by itself";
    saver.signal(SIGTERM);
    const ProgramResult result = saver.finish(WINDOW_TIMEOUT_S);
    EXPECT_EQ(result.exit_code, 0) << result.err;
    expect_no_assertion(result.out);
  }
}

TEST_F(ExtremeValues, the_settings_open_on_them_controls_page_included) {
  XServer server(24);
  ASSERT_TRUE(server.ok());
  for (const uint32_t word : EXTREME_WORDS) {
    SCOPED_TRACE(word_text(word));
    // The odd words paint the "Choose..." buttons in custom colours.
    write_extreme_store(word, &CONTROLS_PAGE, word & 1);
    RunningProgram settings(program_argv({"/c"}), server.environment());
    EXPECT_NE(server.wait_for_window_name("^Orbalune 3D$", WINDOW_TIMEOUT_S), 0u);
    EXPECT_TRUE(eventually(
        [&] {
          return settings.out().find("CConfigureControls::Init_Controls\n") != std::string::npos;
        },
        WINDOW_TIMEOUT_S));
    EXPECT_FALSE(settings.wait(0.5)) << "the settings ended by themselves";
    settings.signal(SIGTERM);
    settings.finish(WINDOW_TIMEOUT_S);
    expect_no_assertion(settings.out());
    expect_sound_store();
  }
}

}  // namespace
