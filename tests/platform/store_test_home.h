// Points the options store at a fresh folder for one test, and reads and
// writes the store file by its lines.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/temp_folder.h"

inline const char TEST_KEY[] = "Software\\Vantrel\\Orbalune 3D";
inline const char TEST_KEY_LINE[] = "[HKEY_CURRENT_USER\\Software\\Vantrel\\Orbalune 3D]";

class StoreHomeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* previous = getenv("ORBALUNE3D_HOME");
    had_previous_ = previous != nullptr;
    if (previous) previous_ = previous;
    setenv("ORBALUNE3D_HOME", home.path().c_str(), 1);
  }
  void TearDown() override {
    if (had_previous_) {
      setenv("ORBALUNE3D_HOME", previous_.c_str(), 1);
    } else {
      unsetenv("ORBALUNE3D_HOME");
    }
  }

  std::string store_file() const { return home.file("ob3d_options.reg"); }
  std::string store_text() const { return read_file(store_file()); }

  // A store holding the given value lines under the program's key.
  void write_store(const std::string& value_lines) const {
    write_file(store_file(),
               std::string("Orbalune 3D Options Store 1\n\n") + TEST_KEY_LINE + "\n" + value_lines);
  }

  // The file's line for the value, "" when there is none.
  std::string stored_line(const std::string& name) const {
    const std::string text = "\n" + store_text();
    const size_t start = text.find("\n\"" + name + "\"=");
    if (start == std::string::npos) return "";
    return text.substr(start + 1, text.find('\n', start + 1) - start - 1);
  }

  TempFolder home;

 private:
  bool had_previous_ = false;
  std::string previous_;
};
