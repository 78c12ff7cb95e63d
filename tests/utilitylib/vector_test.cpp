// CVector3 and CVector4: normalisation, random fill, clamping, conversions.
#include <gtest/gtest.h>

#include "utilitylib/kvmath.h"
#include "support/death_message.h"
#include "utilitylib/random.h"
#include "utilitylib/vector3.h"
#include "utilitylib/vector4.h"

namespace {

void Expect_Vector(const CVector3& v, double x, double y, double z) {
  EXPECT_DOUBLE_EQ(v.x, x);
  EXPECT_DOUBLE_EQ(v.y, y);
  EXPECT_DOUBLE_EQ(v.z, z);
}

TEST(vector3, normalize_gives_unit_length_in_the_same_direction) {
  CVector3 v(3, 0, -4);
  EXPECT_DOUBLE_EQ(v.Length(), 5);
  v.Normalize();
  Expect_Vector(v, 0.6, 0, -0.8);
}

TEST(vector3, randomize_draws_x_then_y_then_z) {
  Rand_Seed(17);
  const double x = Random_Unit();
  const double y = Random_Unit();
  const double z = Random_Unit();
  Rand_Seed(17);
  CVector3 v;
  v.Randomize();
  Expect_Vector(v, x, y, z);
}

TEST(vector3, clamp_and_conversions) {
  CVector3 v(-0.5, 0.25, 1.5);
  v.Clamp(0, 1);
  Expect_Vector(v, 0, 0.25, 1);
  float floats[3] = {};
  v.To_Float_Array(floats);
  EXPECT_EQ(floats[0], 0.0f);
  EXPECT_EQ(floats[1], 0.25f);
  EXPECT_EQ(floats[2], 1.0f);
  EXPECT_STREQ(CVector3(1, -2.345, 10).To_String(), "( 1.00, -2.35, 10.00)");
  CVector4 colour(-1, 0.5, 2, 3);
  colour.Clamp(0, 1);
  EXPECT_EQ(colour.x, 0);
  EXPECT_EQ(colour.y, 0.5);
  EXPECT_EQ(colour.w, 1);
}

TEST(vector3, to_string_shares_one_buffer) {
  const char* first = CVector3(1, 1, 1).To_String();
  const char* second = CVector3(2, 2, 2).To_String();
  EXPECT_EQ(first, second);
  EXPECT_STREQ(first, "( 2.00,  2.00,  2.00)");
}

TEST(vector_death, preconditions_report_their_expression) {
  CVector3 zero;
  EXPECT_EXIT(zero.Normalize(), ::testing::ExitedWithCode(1),
              "utilitylib/vector3 " ASSERTION_LINE_RE " Assert: length > 0");
  EXPECT_EXIT(zero.To_Float_Array(nullptr), ::testing::ExitedWithCode(1),
              "Assert: float_array != NULL");
  EXPECT_EXIT(zero.Clamp(1, 0), ::testing::ExitedWithCode(1),
              "Assert: upper - lower > -EPSILON");
  CVector4 four;
  EXPECT_EXIT(four.Clamp(1, 0), ::testing::ExitedWithCode(1),
              "utilitylib/vector4 " ASSERTION_LINE_RE " Assert: upper - lower > -EPSILON");
}

}  // namespace
