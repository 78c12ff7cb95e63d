// Fuzz target: the two hand-editable city files. Any bytes as the user-
// locations and the shown-locations file must load without a crash or an
// assertion, and saving must reach a fixed point: what one save writes, a
// load and a second save write again line for line (nothing lost, nothing
// changed).
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "locations/locationlist.h"
#include "platform/platform.h"
#include "scene/smartobjectmgr.h"

namespace {

std::string Folder;

std::string Path(const char* name) { return Folder + "/" + name; }

void Write(const char* name, const uint8_t* data, size_t size) {
  std::ofstream(Path(name), std::ios::binary).write(reinterpret_cast<const char*>(data), size);
}

std::string Read(const char* name) {
  std::ifstream file(Path(name), std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// The file's lines in sorted order: saving may order records differently
// from the file they were loaded from.
std::vector<std::string> Sorted_Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  std::sort(lines.begin(), lines.end());
  return lines;
}

// Loads the file, saves it, loads and saves again; the two saves must agree.
void Check_Round_Trip(const char* name, void (*load)(), bool (*save)()) {
  load();
  if (!save()) abort();
  const std::string first = Read(name);
  CSmartObjectMgr::Close();
  load();
  if (!save()) abort();
  const std::string second = Read(name);
  if (Sorted_Lines(second) != Sorted_Lines(first)) {
    fprintf(stderr, "%s changed between two saves:\n--- first\n", name);
    fwrite(first.data(), 1, first.size(), stderr);
    fprintf(stderr, "--- second\n");
    fwrite(second.data(), 1, second.size(), stderr);
    abort();
  }
  CSmartObjectMgr::Close();
}

void Remove_Folder() {
  std::error_code ignored;
  std::filesystem::remove_all(Folder, ignored);
}

}  // namespace

// The files live in ORBALUNE3D_HOME when it is set (as in the test suite),
// otherwise in a folder of this run's own.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (const char* home = getenv("ORBALUNE3D_HOME")) {
    Folder = home;
    return 0;
  }
  char folder[] = "/tmp/ob3d-fuzz-cities.XXXXXX";
  if (!mkdtemp(folder)) abort();
  Folder = folder;
  setenv("ORBALUNE3D_HOME", folder, 1);
  atexit(Remove_Folder);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Write(CLocationList::USER_LOCATIONS_FILE, data, size);
  Check_Round_Trip(CLocationList::USER_LOCATIONS_FILE, CLocationList::Load_User_Locations,
                   CLocationList::Save_User_Locations);
  Write(CLocationList::SHOWN_LOCATIONS_FILE, data, size);
  Check_Round_Trip(CLocationList::SHOWN_LOCATIONS_FILE, CLocationList::Load_Is_Shown_Data,
                   CLocationList::Save_Is_Shown_Data);
  return 0;
}
