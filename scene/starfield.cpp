// The star field's population control: grows the number of CStar objects to
// 2000, on to 5000 while the frame rate holds 24 per second, and trims it
// back towards 2000 while the rate stays below.
#include <limits>

#include "config/options.h"
#include "platform/platform.h"
#include "scene/smartobjectmgr.h"
#include "scene/star.h"
#include "utilitylib/timer.h"

int32_t CStar::Count = 0;
int32_t CStar::StarsPerStep = CStar::INITIAL_STARS_PER_STEP;
uint32_t CStar::LastCheckMs = 0;
int32_t CStar::FastChecks = 0;
int32_t CStar::SlowChecks = 0;

namespace {

// A run of checks longer than the counter holds (weeks of fast frames) stays
// at the largest count instead of overflowing.
int32_t Count_Up(int32_t checks) {
  return checks < std::numeric_limits<int32_t>::max() ? checks + 1 : checks;
}

}  // namespace

void CStar::Update_Population() {
  Add_Stars(NORMAL_STARS);
  Check_Population(platform::api().clock.time_get_time(), CTimer::Get_Sample_Frame_Rate(),
                   CTimer::Get_Frame_Time_S());
}

void CStar::Check_Population(uint32_t now_ms, double sample_frame_rate, double frame_time_s) {
  if (now_ms - LastCheckMs < CHECK_INTERVAL_MS) return;
  // Before the timer's first sample the rate is 0 and counts as slow.
  const bool fast = sample_frame_rate >= FRAME_RATE_THRESHOLD;
  FastChecks = fast ? Count_Up(FastChecks) : 0;
  SlowChecks = fast ? 0 : Count_Up(SlowChecks);
  const double threshold_frame_time_s = 1 / FRAME_RATE_THRESHOLD;
  if (FastChecks > FAST_CHECKS_TO_GROW && frame_time_s < threshold_frame_time_s) {
    Add_Stars(MAX_STARS);
  }
  if (SlowChecks > SLOW_CHECKS_TO_REDUCE && frame_time_s > threshold_frame_time_s) {
    Reduce_Stars();
  }
  LastCheckMs = now_ms;
}

void CStar::Add_Stars(int limit) {
  if (!COptions::ShowStars.Get()) return;
  for (int i = 0; i < StarsPerStep; ++i) {
    if (Count < limit) new CStar;
  }
}

void CStar::Reduce_Stars() {
  if (Count > NORMAL_STARS) CSmartObjectMgr::Remove_One_Disposable();
  StarsPerStep = 1;
}
