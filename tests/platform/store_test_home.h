// Points the options store at a fresh folder for one test, and reads and
// writes the store file by its lines.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "support/temp_folder.h"

inline const char TEST_KEY[] = "Software\\Vantrel\\Orbalune 3D";
inline const char TEST_KEY_LINE[] = "[HKEY_CURRENT_USER\\Software\\Vantrel\\Orbalune 3D]";

// A temporary folder on tmpfs when there is one: every store write ends in
// two fsyncs, which on a disk cost milliseconds the tests do not need.
inline std::unique_ptr<TempFolder> make_store_folder() {
  const char* tmpdir = getenv("TMPDIR");
  const std::string previous = tmpdir ? tmpdir : "";
  if (file_exists("/dev/shm")) setenv("TMPDIR", "/dev/shm", 1);
  auto folder = std::make_unique<TempFolder>();
  if (tmpdir) {
    setenv("TMPDIR", previous.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }
  return folder;
}

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

  std::unique_ptr<TempFolder> folder_ = make_store_folder();
  const TempFolder& home = *folder_;

 private:
  bool had_previous_ = false;
  std::string previous_;
};
