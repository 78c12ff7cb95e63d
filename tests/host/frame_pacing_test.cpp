// Frame pacing: which pacing a context and display get, and the waits after
// the swap on a fake clock of one tick per microsecond.
#include <gtest/gtest.h>

#include <vector>

#include "host/frame_pacing.h"
#include "platform/platform.h"

namespace {

int64_t FakeNow = 0;
int64_t Oversleep = 0;
std::vector<uint32_t> Sleeps;

int64_t fake_counter() { return FakeNow; }
int64_t fake_frequency() { return 1000000; }
void fake_sleep_us(uint32_t microseconds) {
  Sleeps.push_back(microseconds);
  FakeNow += microseconds + Oversleep;
}

class FramePacingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = platform::api().clock;
    platform::api().clock.performance_counter = fake_counter;
    platform::api().clock.performance_frequency = fake_frequency;
    platform::api().clock.sleep_us = fake_sleep_us;
    FakeNow = 1000;
    Oversleep = 0;
    Sleeps.clear();
  }
  void TearDown() override { platform::api().clock = saved_; }

  // One frame that takes drawing_us to draw, then the pacing after its swap.
  void frame(int64_t drawing_us) {
    FakeNow += drawing_us;
    Pace_Frame();
  }

 private:
  platform::ClockApi saved_{};
};

TEST(FramePacingChoice, follows_the_swap_and_the_display) {
  EXPECT_EQ(Choose_Frame_Pacing(0, 60), FramePacing::WaitAfterSwap);
  EXPECT_EQ(Choose_Frame_Pacing(1, 60), FramePacing::BufferSwap);
  // Offscreen, and unpaced on request: no waiting whatever the swap does.
  EXPECT_EQ(Choose_Frame_Pacing(0, 0), FramePacing::None);
  EXPECT_EQ(Choose_Frame_Pacing(1, 0), FramePacing::None);
}

TEST(FramePacingSchedule, next_start_is_one_interval_on_or_at_once_when_late) {
  EXPECT_EQ(Next_Frame_Start(1000, 1200, 500), 1500);
  EXPECT_EQ(Next_Frame_Start(1000, 1500, 500), 1500);
  EXPECT_EQ(Next_Frame_Start(1000, 2600, 500), 2600);
}

TEST_F(FramePacingTest, quick_frames_sleep_out_the_rest_of_each_interval) {
  Start_Frame_Pacing(0, 50);  // 20000 us per frame
  frame(5000);
  frame(12000);
  EXPECT_EQ(Sleeps, (std::vector<uint32_t>{15000, 8000}));
  EXPECT_EQ(FakeNow, 1000 + 2 * 20000);
}

TEST_F(FramePacingTest, a_slow_frame_is_not_followed_by_a_burst) {
  Start_Frame_Pacing(0, 50);
  frame(45000);
  frame(5000);
  // The late frame's successor waits a whole interval from the late start.
  EXPECT_EQ(Sleeps, (std::vector<uint32_t>{15000}));
}

TEST_F(FramePacingTest, oversleeping_shortens_the_next_wait_so_the_rate_holds) {
  Start_Frame_Pacing(0, 50);
  Oversleep = 300;
  for (int i = 0; i < 10; ++i) frame(5000);
  // Ten frames in ten intervals, give or take the last oversleep.
  EXPECT_EQ(FakeNow, 1000 + 10 * 20000 + 300);
}

TEST_F(FramePacingTest, vertical_sync_and_offscreen_frames_never_sleep) {
  Start_Frame_Pacing(1, 60);
  frame(100);
  Start_Frame_Pacing(0, 0);
  frame(100);
  EXPECT_TRUE(Sleeps.empty());
}

}  // namespace
