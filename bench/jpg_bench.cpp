// Loading an "ob3d_earth.jpg" of 8192 x 4096 pixels: an ordinary baseline
// file, an ordinary progressive one, and a crafted progressive one whose last
// scan (a few bytes that reach every block) is repeated up to 2000 scans. For each, the time and the peak memory
// of the decode alone (CJpg::Load_File) and of the whole load into a texture
// (CTexture::Load_File_Jpg: decode, mipmaps, upload into an offscreen EGL
// context, glFinish).
//
// Every run is a new process of this program. After its set-up (and the GL
// context, for the texture) the child resets the kernel's high-water mark of
// its resident set (/proc/self/clear_refs); the peak of the step is VmHWM
// after it minus VmRSS before it. Medians of RUNS runs; "x image" is the
// peak over the decoded image's size (width x height x 3 bytes).
//   build/bench/bench_jpg [runs]
#include <GL/gl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "jpg_samples.h"
#include "platform/gl_context.h"
#include "textures/jpg.h"
#include "textures/texture.h"

namespace {

const int DEFAULT_RUNS = 5;
const int WIDTH = 8192;
const int HEIGHT = 4096;
const int CRAFTED_SCANS = 2000;
const char CHILD_SWITCH[] = "--measure";

struct Sample {
  const char* name;
  Bytes bytes;
};

enum class Step { DECODE, TEXTURE };

struct Result {
  double ms = -1;  // negative when the child failed
  double peak_mb = 0;
  bool loaded = false;
};

// Grey tiles of 8 x 8 pixels: every block is flat, so the crafted file's
// last scan (the luma's AC coefficients, from the spectral-selection script)
// covers the whole image in a few bytes.
Bytes Encode_Map(bool progressive, std::vector<ScanSpec> scans = {}) {
  JpegSample sample;
  sample.width = WIDTH;
  sample.height = HEIGHT;
  sample.progressive = progressive;
  sample.scans = std::move(scans);
  sample.quality = 90;
  sample.pixel = [](int x, int y) {
    const uint8_t grey = uint8_t((x / 8 * 3 + y / 8 * 5) % 256);
    return Rgb{grey, grey, grey};
  };
  return Encode_Jpeg(sample);
}

// One line of /proc/self/status in kB ("VmRSS", "VmHWM"), or -1.
long Status_Kb(const char* field) {
  std::ifstream status("/proc/self/status");
  const std::string prefix = std::string(field) + ":";
  for (std::string line; std::getline(status, line);) {
    if (line.compare(0, prefix.size(), prefix) == 0) return atol(line.c_str() + prefix.size());
  }
  return -1;
}

bool Reset_Peak() { return bool(std::ofstream("/proc/self/clear_refs") << "5"); }

// Runs the step in this (child) process; the result goes to `out`.
Result Measure_Here(Step step, const std::string& path) {
  platform::ContextApi context{};
  if (step == Step::TEXTURE) {
    platform::egl::connect_context(context);
    platform::ContextInfo info{};
    if (!context.create(0, 64, 64, platform::ContextRequest{}, &info)) return {};
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
  }
  Result result;
  if (!Reset_Peak()) return result;
  const long before_kb = Status_Kb("VmRSS");
  const auto start = std::chrono::steady_clock::now();
  if (step == Step::DECODE) {
    int width = 0, height = 0;
    uint8_t* pixels = CJpg::Load_File(path.c_str(), &width, &height);
    result.loaded = pixels != nullptr;
    free(pixels);
  } else {
    result.loaded = CTexture::Load_File_Jpg(path.c_str());
    glFinish();
  }
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  result.ms = took.count();
  result.peak_mb = double(Status_Kb("VmHWM") - before_kb) / 1024;
  if (step == Step::TEXTURE) context.destroy();
  return result;
}

// A fresh process of this program measures the step: a forked copy would
// inherit the parent's heap, whose freed memory hides part of the peak.
Result Measure_In_Child(Step step, const std::string& path) {
  int channel[2];
  if (pipe(channel) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(channel[1], STDOUT_FILENO);
    close(channel[0]);
    close(channel[1]);
    execl("/proc/self/exe", "bench_jpg", CHILD_SWITCH, step == Step::DECODE ? "decode" : "texture",
          path.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(channel[1]);
  Result result;
  if (pid < 0 || read(channel[0], &result, sizeof result) != ssize_t(sizeof result)) result = {};
  close(channel[0]);
  int status = 0;
  if (pid > 0) waitpid(pid, &status, 0);
  return result;
}

// The child's side: one step, its result in binary on standard output.
int Child_Main(const char* step, const char* path) {
  const Result result = Measure_Here(strcmp(step, "decode") == 0 ? Step::DECODE : Step::TEXTURE, path);
  return write(STDOUT_FILENO, &result, sizeof result) == ssize_t(sizeof result) ? 0 : 1;
}

bool Report(const char* sample, const char* step, const std::vector<Result>& results) {
  std::vector<double> ms, peak;
  for (const Result& result : results) {
    if (result.ms < 0) return false;
    ms.push_back(result.ms);
    peak.push_back(result.peak_mb);
  }
  const double image_mb = double(WIDTH) * HEIGHT * 3 / (1 << 20);
  printf("%-12s %-8s %-8s %10.0f %10.1f %8.2f\n", sample, step,
         results.front().loaded ? "loaded" : "refused", Median(ms), Median(peak),
         Median(peak) / image_mb);
  fflush(stdout);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && strcmp(argv[1], CHILD_SWITCH) == 0) return Child_Main(argv[2], argv[3]);
  const int runs = Runs_Argument(argc, argv, DEFAULT_RUNS);
  char folder_template[] = "/tmp/ob3d-bench-jpg.XXXXXX";
  const char* folder = mkdtemp(folder_template);
  if (!folder) return 1;
  setenv("ORBALUNE3D_HOME", folder, 1);
  const Bytes progressive = Encode_Map(true);
  const Sample samples[] = {{"baseline", Encode_Map(false)},
                            {"progressive", progressive},
                            {"crafted", Repeat_Last_Scan(Encode_Map(true, Spectral_Script()), CRAFTED_SCANS)}};
  printf("%dx%d (%.0f MiB decoded); median of %d runs, one child process each\n", WIDTH, HEIGHT,
         double(WIDTH) * HEIGHT * 3 / (1 << 20), runs);
  for (const Sample& sample : samples) {
    printf("  %-12s %7zu bytes, %4d scans\n", sample.name, sample.bytes.size(),
           Count_Scans(sample.bytes));
  }
  printf("%-12s %-8s %-8s %10s %10s %8s\n", "file", "step", "outcome", "ms", "peak MiB",
         "x image");
  int status = 0;
  for (const Sample& sample : samples) {
    const std::string path = std::string(folder) + "/" + sample.name + ".jpg";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(sample.bytes.data()),
                                                std::streamsize(sample.bytes.size()));
    for (const auto& [step, step_name] : {std::pair{Step::DECODE, "decode"},
                                          std::pair{Step::TEXTURE, "texture"}}) {
      std::vector<Result> results;
      for (int run = 0; run < runs; ++run) results.push_back(Measure_In_Child(step, path));
      if (!Report(sample.name, step_name, results)) {
        fprintf(stderr, "%s, %s: a child failed\n", sample.name, step_name);
        status = 1;
      }
    }
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return status;
}
