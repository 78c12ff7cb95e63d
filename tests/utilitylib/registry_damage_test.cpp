// Value classes reading damaged stores: a few hundred truncated and randomly
// changed files never crash, and what cannot be read takes its default and
// is written back readable.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <random>
#include <string>

#include "platform/store_test_home.h"
#include "utilitylib/registrybool.h"
#include "utilitylib/registryfloat.h"
#include "utilitylib/registryint.h"
#include "utilitylib/registrystring.h"

namespace {

// What the values hold in the intact file, and what they fall back to.
struct Reading {
  bool flag;
  int32_t number;
  float factor;
  std::string text;
  bool operator==(const Reading&) const = default;
};

const Reading STORED{false, -123456, 0.33f, "Z\xfcrich \"centre\" \\ end"};
const Reading DEFAULTS{true, 7, 0.5f, "init"};

Reading read_values() {
  return {CRegistryBool(TEST_KEY, "Flag", DEFAULTS.flag).Get(),
          CRegistryInt(TEST_KEY, "Number", DEFAULTS.number).Get(),
          CRegistryFloat(TEST_KEY, "Factor", DEFAULTS.factor).Get(),
          CRegistryString(TEST_KEY, "Text", DEFAULTS.text.c_str()).Get()};
}

// A process reads its store once, so each file is read in a folder of its
// own, as the next start would read it.
class registry_damage : public StoreHomeTest {
 protected:
  std::string intact_store() {
    CRegistryBool(TEST_KEY, "Flag", true).Set(STORED.flag);
    CRegistryInt(TEST_KEY, "Number", 0).Set(STORED.number);
    CRegistryFloat(TEST_KEY, "Factor", 0).Set(STORED.factor);
    CRegistryString(TEST_KEY, "Text", "").Set(STORED.text.c_str());
    return read_file(store_file());
  }

  // The values of a store file holding the text.
  Reading read_store(const std::string& text) {
    const std::string folder = home.file("start" + std::to_string(++starts_));
    mkdir(folder.c_str(), 0700);
    write_file(folder + "/ob3d_options.reg", text);
    setenv("ORBALUNE3D_HOME", folder.c_str(), 1);
    return read_values();
  }

  // The values that the next start reads from the file as it is now.
  Reading read_again() {
    return read_store(read_file(std::string(getenv("ORBALUNE3D_HOME")) + "/ob3d_options.reg"));
  }

 private:
  int starts_ = 0;
};

TEST_F(registry_damage, truncated_files_give_each_value_or_its_default) {
  const std::string intact = intact_store();
  for (size_t cut = 0; cut <= intact.size(); cut += 1 + cut % 3) {
    const Reading first = read_store(intact.substr(0, cut));
    EXPECT_TRUE(first.flag == STORED.flag || first.flag == DEFAULTS.flag) << cut;
    EXPECT_TRUE(first.number == STORED.number || first.number == DEFAULTS.number) << cut;
    EXPECT_TRUE(first.factor == STORED.factor || first.factor == DEFAULTS.factor) << cut;
    EXPECT_TRUE(first.text == STORED.text || first.text == DEFAULTS.text) << cut;
    EXPECT_EQ(read_again(), first) << "the values were written back as read, cut " << cut;
  }
}

TEST_F(registry_damage, random_changes_never_crash_and_leave_readable_values) {
  const std::string intact = intact_store();
  std::mt19937 random(8122026);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 200; ++round) {
    std::string damaged = intact;
    const int changes = 1 + round % 8;
    for (int c = 0; c < changes && !damaged.empty(); ++c) {
      const size_t at = random() % damaged.size();
      switch (random() % 3) {
        case 0: damaged[at] = char(byte(random)); break;
        case 1: damaged.insert(at, 1, "\n\"\\=[]\0x"[random() % 8]); break;
        default: damaged.erase(at, 1 + random() % 12); break;
      }
    }
    const Reading first = read_store(damaged);
    EXPECT_EQ(read_again(), first) << "round " << round;
  }
  for (int round = 0; round < 100; ++round) {
    std::string noise(random() % 400, '\0');
    for (char& c : noise) c = char(byte(random));
    EXPECT_EQ(read_store(noise), DEFAULTS) << "round " << round;
  }
}

}  // namespace
