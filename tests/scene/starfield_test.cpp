// The star population control fed simulated frame rates: growth to 2000,
// on to 5000 while fast, trimming while slow.
#include <gtest/gtest.h>

#include <limits>

#include "config/options.h"
#include "scene/smartobjectmgr.h"
#include "scene/star.h"
#include "utilitylib/random.h"

namespace {

const double FAST_RATE = 60;
const double SLOW_RATE = 15;
const double SHORT_FRAME_S = 1.0 / 60;
const double LONG_FRAME_S = 1.0 / 15;

class StarfieldTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Rand_Seed(3);
    COptions::ShowStars.Set(true);
    COptions::GeoLocationCrc.Set(0);
    CStar::StarsPerStep = CStar::INITIAL_STARS_PER_STEP;
    CStar::LastCheckMs = 0;
    CStar::FastChecks = 0;
    CStar::SlowChecks = 0;
  }
  void TearDown() override {
    CSmartObjectMgr::Close();
    COptions::ShowStars.Reset_To_Default();
    COptions::GeoLocationCrc.Reset_To_Default();
  }

  // One frame as the frame driver runs it, one millisecond after the last.
  void Frames(int count, double rate, double frame_time_s) {
    for (int i = 0; i < count; ++i) {
      CStar::Add_Stars(CStar::NORMAL_STARS);
      now_ms_ += 1;
      CStar::Check_Population(now_ms_, rate, frame_time_s);
    }
  }

  uint32_t now_ms_ = 0;
};

TEST_F(StarfieldTest, grows_to_2000_in_steps_of_30_even_before_the_first_rate_sample) {
  Frames(1, 0, SHORT_FRAME_S);
  EXPECT_EQ(CStar::Count, 30);
  Frames(66, 0, SHORT_FRAME_S);
  EXPECT_EQ(CStar::Count, 2000);
  Frames(200, 0, SHORT_FRAME_S);
  EXPECT_EQ(CStar::Count, 2000) << "a rate of 0 is slow: no growth, and short frames: no trim";
}

TEST_F(StarfieldTest, fast_frames_grow_to_5000_after_150_checks) {
  Frames(67, FAST_RATE, SHORT_FRAME_S);
  ASSERT_EQ(CStar::Count, 2000);
  Frames(150 - 67, FAST_RATE, SHORT_FRAME_S);
  EXPECT_EQ(CStar::Count, 2000) << "150 fast checks are not yet more than 150";
  Frames(1, FAST_RATE, SHORT_FRAME_S);
  EXPECT_EQ(CStar::Count, 2030);
  Frames(200, FAST_RATE, SHORT_FRAME_S);
  EXPECT_EQ(CStar::Count, CStar::MAX_STARS);
}

TEST_F(StarfieldTest, a_fast_rate_with_a_long_frame_does_not_grow) {
  Frames(300, FAST_RATE, LONG_FRAME_S);
  EXPECT_EQ(CStar::Count, 2000);
}

TEST_F(StarfieldTest, slow_frames_trim_back_to_2000_and_growth_slows_for_good) {
  Frames(300, FAST_RATE, SHORT_FRAME_S);
  ASSERT_EQ(CStar::Count, CStar::MAX_STARS);
  Frames(50, SLOW_RATE, LONG_FRAME_S);
  EXPECT_EQ(CStar::Count, CStar::MAX_STARS) << "50 slow checks are not yet more than 50";
  EXPECT_EQ(CStar::StarsPerStep, 30);
  Frames(1, SLOW_RATE, LONG_FRAME_S);
  EXPECT_EQ(CStar::Count, CStar::MAX_STARS - 1);
  EXPECT_EQ(CStar::StarsPerStep, 1);
  Frames(3100, SLOW_RATE, LONG_FRAME_S);
  EXPECT_EQ(CStar::Count, 2000);

  Frames(200, FAST_RATE, SHORT_FRAME_S);
  EXPECT_EQ(CStar::Count, 2000 + 200 - 150) << "one star per frame after the 150th fast check";
}

TEST_F(StarfieldTest, one_interrupting_check_restarts_the_count) {
  Frames(120, FAST_RATE, SHORT_FRAME_S);
  Frames(1, SLOW_RATE, SHORT_FRAME_S);
  Frames(150, FAST_RATE, SHORT_FRAME_S);
  EXPECT_EQ(CStar::Count, 2000);
  EXPECT_EQ(CStar::FastChecks, 150);
}

TEST_F(StarfieldTest, a_run_of_checks_longer_than_the_counter_holds_keeps_growing) {
  Frames(67, FAST_RATE, SHORT_FRAME_S);
  CStar::FastChecks = std::numeric_limits<int32_t>::max();
  Frames(2, FAST_RATE, SHORT_FRAME_S);
  EXPECT_EQ(CStar::FastChecks, std::numeric_limits<int32_t>::max());
  EXPECT_EQ(CStar::Count, 2060);
}

TEST_F(StarfieldTest, checks_within_the_same_millisecond_are_skipped) {
  CStar::Check_Population(5, FAST_RATE, SHORT_FRAME_S);
  CStar::Check_Population(5, FAST_RATE, SHORT_FRAME_S);
  EXPECT_EQ(CStar::FastChecks, 1);
  CStar::Check_Population(6, FAST_RATE, SHORT_FRAME_S);
  EXPECT_EQ(CStar::FastChecks, 2);
}

TEST_F(StarfieldTest, reducing_at_2000_removes_nothing_but_slows_growth) {
  Frames(67, FAST_RATE, SHORT_FRAME_S);
  CStar::Reduce_Stars();
  EXPECT_EQ(CStar::Count, 2000);
  EXPECT_EQ(CStar::StarsPerStep, 1);
}

TEST_F(StarfieldTest, stars_switched_off_are_never_created_and_existing_ones_stay) {
  Frames(10, FAST_RATE, SHORT_FRAME_S);
  ASSERT_EQ(CStar::Count, 300);
  COptions::ShowStars.Set(false);
  Frames(400, FAST_RATE, SHORT_FRAME_S);
  EXPECT_EQ(CStar::Count, 300);
}

}  // namespace
