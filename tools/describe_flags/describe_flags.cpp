// Writes the descriptions of the program's XScreenSaver-style flags that the
// build installs, from the one table the program reads them with:
//   ob3d_describe_flags xml OUTPUT                 XScreenSaver's settings
//   ob3d_describe_flags manual TEMPLATE OUTPUT     the manual page, its line
//                                                  ".\" @FLAGS@" replaced
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "config/hack_flags.h"

namespace {

const char FLAGS_MARKER[] = ".\\\" @FLAGS@\n";

bool Write(const char* path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  return bool(out.flush());
}

bool Write_Manual(const char* template_path, const char* path) {
  std::ifstream in(template_path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::string manual = text.str();
  const size_t marker = manual.find(FLAGS_MARKER);
  if (!in || marker == std::string::npos) return false;
  manual.replace(marker, strlen(FLAGS_MARKER), Hack_Flags_Manual());
  return Write(path, manual);
}

}  // namespace

int main(int argc, char** argv) {
  bool written = false;
  if (argc == 3 && strcmp(argv[1], "xml") == 0) {
    written = Write(argv[2], Hack_Flags_Xscreensaver_Xml());
  } else if (argc == 4 && strcmp(argv[1], "manual") == 0) {
    written = Write_Manual(argv[2], argv[3]);
  } else {
    fprintf(stderr, "usage: ob3d_describe_flags xml OUTPUT | manual TEMPLATE OUTPUT\n");
    return 2;
  }
  if (!written) fprintf(stderr, "ob3d_describe_flags: could not write %s\n", argv[argc - 1]);
  return written ? 0 : 1;
}
