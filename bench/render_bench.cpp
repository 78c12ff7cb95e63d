// The whole program drawing offscreen (--snapshot) at three window sizes:
// frames per second, and the time from process start to the first frame.
//
// Each run is a separate process on one fresh program folder. A run of one
// frame measures start-up (the first frame with it, plus writing the PNG
// and shutting down, so it is an upper bound). After its first frame a
// snapshot waits for the texture worker, so frame rates come from runs of
// 2 and of 2 + FRAMES frames, which both wait. Medians of RUNS runs.
//   build/bench/bench_render [runs]
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

const int FRAMES = 600;
const int DEFAULT_RUNS = 5;

struct Size {
  int width;
  int height;
};

const Size SIZES[] = {{640, 480}, {1024, 768}, {1920, 1080}};

// Seconds one snapshot process takes, or a negative value when it failed.
double Time_Snapshot(const std::string& folder, const Size& size, int frames) {
  const std::string file = folder + "/bench.png";
  const std::string size_text = std::to_string(size.width) + "x" + std::to_string(size.height);
  const std::string frames_text = std::to_string(frames);
  std::vector<std::string> words = {OB3D_PROGRAM, "--snapshot", file,    "--size",
                                    size_text,    "--frames",   frames_text};
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, OB3D_PROGRAM, nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? took.count() : -1;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : DEFAULT_RUNS;
  char folder_template[] = "/tmp/ob3d-bench-render.XXXXXX";
  const char* folder = mkdtemp(folder_template);
  if (!folder) return 1;
  setenv("ORBALUNE3D_HOME", folder, 1);
  printf("%-10s %14s %12s   (median of %d runs, %d frames)\n", "size", "start->frame1",
         "fps", runs, FRAMES);
  int status = 0;
  // Warms the file cache and the GL driver's shader cache.
  Time_Snapshot(folder, SIZES[0], 1);
  for (const Size& size : SIZES) {
    std::vector<double> first_frame, fps;
    for (int run = 0; run < runs; ++run) {
      const double one = Time_Snapshot(folder, size, 1);
      const double two = Time_Snapshot(folder, size, 2);
      const double many = Time_Snapshot(folder, size, 2 + FRAMES);
      if (one < 0 || two < 0 || many < 0) {
        fprintf(stderr, "snapshot at %dx%d failed\n", size.width, size.height);
        status = 1;
        break;
      }
      first_frame.push_back(one);
      if (many > two) fps.push_back(FRAMES / (many - two));
    }
    if (first_frame.empty() || fps.empty()) continue;
    printf("%4dx%-5d %11.0f ms %12.1f\n", size.width, size.height, Median(first_frame) * 1000,
           Median(fps));
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return status;
}
