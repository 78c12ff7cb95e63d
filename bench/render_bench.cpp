// The whole program drawing offscreen (--snapshot) at three window sizes:
// the time from process start to the first frame, and frames per second of
// the lit scene alone (Earth, Moon, Sun, cities; no clouds, atmosphere,
// nebulae, stars or flare) and of the full sky at 2000 and at 5000 stars,
// and the peak memory of a snapshot.
//
// Each run is a separate process. A run of one frame measures start-up (the
// first frame with it, plus writing the PNG and shutting down, so it is an
// upper bound). After its first frame a snapshot waits for the texture
// worker, so a frame rate comes from two runs that both wait, of `from` and
// of `to` frames, chosen so that the scene is complete and the star count
// steady between them: at 30 simulated frames per second the star field
// holds 5000 stars from about frame 285 on; at 20 it never grows beyond
// 2000, which it reaches at about frame 520. The cloud layer has faded in
// by frame 120. The star count of every run is read back from the
// program's log. Medians of RUNS runs.
//
// Peak memory: the largest resident set (the child's ru_maxrss) of a
// snapshot of the full sky after 300 frames at 30 per second, run with
// LP_NUM_THREADS removed from the environment, so that llvmpipe rasterizes
// on its own threads as it does outside the tests.
//   build/bench/bench_render [runs]
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "bench_support.h"

extern char** environ;

namespace {

const int DEFAULT_RUNS = 5;
const int MEMORY_FRAMES = 300;
const char OPTIONS_HEADER[] = "[HKEY_CURRENT_USER\\Software\\Vantrel\\Orbalune 3D]\n";

struct Size {
  int width;
  int height;
};

const Size SIZES[] = {{640, 480}, {1024, 768}, {1920, 1080}};

// One kind of frame-rate measurement: its options, its simulated rate and
// the frame window timed.
struct Scene {
  const char* name;
  const char* options;  // lines of the options store besides the header
  int rate;
  int from;
  int to;
  int stars;  // expected in the last frame
};

const Scene SCENES[] = {
    {"lit scene",
     "\"ShowClouds\"=dword:00000000\n\"ShowAtmosphere\"=dword:00000000\n"
     "\"ShowNebulae\"=dword:00000000\n\"ShowStars\"=dword:00000000\n"
     "\"ShowLensFlare\"=dword:00000000\n",
     30, 2, 302, 0},
    {"sky 2000", "", 20, 560, 860, 2000},
    {"sky 5000", "", 30, 300, 600, 5000},
};

struct Timing {
  double seconds = -1;  // negative when the run failed
  int stars = -1;
  double peak_mb = 0;
};

// Whether a run keeps the caller's LP_NUM_THREADS or drops it for llvmpipe's
// default of one rasterizer thread per core.
enum class Rasterizer { AS_CALLER_SETS, OWN_THREADS };

// A program folder of its own, with the scene's options and logging on.
std::string Make_Folder(const std::string& parent, int index, const Scene& scene) {
  const std::string folder = parent + "/scene" + std::to_string(index);
  std::filesystem::create_directories(folder);
  std::ofstream(folder + "/ob3d_options.reg")
      << OPTIONS_HEADER << "\"ReleaseLogging\"=dword:00000001\n" << scene.options;
  return folder;
}

int Stars_In_Log(const std::string& folder) {
  std::ifstream log(folder + "/_vantrel_ob3d.txt");
  std::stringstream text;
  text << log.rdbuf();
  const std::string lines = text.str();
  const size_t at = lines.find("Snapshot: frame ");
  int frame = 0, stars = -1;
  if (at != std::string::npos) {
    sscanf(lines.c_str() + at, "Snapshot: frame %d (%d stars)", &frame, &stars);
  }
  return stars;
}

// This process's environment with ORBALUNE3D_HOME pointing at the folder.
std::vector<std::string> Environment(const std::string& folder, Rasterizer rasterizer) {
  std::vector<std::string> variables = {"ORBALUNE3D_HOME=" + folder};
  for (char** variable = environ; *variable; ++variable) {
    const std::string_view text = *variable;
    if (rasterizer == Rasterizer::OWN_THREADS && text.starts_with("LP_NUM_THREADS=")) continue;
    variables.emplace_back(text);
  }
  return variables;
}

Timing Time_Snapshot(const std::string& folder, const Size& size, int frames, int rate,
                     Rasterizer rasterizer = Rasterizer::AS_CALLER_SETS) {
  const std::string file = folder + "/bench.png";
  std::vector<std::string> words = {OB3D_PROGRAM, "--snapshot", file, "--size",
                                    std::to_string(size.width) + "x" + std::to_string(size.height),
                                    "--frames", std::to_string(frames), "--rate",
                                    std::to_string(rate)};
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  std::vector<std::string> variables = Environment(folder, rasterizer);
  std::vector<char*> env;
  for (std::string& variable : variables) env.push_back(variable.data());
  env.push_back(nullptr);

  // The program's log also goes to its standard output; the table alone
  // goes to ours.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  Timing timing;
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, OB3D_PROGRAM, &actions, nullptr, argv.data(), env.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return timing;
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return timing;
  timing.seconds = took.count();
  timing.peak_mb = double(usage.ru_maxrss) / 1024;
  timing.stars = Stars_In_Log(folder);
  return timing;
}

// Frames per second between the scene's two frame counts, or negative.
double Frame_Rate(const std::string& folder, const Scene& scene, const Size& size) {
  const Timing short_run = Time_Snapshot(folder, size, scene.from, scene.rate);
  const Timing long_run = Time_Snapshot(folder, size, scene.to, scene.rate);
  if (short_run.seconds < 0 || long_run.seconds <= short_run.seconds) return -1;
  if (long_run.stars != scene.stars) {
    fprintf(stderr, "%s at %dx%d: %d stars in the last frame, not %d\n", scene.name, size.width,
            size.height, long_run.stars, scene.stars);
  }
  return (scene.to - scene.from) / (long_run.seconds - short_run.seconds);
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = Runs_Argument(argc, argv, DEFAULT_RUNS);
  char folder_template[] = "/tmp/ob3d-bench-render.XXXXXX";
  const char* parent = mkdtemp(folder_template);
  if (!parent) return 1;
  std::vector<std::string> folders;
  for (const Scene& scene : SCENES) {
    folders.push_back(Make_Folder(parent, int(folders.size()), scene));
  }
  printf("%-10s %14s", "size", "start->frame1");
  for (const Scene& scene : SCENES) printf(" %10s fps", scene.name);
  printf(" %12s", "peak MiB");
  printf("   (median of %d runs)\n", runs);
  int status = 0;
  // Warms the file cache and the GL driver's shader cache.
  Time_Snapshot(folders[0], SIZES[0], 1, SCENES[0].rate);
  for (const Size& size : SIZES) {
    std::vector<double> first_frame, peak;
    std::vector<std::vector<double>> rates(std::size(SCENES));
    for (int run = 0; run < runs && status == 0; ++run) {
      const Timing one = Time_Snapshot(folders[2], size, 1, SCENES[2].rate);
      if (one.seconds < 0) status = 1;
      first_frame.push_back(one.seconds);
      for (size_t i = 0; i < std::size(SCENES) && status == 0; ++i) {
        rates[i].push_back(Frame_Rate(folders[i], SCENES[i], size));
        if (rates[i].back() < 0) status = 1;
      }
      const Timing memory = Time_Snapshot(folders[2], size, MEMORY_FRAMES, SCENES[2].rate,
                                          Rasterizer::OWN_THREADS);
      if (memory.seconds < 0) status = 1;
      peak.push_back(memory.peak_mb);
    }
    if (status != 0) {
      fprintf(stderr, "snapshot at %dx%d failed\n", size.width, size.height);
      break;
    }
    printf("%4dx%-5d %11.0f ms", size.width, size.height, Median(first_frame) * 1000);
    for (const std::vector<double>& rate : rates) printf(" %14.1f", Median(rate));
    printf(" %12.0f\n", Median(peak));
    fflush(stdout);
  }
  std::error_code ignored;
  std::filesystem::remove_all(parent, ignored);
  return status;
}
