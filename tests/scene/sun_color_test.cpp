// The Sun's colour rules: the custom word, the random pick, the changing mode.
#include <gtest/gtest.h>

#include "scene/sun_color.h"
#include "utilitylib/random.h"

namespace {

void Expect_Color(const CVector3& c, double r, double g, double b) {
  EXPECT_NEAR(c.x, r, 1e-12);
  EXPECT_NEAR(c.y, g, 1e-12);
  EXPECT_NEAR(c.z, b, 1e-12);
}

void Expect_Within_Unit(const CVector3& c) {
  for (double component : {c.x, c.y, c.z}) {
    EXPECT_GE(component, 0);
    EXPECT_LE(component, 1);
  }
}

TEST(SunColorTest, custom_word_is_red_in_the_low_byte) {
  Expect_Color(Sun_Color_From_Word(0x0000FF), 1, 0, 0);
  Expect_Color(Sun_Color_From_Word(0xFFFFFF), 1, 1, 1);
  // The byte above blue is ignored.
  Expect_Color(Sun_Color_From_Word(0xFF00FF00), 0, 1, 0);
}

TEST(SunColorTest, random_colours_are_bright_and_not_purplish) {
  for (uint32_t seed = 1; seed <= 300; ++seed) {
    Rand_Seed(seed);
    const CVector3 c = Random_Sun_Color();
    EXPECT_GE(c.x + c.y + c.z, 1.5) << "seed " << seed;
    EXPECT_FALSE(Is_Purplish(c)) << "seed " << seed;
  }
}

TEST(SunColorTest, drift_stays_within_unit_range) {
  Rand_Seed(5);
  CVector3 color;
  color.Randomize();
  CVector3 rates = Initial_Sun_Drift_Rates();
  for (int frame = 0; frame < 5000; ++frame) {
    // Mostly short frames with an occasional very long one.
    const double seconds = frame % 97 == 0 ? 30.0 : 0.02;
    Drift_Sun_Color(color, rates, seconds);
    Expect_Within_Unit(color);
  }
}

TEST(SunColorTest, drift_of_a_black_colour_ends_and_recovers) {
  CVector3 black(0, 0, 0);
  CVector3 still(0, 0, 0);
  Drift_Sun_Color(black, still, 0);
  Expect_Color(black, 0, 0, 0);
  // Every component driven below zero: clamped to black, which no scaling
  // can brighten; the turned rates lift it on the next frame.
  CVector3 color(0, 0, 0);
  CVector3 rates(-0.1, -0.11, -0.12);
  Drift_Sun_Color(color, rates, 1);
  Expect_Color(color, 0, 0, 0);
  EXPECT_GT(rates.x, 0);
  Drift_Sun_Color(color, rates, 1);
  EXPECT_GE(color.Length(), 1.0);
  Expect_Within_Unit(color);
}

}  // namespace
