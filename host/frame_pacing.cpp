// Frame pacing after the buffer swap.
#include "host/frame_pacing.h"

#include <algorithm>

#include "platform/platform.h"
#include "utilitylib/utility.h"

namespace {

const int64_t MICROSECONDS_PER_S = 1000000;

// Counter ticks per frame; 0 when frames are not held back.
int64_t IntervalTicks = 0;
int64_t FrameStart = 0;

int64_t Now() { return platform::api().clock.performance_counter(); }

}  // namespace

FramePacing Choose_Frame_Pacing(int swap_interval, double refresh_hz) {
  if (refresh_hz <= 0) return FramePacing::None;
  return swap_interval > 0 ? FramePacing::BufferSwap : FramePacing::WaitAfterSwap;
}

int64_t Next_Frame_Start(int64_t previous_start, int64_t now, int64_t interval) {
  return std::max(previous_start + interval, now);
}

void Start_Frame_Pacing(int swap_interval, double refresh_hz) {
  IntervalTicks = 0;
  switch (Choose_Frame_Pacing(swap_interval, refresh_hz)) {
    case FramePacing::None:
      CUtility::Log("Frame pacing: none, frames follow one another as fast as they are drawn\n");
      return;
    case FramePacing::BufferSwap:
      CUtility::Log("Frame pacing: the buffer swap waits for the display (swap interval %d)\n",
                    swap_interval);
      return;
    case FramePacing::WaitAfterSwap:
      CUtility::Log("Frame pacing: at most %.2f frames per second, waiting after the swap\n",
                    refresh_hz);
      IntervalTicks =
          std::max<int64_t>(1, int64_t(platform::api().clock.performance_frequency() / refresh_hz));
      FrameStart = Now();
      return;
  }
}

void Pace_Frame() {
  if (IntervalTicks == 0) return;
  const int64_t now = Now();
  const int64_t start = Next_Frame_Start(FrameStart, now, IntervalTicks);
  if (start > now) {
    const int64_t frequency = platform::api().clock.performance_frequency();
    platform::api().clock.sleep_us(uint32_t((start - now) * MICROSECONDS_PER_S / frequency));
  }
  FrameStart = start;
}
