// Clamping, wrapping, rounding, angle conversion, random ranges and the
// line and segment tests against spheres.
#include <gtest/gtest.h>

#include <array>

#include "utilitylib/kvmath.h"
#include "support/death_message.h"
#include "utilitylib/random.h"
#include "utilitylib/vector3.h"

namespace {

double Wrapped(double x, double lower, double upper) {
  Wrap(x, lower, upper);
  return x;
}

int Wrapped_Int(int x, int lower, int upper) {
  Wrap_Int(x, lower, upper);
  return x;
}

double Clamped(double x, double lower, double upper) {
  Clamp(x, lower, upper);
  return x;
}

TEST(kvmath_wrap, keeps_both_ends_and_moves_by_whole_periods) {
  EXPECT_EQ(Wrapped(180, -180, 180), 180);
  EXPECT_EQ(Wrapped(-180, -180, 180), -180);
  EXPECT_EQ(Wrapped(181, -180, 180), -179);
  EXPECT_EQ(Wrapped(-540, -180, 180), -180);
  EXPECT_EQ(Wrapped(900, -180, 180), 180);
  EXPECT_EQ(Wrapped(45, -180, 180), 45);
}

TEST(kvmath_wrap_int, periods_include_both_ends) {
  EXPECT_EQ(Wrapped_Int(7, 0, 6), 0);
  EXPECT_EQ(Wrapped_Int(-1, 0, 6), 6);
  EXPECT_EQ(Wrapped_Int(-8, 0, 6), 6);
  EXPECT_EQ(Wrapped_Int(6, 0, 6), 6);
  EXPECT_EQ(Wrapped_Int(5, 5, 5), 5);
}

TEST(kvmath_clamp, limits_to_the_range) {
  EXPECT_EQ(Clamped(-2, 0, 1), 0);
  EXPECT_EQ(Clamped(2, 0, 1), 1);
  EXPECT_EQ(Clamped(0.25, 0, 1), 0.25);
  EXPECT_EQ(Clamped(3, 1, 1), 1);
}

TEST(kvmath_round, halves_away_from_zero_and_tiny_values_to_zero) {
  EXPECT_EQ(Round(2.5), 3);
  EXPECT_EQ(Round(-2.5), -3);
  EXPECT_EQ(Round(2.49), 2);
  EXPECT_EQ(Round(-2.49), -2);
  EXPECT_EQ(Round(0.000001), 0);
  EXPECT_EQ(Round(-0.000001), 0);
}

TEST(kvmath_angles, use_the_short_pi) {
  EXPECT_EQ(Degrees_To_Radians(180), 3.1415927);
  EXPECT_DOUBLE_EQ(Radians_To_Degrees(3.1415927), 180);
  EXPECT_DOUBLE_EQ(Radians_To_Degrees(Degrees_To_Radians(-37.5)), -37.5);
}

TEST(kvmath_random, degenerate_ranges_return_their_single_value) {
  Rand_Seed(42);
  for (int i = 0; i < 100; ++i) {
    EXPECT_EQ(Random_Int(3, 3), 3);
    EXPECT_EQ(Random_Range(2.5, 2.5), 2.5);
    EXPECT_EQ(Random_Triangular(-1, -1), -1);
  }
}

TEST(kvmath_random, integer_ranges_reach_both_ends_and_nothing_outside) {
  Rand_Seed(7);
  std::array<int, 5> counts{};
  for (int i = 0; i < 5000; ++i) {
    const int x = Random_Int(-2, 2);
    ASSERT_GE(x, -2);
    ASSERT_LE(x, 2);
    ++counts[x + 2];
  }
  for (int count : counts) EXPECT_GT(count, 800);
}

TEST(kvmath_random, real_ranges_reach_both_ends) {
  Rand_Seed(3);
  bool saw_lower = false;
  bool saw_upper = false;
  // One full period of the generator yields every value, 0 and 32767 included.
  for (int i = 0; i < (1 << 20) && !(saw_lower && saw_upper); ++i) {
    const double x = Random_Range(-1, 3);
    saw_lower |= x == -1;
    saw_upper |= x == 3;
  }
  EXPECT_TRUE(saw_lower);
  EXPECT_TRUE(saw_upper);
}

TEST(kvmath_random, triangular_draws_peak_at_the_midpoint) {
  Rand_Seed(11);
  std::array<int, 4> quarters{};
  double sum = 0;
  const int n = 40000;
  for (int i = 0; i < n; ++i) {
    const double x = Random_Triangular(10, 14);
    ASSERT_GE(x, 10);
    ASSERT_LE(x, 14);
    sum += x;
    ++quarters[x >= 14 ? 3 : int(x - 10)];
  }
  EXPECT_NEAR(sum / n, 12, 0.05);
  // Quarters of a triangle hold 1/8, 3/8, 3/8, 1/8 of the draws.
  EXPECT_NEAR(quarters[0] / double(n), 0.125, 0.01);
  EXPECT_NEAR(quarters[1] / double(n), 0.375, 0.01);
  EXPECT_NEAR(quarters[2] / double(n), 0.375, 0.01);
  EXPECT_NEAR(quarters[3] / double(n), 0.125, 0.01);
}

TEST(kvmath_line_hits_sphere, counts_tangents_and_ignores_direction_sign) {
  const CVector3 centre(0, 0, 0);
  EXPECT_TRUE(Line_Hits_Sphere(CVector3(-5, 0.5, 0), CVector3(1, 0, 0), centre, 1));
  EXPECT_TRUE(Line_Hits_Sphere(CVector3(5, 0.5, 0), CVector3(1, 0, 0), centre, 1));
  EXPECT_TRUE(Line_Hits_Sphere(CVector3(-5, 1, 0), CVector3(1, 0, 0), centre, 1));
  EXPECT_FALSE(Line_Hits_Sphere(CVector3(-5, 1.01, 0), CVector3(1, 0, 0), centre, 1));
}

TEST(kvmath_segment_hits_sphere, needs_a_crossing_inside_the_segment) {
  const CVector3 centre(0, 0, 0);
  EXPECT_TRUE(Segment_Hits_Sphere(CVector3(-5, 0, 0), CVector3(5, 0, 0), centre, 1));
  EXPECT_TRUE(Segment_Hits_Sphere(CVector3(-5, 0, 0), CVector3(0, 0, 0), centre, 1));
  // The line passes through, but the segment ends just short of the surface.
  EXPECT_FALSE(Segment_Hits_Sphere(CVector3(-5, 0, 0), CVector3(-1.001, 0, 0), centre, 1));
  EXPECT_FALSE(Segment_Hits_Sphere(CVector3(5, 0, 0), CVector3(1.001, 0, 0), centre, 1));
  // Touching is a miss.
  EXPECT_FALSE(Segment_Hits_Sphere(CVector3(-5, 1, 0), CVector3(5, 1, 0), centre, 1));
  EXPECT_TRUE(Segment_Hits_Sphere(CVector3(-5, 0.999, 0), CVector3(5, 0.999, 0), centre, 1));
  EXPECT_TRUE(Segment_Hits_Sphere(CVector3(1, 2, 3), CVector3(11, 2, 3), CVector3(6, 2, 3), 2));
}

TEST(kvmath_death, preconditions_report_their_expression) {
  double x = 0;
  int i = 0;
  EXPECT_EXIT(Clamp(x, 1, 0), ::testing::ExitedWithCode(1),
              "kvmath " ASSERTION_LINE_RE " Assert: upper - lower > -EPSILON");
  EXPECT_EXIT(Wrap(x, 1, 1), ::testing::ExitedWithCode(1), "Assert: upper > lower");
  EXPECT_EXIT(Wrap_Int(i, 1, 0), ::testing::ExitedWithCode(1), "Assert: upper >= lower");
  EXPECT_EXIT(Random_Range(1, 0), ::testing::ExitedWithCode(1),
              "Assert: upper - lower > -EPSILON");
  EXPECT_EXIT(Random_Int(2, 1), ::testing::ExitedWithCode(1), "Assert: lower <= upper");
  EXPECT_EXIT(Random_Triangular(1, 0), ::testing::ExitedWithCode(1),
              "Assert: upper - lower > -EPSILON");
}

}  // namespace
