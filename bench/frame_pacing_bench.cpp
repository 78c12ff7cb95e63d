// Frame pacing: the full-screen saver on a private 1024x768 Xvfb (where the
// buffer swap does not wait for a display) for SECONDS seconds, paced to the
// display's rate against unpaced (ORBALUNE3D_UNPACED=1). For each: frames per
// second (the program's average frame rate) and cores used (the process's
// CPU time over its wall time). Medians of RUNS runs, and paced over unpaced.
// The X server's own share is negligible (it copies each finished frame).
//   build/bench/bench_frame_pacing [runs] [seconds] [WIDTHxHEIGHT]
#include <signal.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

namespace {

const int DEFAULT_RUNS = 1;
const double DEFAULT_SECONDS = 60;
const int DEFAULT_WIDTH = 1024;
const int DEFAULT_HEIGHT = 768;
const double END_TIMEOUT_S = 30;
const char STORE[] =
    "Orbalune 3D Options Store 1\n\n[HKEY_CURRENT_USER\\Software\\Vantrel\\Orbalune 3D]\n"
    "\"ReleaseLogging\"=dword:00000001\n";
const char AVERAGE_LINE[] = "Average framerate = ";

struct Run {
  double fps = -1;  // negative when the run failed
  double cores = 0;
};

double Cpu_Seconds_Of_Children() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
         usage.ru_stime.tv_usec / 1e6;
}

double Average_Frame_Rate(const std::string& log) {
  const size_t at = log.rfind(AVERAGE_LINE);
  return at == std::string::npos ? -1 : atof(log.c_str() + at + sizeof AVERAGE_LINE - 1);
}

Run Run_Saver(const XServer& server, bool paced, double seconds) {
  Environment environment = server.environment();
  if (!paced) environment.push_back({"ORBALUNE3D_UNPACED", "1"});
  const double cpu_before = Cpu_Seconds_Of_Children();
  const auto start = std::chrono::steady_clock::now();
  RunningProgram saver(program_argv({"/s"}), environment);
  pause_seconds(seconds);
  saver.signal(SIGTERM);
  const ProgramResult result = saver.finish(END_TIMEOUT_S);
  const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
  Run run;
  if (result.exit_code != 0) return run;
  run.fps = Average_Frame_Rate(result.out);
  run.cores = (Cpu_Seconds_Of_Children() - cpu_before) / wall.count();
  return run;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = Runs_Argument(argc, argv, DEFAULT_RUNS);
  const double seconds = argc > 2 ? atof(argv[2]) : DEFAULT_SECONDS;
  int width = DEFAULT_WIDTH, height = DEFAULT_HEIGHT;
  if (argc > 3 && sscanf(argv[3], "%dx%d", &width, &height) != 2) {
    fprintf(stderr, "the size is WIDTHxHEIGHT, for example 1024x768\n");
    return 1;
  }
  TempFolder home;
  setenv("ORBALUNE3D_HOME", home.path().c_str(), 1);
  std::ofstream(home.file("ob3d_options.reg"), std::ios::binary) << STORE;
  XServer server(24, width, height);
  if (!server.ok()) {
    fprintf(stderr, "Xvfb did not start\n");
    return 1;
  }
  std::vector<double> fps[2], cores[2];
  for (int run = 0; run < runs; ++run) {
    for (int paced = 0; paced < 2; ++paced) {
      const Run result = Run_Saver(server, paced == 1, seconds);
      if (result.fps < 0) {
        fprintf(stderr, "the %s run failed\n", paced ? "paced" : "unpaced");
        return 1;
      }
      fps[paced].push_back(result.fps);
      cores[paced].push_back(result.cores);
    }
  }
  printf("full screen %dx%d under Xvfb, %.0f s per run, median of %d runs\n", width, height,
         seconds, runs);
  printf("%-9s %8s %7s\n", "", "fps", "cores");
  const char* names[2] = {"unpaced", "paced"};
  for (int paced = 0; paced < 2; ++paced) {
    printf("%-9s %8.1f %7.2f\n", names[paced], Median(fps[paced]), Median(cores[paced]));
  }
  printf("paced/unpaced: fps x%.2f, cores x%.2f\n", Median(fps[1]) / Median(fps[0]),
         Median(cores[1]) / Median(cores[0]));
  return 0;
}
