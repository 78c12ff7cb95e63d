// The star field's share of a frame, offscreen through EGL: the scene-object
// walks (Update_All, Render_3d_All) with 0, 2000 and 5000 faded-in stars
// around a camera orbiting the equator, glFinish included. Medians of RUNS
// runs of FRAMES frames; the 0-star line is the frame's fixed cost.
//   build/bench/bench_sky [runs] [width] [height]
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

#include "astro/camera3d.h"
#include "bench_support.h"
#include "config/options.h"
#include "platform/gl_context.h"
#include "scene/smartobjectmgr.h"
#include "scene/star.h"
#include "utilitylib/random.h"
#include "utilitylib/timer.h"

namespace {

using Clock = std::chrono::steady_clock;

const int FRAMES = 300;
const int DEFAULT_RUNS = 7;
const int STAR_COUNTS[] = {0, CStar::NORMAL_STARS, CStar::MAX_STARS};

void Set_Up_View(int width, int height) {
  TheCamera.Init(true);
  TheCamera.Set_Aspect_Ratio(double(width) / height);
  TheCamera.Update(false, 0, 0);
  TheCamera.Set_Clip_Distance_Far(200000);
}

// One frame's sky work: clear, camera, the object walks, stars without
// depth test as the frame driver draws them.
void Draw_Frame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  TheCamera.Apply();
  glDisable(GL_DEPTH_TEST);
  CSmartObjectMgr::Update_All();
  CSmartObjectMgr::Render_3d_All();
  glFinish();
}

void Create_Faded_In_Stars(int count) {
  CSmartObjectMgr::Close();
  Rand_Seed(1);
  for (int i = 0; i < count; ++i) new CStar;
  // Over half a second of real time every star reaches full opacity.
  CTimer::Init();
  std::this_thread::sleep_for(std::chrono::milliseconds(600));
  CTimer::Tick();
  CSmartObjectMgr::Update_All();
}

int Stars_In_View() {
  int inside = 0;
  for (CSmartObject* p = CSmartObjectMgr::Get_Head(); p; p = p->Get_Next()) {
    inside += !TheCamera.Is_Point_Outside(p->position);
  }
  return inside;
}

double Frame_Ms() {
  const Clock::time_point start = Clock::now();
  for (int frame = 0; frame < FRAMES; ++frame) Draw_Frame();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / FRAMES;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = Runs_Argument(argc, argv, DEFAULT_RUNS);
  const int width = argc > 2 ? std::max(16, atoi(argv[2])) : 1024;
  const int height = argc > 3 ? std::max(16, atoi(argv[3])) : 768;
  char folder_template[] = "/tmp/ob3d-bench-sky.XXXXXX";
  const char* folder = mkdtemp(folder_template);
  if (!folder) return 1;
  setenv("ORBALUNE3D_HOME", folder, 1);

  platform::ContextApi context{};
  platform::egl::connect_context(context);
  platform::ContextInfo info{};
  if (!context.create(0, width, height, platform::ContextRequest{}, &info)) {
    fprintf(stderr, "no offscreen GL context (EGL surfaceless)\n");
    return 1;
  }
  Set_Up_View(width, height);
  TheCamera.Apply();
  printf("%dx%d, %s; median of %d runs of %d frames\n", width, height,
         reinterpret_cast<const char*>(glGetString(GL_RENDERER)), runs, FRAMES);
  printf("%6s %8s %10s %12s\n", "stars", "in view", "ms/frame", "us/star");
  double fixed_ms = 0;
  for (int count : STAR_COUNTS) {
    Create_Faded_In_Stars(count);
    Frame_Ms();  // warm-up
    std::vector<double> samples;
    for (int run = 0; run < runs; ++run) samples.push_back(Frame_Ms());
    const double ms = Median(samples);
    if (count == 0) fixed_ms = ms;
    const double per_star_us = count ? (ms - fixed_ms) * 1000 / count : 0;
    printf("%6d %8d %10.3f %12.3f\n", count, Stars_In_View(), ms, per_star_us);
  }
  CSmartObjectMgr::Close();
  context.destroy();
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return 0;
}
