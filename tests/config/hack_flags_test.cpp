// XScreenSaver-style flags: every flag that the settings description offers
// is accepted in both spellings and changes its option for this run only,
// and bad flags are refused with the word at fault.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "config/hack_flags.h"
#include "config/options.h"
#include "locations/location_crc.h"
#include "utilitylib/registry.h"

namespace {

// The value of an option as the options store holds it.
uint32_t Stored_Word(const char* name) {
  CRegistry registry;
  registry.Open(&platform::CURRENT_USER, "Software\\Vantrel\\Orbalune 3D");
  uint32_t word = 0xDEADBEEF;
  registry.Get_Dword(name, &word);
  return word;
}

const char* Option_Name(const HackFlag& flag) {
  if (flag.switch_option) return flag.switch_option->Get_Name();
  if (flag.slider_option) return flag.slider_option->Get_Name();
  return flag.int_option->Get_Name();
}

// What a flag's option reads now, as a number.
double Option_Value(const HackFlag& flag) {
  if (flag.switch_option) return flag.switch_option->Get();
  if (flag.slider_option) return flag.slider_option->Get();
  return flag.int_option->Get();
}

const HackFlag* Flag_Named(const std::string& name) {
  for (const HackFlag* flag = Hack_Flags_Begin(); flag != Hack_Flags_End(); ++flag) {
    if (name == flag->name) return flag;
  }
  return nullptr;
}

bool Apply(std::vector<std::string> words, std::string* error) {
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  HackFlagChanges changes;
  if (!Parse_Hack_Flags(int(argv.size()), argv.data(), &changes, error)) return false;
  Apply_Hack_Flags(changes);
  return true;
}

class HackFlagsTest : public ::testing::Test {
 protected:
  // Overrides stay in this process: put back what the store holds.
  void TearDown() override {
    for (const HackFlag* flag = Hack_Flags_Begin(); flag != Hack_Flags_End(); ++flag) {
      if (flag->switch_option) flag->switch_option->Set(flag->switch_option->Get_Default());
      if (flag->slider_option) flag->slider_option->Reset_To_Default();
      if (flag->int_option) flag->int_option->Reset_To_Default();
    }
  }
};

// Each arg, arg-set and arg-unset of the description, with a slider's "%"
// replaced by a position away from the default and a text's by a city.
TEST_F(HackFlagsTest, every_flag_of_the_settings_description_changes_its_option_only_in_memory) {
  const std::string xml = Hack_Flags_Xscreensaver_Xml();
  const std::regex control("id=\"([a-z-]+)\"[^>]*?(arg|arg-set|arg-unset)=\"-([^\"]+)\"");
  int checked = 0;
  for (auto it = std::sregex_iterator(xml.begin(), xml.end(), control);
       it != std::sregex_iterator(); ++it) {
    std::string id = (*it)[1], words = (*it)[3];
    SCOPED_TRACE(words);
    std::string name = words.substr(0, words.find(' '));
    if (name.rfind("no-", 0) == 0) name = name.substr(3);
    const HackFlag* flag = Flag_Named(name);
    ASSERT_NE(flag, nullptr) << "the description offers a flag the program lacks";
    std::vector<std::string> argv = {"-" + name};
    const size_t blank = words.find(' ');
    if (blank != std::string::npos) {
      std::string value = words.substr(blank + 1);
      if (value == "%") value = flag->kind == HackFlagKind::City ? "Paris" : "123";
      argv.push_back(value);
    } else if (words.rfind("no-", 0) == 0) {
      argv[0] = "--" + words;  // XScreenSaver's own spelling
    }
    const uint32_t stored = Stored_Word(Option_Name(*flag));
    const double before = Option_Value(*flag);
    std::string error;
    ASSERT_TRUE(Apply(argv, &error)) << error;
    EXPECT_NE(Option_Value(*flag), before);
    EXPECT_EQ(Stored_Word(Option_Name(*flag)), stored);
    ++checked;
    TearDown();
  }
  EXPECT_GE(checked, int(Hack_Flags_End() - Hack_Flags_Begin()));
}

TEST_F(HackFlagsTest, values_follow_the_controls_page_and_cities_are_found_by_name) {
  std::string error;
  ASSERT_TRUE(Apply({"--speed", "300", "-no-clouds", "--sun-color", "random", "-viewpoint",
                     "Paris"},
                    &error))
      << error;
  EXPECT_FLOAT_EQ(COptions::FactorCameraRotationSpeed.Get(), 0.3f);
  EXPECT_FALSE(COptions::ShowClouds.Get());
  EXPECT_EQ(COptions::SunColorEnum.Get(), 1);
  EXPECT_EQ(uint32_t(COptions::GeoLocationCrc.Get()), Location_Crc32("Paris, FRANCE"));
  ASSERT_TRUE(Apply({"-viewpoint", "honolulu, hi, usa"}, &error)) << error;
  EXPECT_EQ(uint32_t(COptions::GeoLocationCrc.Get()), Location_Crc32("Honolulu, HI, USA"));
  // One of the user's own cities, by its whole description.
  ASSERT_TRUE(Apply({"-viewpoint", "Testville, Nowhere"}, &error)) << error;
  EXPECT_EQ(uint32_t(COptions::GeoLocationCrc.Get()), Location_Crc32("Testville, Nowhere"));
}

TEST_F(HackFlagsTest, bad_flags_are_refused_with_the_word_and_change_nothing) {
  const struct {
    std::vector<std::string> argv;
    const char* named;
  } cases[] = {
      {{"-fast"}, "-fast"},
      {{"-clouds", "-speed"}, "-speed"},
      {{"-speed", "1001"}, "1001"},
      {{"-speed", "-1"}, "-1"},
      {{"-speed", "3x"}, "3x"},
      {{"-sun-color", "green"}, "green"},
      {{"-viewpoint", "Atlantis"}, "Atlantis"},
      {{"-no-speed"}, "-no-speed"},
      {{"clouds"}, "clouds"},
  };
  for (const auto& bad : cases) {
    std::string error;
    EXPECT_FALSE(Apply(bad.argv, &error)) << bad.named;
    EXPECT_NE(error.find(bad.named), std::string::npos) << error;
  }
  EXPECT_TRUE(COptions::ShowClouds.Get());
}

}  // namespace
