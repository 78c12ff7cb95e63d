// The --snapshot mode: the saver on headless windows and an EGL pbuffer,
// clocks that advance by one fixed step per frame, the last frame to PNG.
#include "host/snapshot.h"

#include <GL/gl.h>

#include <atomic>
#include <cstdio>
#include <vector>

#include "host/render.h"
#include "host/resolution.h"
#include "host/saver_host.h"
#include "platform/headless_window.h"
#include "platform/platform.h"
#include "platform/png_writer.h"
#include "scene/star.h"
#include "textures/texturemgr.h"
#include "utilitylib/utility.h"

namespace {

const int64_t MICROSECONDS_PER_S = 1000000;
// The worker makes its textures in a few seconds; sanitizer builds take longer.
const uint32_t TEXTURE_WAIT_LIMIT_MS = 120000;
const uint32_t TEXTURE_WAIT_SLICE_MS = 5;

// The snapshot's clocks, read by the window thread and the texture worker.
std::atomic<int64_t> VirtualUs{0};
std::atomic<int64_t> StartTime{0};

int64_t Virtual_Counter() { return 1 + VirtualUs.load(std::memory_order_relaxed); }
int64_t Virtual_Frequency() { return MICROSECONDS_PER_S; }
uint32_t Virtual_Ms() { return uint32_t(VirtualUs.load(std::memory_order_relaxed) / 1000); }
int64_t Virtual_Calendar_Time() {
  return StartTime.load(std::memory_order_relaxed) +
         VirtualUs.load(std::memory_order_relaxed) / MICROSECONDS_PER_S;
}

// The performance counter, the simulation clock's millisecond clock and
// calendar time follow the frames. The tick clock stays real: it bounds how
// long shut-down waits for the texture worker.
void Use_Virtual_Clocks(int64_t start_time) {
  StartTime.store(start_time, std::memory_order_relaxed);
  VirtualUs.store(0, std::memory_order_relaxed);
  platform::ClockApi& clock = platform::api().clock;
  clock.performance_counter = Virtual_Counter;
  clock.performance_frequency = Virtual_Frequency;
  clock.time_get_time = Virtual_Ms;
  clock.calendar_time = Virtual_Calendar_Time;
}

struct SnapshotRun {
  SnapshotRequest request;
  int frames_drawn = 0;
  bool written = false;
  std::string error = "the saver ended before its last frame";
};

SnapshotRun Run;

bool Write_Frame() {
  const int width = CResolution::Get_Window_Width();
  const int height = CResolution::Get_Window_Height();
  std::vector<unsigned char> pixels(size_t(width) * size_t(height) * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return platform::Write_Png(Run.request.file, width, height, pixels.data(), &Run.error);
}

// Waits (in real time) until the texture worker is done, so that the cloud
// layer and the backdrop join the scene on the same frames in every run.
void Wait_For_Textures() {
  const platform::ClockApi& clock = platform::api().clock;
  const uint32_t start = clock.get_tick_count();
  while (CTextureMgr::Get_Stage() != CTextureMgr::STAGE_READY) {
    if (clock.get_tick_count() - start > TEXTURE_WAIT_LIMIT_MS) {
      CUtility::Log("Snapshot: the textures are not ready; going on without them\n");
      return;
    }
    clock.sleep_ms(TEXTURE_WAIT_SLICE_MS);
  }
}

// After each frame: after the first, the textures are waited for; the last
// one is written and the saver asked to close.
void On_Frame_Drawn() {
  VirtualUs.fetch_add(MICROSECONDS_PER_S / Run.request.frame_rate, std::memory_order_relaxed);
  if (++Run.frames_drawn < Run.request.frames) {
    if (Run.frames_drawn == 1) Wait_For_Textures();
    return;
  }
  CRender::Set_Frame_Observer(nullptr);
  Run.written = Write_Frame();
  CUtility::Log("Snapshot: frame %d (%d stars) %s %s\n", Run.frames_drawn, CStar::Count,
                Run.written ? "written to" : "not written to", Run.request.file.c_str());
  platform::WindowApi& windows = platform::api().window;
  windows.post_message(windows.foreground_window(), platform::WM_CLOSE, 0, 0);
}

}  // namespace

int Run_Snapshot(const SnapshotRequest& request) {
  Run = SnapshotRun{};
  Run.request = request;
  platform::select_backend(platform::Backend::Headless);
  platform::headless::set_screen(platform::Size{request.width, request.height}, 24);
  Use_Virtual_Clocks(request.start_time_given ? request.start_time
                                              : platform::api().clock.calendar_time());
  CRender::Set_Frame_Observer(On_Frame_Drawn);
  Run_Saver(0);
  CRender::Set_Frame_Observer(nullptr);
  if (!Run.written) {
    fprintf(stderr, "orbalune3d: snapshot %s: %s\n", request.file.c_str(), Run.error.c_str());
    return 1;
  }
  return 0;
}
