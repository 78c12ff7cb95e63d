// Start-up time against the size of the options store: the whole program
// (--snapshot of one small frame, so start-up, one frame and shut-down) on
// a store of the defaults, on one with 200 000 further values (about 5 MB)
// and on one with a single text value of 20 MB. Each run is a process of its
// own; medians of RUNS runs, and each large store's median over the
// default's.
//   build/bench/bench_startup [runs]
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_support.h"

extern char** environ;

namespace {

const int DEFAULT_RUNS = 5;
const int EXTRA_VALUES = 200000;
const size_t LARGE_TEXT_BYTES = 20u << 20;
const char STORE_HEAD[] =
    "Orbalune 3D Options Store 1\n\n[HKEY_CURRENT_USER\\Software\\Vantrel\\Orbalune 3D]\n";

struct Store {
  const char* name;
  std::string folder;
};

// Seconds from spawning the program until it has ended, or negative when it
// failed. The program's folder is ORBALUNE3D_HOME.
double Time_Start(const std::string& folder) {
  setenv("ORBALUNE3D_HOME", folder.c_str(), 1);
  const std::string picture = folder + "/bench.png";
  const char* argv[] = {OB3D_PROGRAM, "--snapshot", picture.c_str(), "--size", "160x120",
                        "--frames", "1", nullptr};
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, OB3D_PROGRAM, nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
    return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? took.count() : -1;
}

// A program folder whose store holds the given text after the head.
std::string Make_Store(const std::string& parent, const char* name, const std::string& values) {
  const std::string folder = parent + "/" + name;
  std::filesystem::create_directories(folder);
  std::ofstream(folder + "/ob3d_options.reg", std::ios::binary) << STORE_HEAD << values;
  return folder;
}

std::string Extra_Values() {
  std::string values;
  char line[64];
  for (int i = 0; i < EXTRA_VALUES; ++i) {
    snprintf(line, sizeof line, "\"V%06d\"=dword:%08x\n", i, unsigned(i));
    values += line;
  }
  return values;
}

std::string Large_Text() {
  return "\"BenchText\"=\"" + std::string(LARGE_TEXT_BYTES, 't') + "\"\n";
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = Runs_Argument(argc, argv, DEFAULT_RUNS);
  char folder_template[] = "/tmp/ob3d-bench-startup.XXXXXX";
  const char* parent = mkdtemp(folder_template);
  if (!parent) return 1;
  std::vector<Store> stores = {
      {"defaults", Make_Store(parent, "defaults", "")},
      {"200000 values", Make_Store(parent, "values", Extra_Values())},
      {"20 MB text", Make_Store(parent, "text", Large_Text())},
  };
  printf("%-14s %12s %10s   (median of %d runs)\n", "store", "store size", "start", runs);
  int status = 0;
  double default_median = 0;
  for (const Store& store : stores) {
    // The first start writes the missing options; the runs time later ones.
    Time_Start(store.folder);
    std::vector<double> times;
    for (int run = 0; run < runs && status == 0; ++run) {
      times.push_back(Time_Start(store.folder));
      if (times.back() < 0) status = 1;
    }
    if (status != 0) {
      fprintf(stderr, "the program failed on the store with %s\n", store.name);
      break;
    }
    const double median = Median(times);
    if (default_median == 0) default_median = median;
    const auto bytes = std::filesystem::file_size(store.folder + "/ob3d_options.reg");
    printf("%-14s %9.1f MB %7.0f ms   x%.2f of the defaults\n", store.name, bytes / 1e6,
           median * 1000, median / default_median);
    fflush(stdout);
  }
  std::error_code ignored;
  std::filesystem::remove_all(parent, ignored);
  return status;
}
