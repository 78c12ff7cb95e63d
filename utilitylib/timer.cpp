// CTimer on the platform clocks.
#include "utilitylib/timer.h"

#include "platform/platform.h"
#include "utilitylib/utility.h"

namespace {

constexpr int64_t INT32_ERA = int64_t(1) << 31;

struct TimerState {
  int64_t frequency = 1;
  int64_t start_count = 0;
  int64_t last_count = 0;
  int64_t sample_start_count = 0;
  double frame_time_s = 0;
  double frame_sim_time_s = 0;
  double elapsed_time_s = 0;
  uint32_t frame_count = 0;
  uint32_t sample_frame_count = 0;
  double sample_frame_rate = 0;
  double average_frame_rate = 0;
  double time_acceleration = 1.0;
  int64_t simulation_base_time = 0;
  // Real milliseconds since the base, summed from successive readings of the
  // 32-bit clock so that the sum survives its wrap every 49.7 days.
  uint32_t simulation_last_ms = 0;
  uint64_t simulation_elapsed_ms = 0;
  uint32_t slow_frame_reference_ms = 0;
  bool slow_frame_reference_set = false;
};

TimerState timer;

const platform::ClockApi& clock_api() { return platform::api().clock; }

int64_t Read_Counter() {
  const int64_t qpc_result = clock_api().performance_counter();
  ASSERT(qpc_result > 0);
  return qpc_result;
}

void Rebase_Simulation_Clock(uint32_t now_ms) {
  timer.simulation_base_time = clock_api().calendar_time();
  timer.simulation_last_ms = now_ms;
  timer.simulation_elapsed_ms = 0;
}

// The accelerated clock restarts at the present once it runs past the end
// of the signed 32-bit era its base lies in: 2038-01-19 03:14:07 UTC for a
// base before then (the classic limit), 2106-02-07 06:28:15 for a base in
// the next era, and so on. A real-time clock that crosses an era's end logs
// one reset, which lands on the present, already in the next era.
int64_t Simulation_Time_Limit(int64_t base_time) {
  const int64_t era = base_time >= 0 ? base_time / INT32_ERA : 0;
  return (era + 1) * INT32_ERA - 1;
}

void Update_Frame_Rates(int64_t now) {
  if (timer.elapsed_time_s > 0) timer.average_frame_rate = timer.frame_count / timer.elapsed_time_s;
  const double sample_s = double(now - timer.sample_start_count) / double(timer.frequency);
  if (sample_s >= 1.0) {
    timer.sample_frame_rate = timer.sample_frame_count / sample_s;
    timer.sample_frame_count = 0;
    timer.sample_start_count = now;
  }
}

void Check_Slow_Frame() {
  if (!timer.slow_frame_reference_set) {
    timer.slow_frame_reference_ms = clock_api().get_tick_count();
    timer.slow_frame_reference_set = true;
  }
  const uint32_t now_ms = clock_api().get_tick_count();
  const uint32_t difference = now_ms - timer.slow_frame_reference_ms;
  if (difference > CTimer::SLOW_FRAME_MS) {
    CUtility::Log("Warning: frame %d was slow (%d ms)\n", int(timer.frame_count), int(difference));
  }
  timer.slow_frame_reference_ms = now_ms;
}

}  // namespace

void CTimer::Init() {
  CUtility::Log("CTimer::Init\n");
  timer = TimerState{};
  const int64_t qpf_result = clock_api().performance_frequency();
  ASSERT(qpf_result > 0);
  timer.frequency = qpf_result;
  // Reported under the name the counter's frequency has in the original
  // Windows code, where reading and storing it are separate steps.
  if (!(timer.frequency > 0)) CUtility::Assert("Frequency.QuadPart > 0", __FILE__, __LINE__);
  timer.start_count = Read_Counter();
  timer.last_count = timer.start_count;
  timer.sample_start_count = timer.start_count;
  Rebase_Simulation_Clock(clock_api().time_get_time());
}

void CTimer::Set_Time_Acceleration(double normalized_scalar) {
  ASSERT(normalized_scalar >= 0 && normalized_scalar <= 1.0);
  timer.time_acceleration = (MAX_TIME_ACCELERATION - 1) * normalized_scalar + 1;
}

void CTimer::Tick() {
  ++timer.frame_count;
  ++timer.sample_frame_count;
  const int64_t now = Read_Counter();
  timer.frame_time_s = double(now - timer.last_count) / double(timer.frequency);
  timer.last_count = now;
  timer.frame_sim_time_s = timer.time_acceleration * timer.frame_time_s;
  timer.elapsed_time_s = double(now - timer.start_count) / double(timer.frequency);
  Update_Frame_Rates(now);
  if (Is_Diagnostic_Frame()) CUtility::Log("CTimer::Tick : This is the diagnostic frame.\n");
  Check_Slow_Frame();
}

int64_t CTimer::Get_Simulation_Time() {
  const uint32_t now_ms = clock_api().time_get_time();
  timer.simulation_elapsed_ms += uint32_t(now_ms - timer.simulation_last_ms);
  timer.simulation_last_ms = now_ms;
  const int64_t t = timer.simulation_base_time +
                    int64_t(double(timer.simulation_elapsed_ms) * 0.001 * timer.time_acceleration);
  if (t <= Simulation_Time_Limit(timer.simulation_base_time)) return t;
  CUtility::Log("CTimer::Get_Simulation_Time: resetting...\n");
  Rebase_Simulation_Clock(now_ms);
  return timer.simulation_base_time;
}

bool CTimer::Is_Diagnostic_Frame() { return timer.frame_count == DIAGNOSTIC_FRAME; }

double CTimer::Get_Frame_Time_S() { return timer.frame_time_s; }
double CTimer::Get_Frame_Sim_Time_S() { return timer.frame_sim_time_s; }
double CTimer::Get_Elapsed_Time_S() { return timer.elapsed_time_s; }
uint32_t CTimer::Get_Frame_Count() { return timer.frame_count; }
double CTimer::Get_Sample_Frame_Rate() { return timer.sample_frame_rate; }
double CTimer::Get_Average_Frame_Rate() { return timer.average_frame_rate; }
double CTimer::Get_Time_Acceleration() { return timer.time_acceleration; }
