// A scoped temporary folder, removed with everything in it at scope exit.
#pragma once

#include <string>

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Whole-file helpers for tests.
std::string read_file(const std::string& path);
// A text file the program wrote, read in text mode: this system's line ends
// (CR LF on Windows, LF elsewhere) come back as '\n'.
std::string read_text_file(const std::string& path);
void write_file(const std::string& path, const std::string& content);
bool file_exists(const std::string& path);
