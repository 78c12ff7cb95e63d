// CTimer: frame timing, rates, the diagnostic frame, slow-frame warnings and
// the accelerated simulation clock with its reset.
#include <gtest/gtest.h>

#include <string>

#include "utilitylib/timer.h"
#include "support/death_message.h"
#include "utilitylib/timer_fake_clock.h"
#include "utilitylib/utility.h"

namespace {

constexpr int64_t INT32_LIMIT = 2147483647;  // 2038-01-19 03:14:07 UTC

class TimerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CUtility::Set_Logging(true);
    CTimer::Init();
  }
  void TearDown() override { CUtility::Set_Logging(false); }

  // Ticks once after the given real milliseconds and returns what was logged.
  std::string Tick_After(uint32_t ms) {
    clock.Advance_Ms(ms);
    ::testing::internal::CaptureStdout();
    CTimer::Tick();
    return ::testing::internal::GetCapturedStdout();
  }

  // The simulation time after the given real milliseconds, with its log.
  int64_t Simulation_After(uint32_t ms, std::string& log) {
    clock.Advance_Ms(ms);
    ::testing::internal::CaptureStdout();
    const int64_t t = CTimer::Get_Simulation_Time();
    log = ::testing::internal::GetCapturedStdout();
    return t;
  }

  int64_t Simulation_After(uint32_t ms) {
    std::string ignored;
    return Simulation_After(ms, ignored);
  }

  // Restarts the timer with the real clock at the given calendar time.
  void Init_At(int64_t calendar, double factor) {
    clock.Set_Calendar(calendar);
    CTimer::Init();
    CTimer::Set_Time_Acceleration(factor);
  }

  FakeClock clock;
};

TEST_F(TimerTest, frame_times_follow_the_counter_and_the_acceleration) {
  CTimer::Set_Time_Acceleration(1.0);
  Tick_After(20);
  EXPECT_DOUBLE_EQ(CTimer::Get_Frame_Time_S(), 0.02);
  EXPECT_DOUBLE_EQ(CTimer::Get_Frame_Sim_Time_S(), 0.02 * 30000);
  Tick_After(30);
  EXPECT_DOUBLE_EQ(CTimer::Get_Frame_Time_S(), 0.03);
  EXPECT_DOUBLE_EQ(CTimer::Get_Elapsed_Time_S(), 0.05);
  EXPECT_EQ(CTimer::Get_Frame_Count(), 2u);
  EXPECT_DOUBLE_EQ(CTimer::Get_Average_Frame_Rate(), 2 / 0.05);
}

TEST_F(TimerTest, sample_rate_stays_zero_until_a_full_second_has_passed) {
  for (int i = 0; i < 9; ++i) Tick_After(100);
  Tick_After(99);
  EXPECT_EQ(CTimer::Get_Sample_Frame_Rate(), 0.0);
  Tick_After(1);
  EXPECT_DOUBLE_EQ(CTimer::Get_Sample_Frame_Rate(), 11.0);
  // A new sample starts: the old rate stands until it completes.
  Tick_After(500);
  EXPECT_DOUBLE_EQ(CTimer::Get_Sample_Frame_Rate(), 11.0);
  Tick_After(500);
  EXPECT_DOUBLE_EQ(CTimer::Get_Sample_Frame_Rate(), 2.0);
}

TEST_F(TimerTest, diagnostic_frame_is_frame_500_and_logged_once) {
  std::string log;
  for (int frame = 1; frame <= 600; ++frame) {
    log += Tick_After(10);
    EXPECT_EQ(CTimer::Is_Diagnostic_Frame(), frame == 500) << frame;
  }
  const std::string line = "CTimer::Tick : This is the diagnostic frame.\n";
  const size_t first = log.find(line);
  ASSERT_NE(first, std::string::npos);
  EXPECT_EQ(log.find(line, first + 1), std::string::npos);
}

TEST_F(TimerTest, slow_frame_warning_from_201_ms_not_at_200) {
  EXPECT_EQ(Tick_After(500), "") << "the first tick only sets the reference";
  EXPECT_EQ(Tick_After(200), "");
  EXPECT_EQ(Tick_After(201), "Warning: frame 3 was slow (201 ms)\n");
  EXPECT_EQ(Tick_After(16), "");
}

TEST_F(TimerTest, acceleration_factors_for_0_half_and_1) {
  const int64_t base = 1700000000;
  Init_At(base, 0.0);
  EXPECT_EQ(CTimer::Get_Time_Acceleration(), 1.0);
  EXPECT_EQ(Simulation_After(1000), base + 1);
  EXPECT_EQ(Simulation_After(1000), base + 2);
  Init_At(base, 0.5);
  EXPECT_EQ(CTimer::Get_Time_Acceleration(), 15000.5);
  EXPECT_EQ(Simulation_After(1000), base + 15000);
  EXPECT_EQ(Simulation_After(1000), base + 30001);
  Init_At(base, 1.0);
  EXPECT_EQ(CTimer::Get_Time_Acceleration(), 30000.0);
  EXPECT_EQ(Simulation_After(1000), base + 30000);
}

TEST_F(TimerTest, simulation_clock_survives_the_millisecond_clock_wrapping) {
  clock.Set_Time_Ms(0xFFFFFF00u);
  Init_At(1700000000, 0.0);
  EXPECT_EQ(Simulation_After(1000), 1700000001);
}

TEST_F(TimerTest, simulation_clock_runs_on_past_49_7_days_of_milliseconds) {
  Init_At(1700000000, 0.0);
  const uint32_t ten_days_ms = 10u * 86400 * 1000;
  for (int i = 0; i < 6; ++i) Simulation_After(ten_days_ms);
  EXPECT_EQ(Simulation_After(1000), 1700000000 + 60 * 86400 + 1);
}

TEST_F(TimerTest, accelerated_clock_past_the_32_bit_limit_restarts_at_the_present) {
  Init_At(INT32_LIMIT - 60000, 1.0);
  std::string log;
  EXPECT_EQ(Simulation_After(2000, log), INT32_LIMIT);
  EXPECT_EQ(log, "");
  const int64_t present = INT32_LIMIT - 59998;
  EXPECT_EQ(Simulation_After(1, log), present);
  EXPECT_EQ(log, "CTimer::Get_Simulation_Time: resetting...\n");
  // Runs on from the new base.
  EXPECT_EQ(Simulation_After(1000, log), present + 30000);
  EXPECT_EQ(log, "");
}

TEST_F(TimerTest, real_clock_past_2038_runs_on_without_resetting) {
  const int64_t after_2038 = INT32_LIMIT + 1000;
  Init_At(after_2038, 0.0);
  std::string log;
  EXPECT_EQ(Simulation_After(1000, log), after_2038 + 1);
  EXPECT_EQ(log, "");
  Init_At(after_2038, 1.0);
  EXPECT_EQ(Simulation_After(1000, log), after_2038 + 30000);
  EXPECT_EQ(log, "");
}

TEST_F(TimerTest, real_time_crossing_into_2038_resets_once_onto_the_present) {
  Init_At(INT32_LIMIT - 1, 0.0);
  std::string log;
  EXPECT_EQ(Simulation_After(2000, log), INT32_LIMIT + 1);
  EXPECT_EQ(log, "CTimer::Get_Simulation_Time: resetting...\n");
  EXPECT_EQ(Simulation_After(5000, log), INT32_LIMIT + 6);
  EXPECT_EQ(log, "");
}

TEST_F(TimerTest, past_2038_the_accelerated_clock_resets_at_the_next_32_bit_era) {
  const int64_t era_end = 2 * (INT32_LIMIT + 1) - 1;  // 2106-02-07 06:28:15 UTC
  Init_At(era_end - 30000, 1.0);
  std::string log;
  EXPECT_EQ(Simulation_After(1000, log), era_end);
  EXPECT_EQ(log, "");
  EXPECT_EQ(Simulation_After(1000, log), era_end - 29998);
  EXPECT_EQ(log, "CTimer::Get_Simulation_Time: resetting...\n");
}

using TimerDeathTest = TimerTest;

TEST_F(TimerDeathTest, out_of_range_acceleration_is_fatal) {
  EXPECT_EXIT(CTimer::Set_Time_Acceleration(1.01), ::testing::ExitedWithCode(1),
              "utilitylib/timer " ASSERTION_LINE_RE " Assert: normalized_scalar >= 0 && "
              "normalized_scalar <= 1.0");
  EXPECT_EXIT(CTimer::Set_Time_Acceleration(-0.01), ::testing::ExitedWithCode(1),
              "normalized_scalar");
}

TEST_F(TimerDeathTest, failed_counter_reads_are_fatal) {
  clock.Set_Frequency(0);
  EXPECT_EXIT(CTimer::Init(), ::testing::ExitedWithCode(1), "Assert: qpf_result > 0");
  clock.Set_Frequency(FakeClock::FREQUENCY);
  clock.Set_Counter(0);
  EXPECT_EXIT(CTimer::Init(), ::testing::ExitedWithCode(1), "Assert: qpc_result > 0");
  EXPECT_EXIT(CTimer::Tick(), ::testing::ExitedWithCode(1), "Assert: qpc_result > 0");
}

}  // namespace
