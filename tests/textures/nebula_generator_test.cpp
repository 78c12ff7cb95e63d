// The nebula texture: colour modes, the brightness cap, layer counts, the
// poles, stopping, and the random colours.
#include <gtest/gtest.h>

#include <atomic>

#include "textures/nebula_generator.h"
#include "utilitylib/random.h"
#include "utilitylib/vector4.h"

namespace {

constexpr int PIXELS = 256 * 256;

CGeneratedImage Make_Nebulae(const CNebulaSettings& settings, bool bail = false) {
  Rand_Seed(8);
  const std::atomic<bool> stop{bail};
  return CNebulaGenerator::Create_Space_Data(settings, stop);
}

CNebulaSettings Settings(int quantity, int color_enum, int custom = 0, int geo = 0) {
  return CNebulaSettings{quantity, color_enum, custom, geo};
}

int Pixel_Sum(const CGeneratedImage& image, int p) {
  return image.pixels[p * 3] + image.pixels[p * 3 + 1] + image.pixels[p * 3 + 2];
}

bool All_Black(const CGeneratedImage& image, int first_pixel, int pixels) {
  for (int p = first_pixel; p < first_pixel + pixels; ++p)
    if (Pixel_Sum(image, p) != 0) return false;
  return true;
}

TEST(nebula_generator, no_pixel_grows_beyond_half_of_white) {
  const CGeneratedImage image = Make_Nebulae(Settings(765, NEBULA_COLOR_MIXTURE));
  EXPECT_EQ(image.layers, 199);
  int max_sum = 0;
  for (int p = 0; p < PIXELS; ++p) max_sum = std::max(max_sum, Pixel_Sum(image, p));
  EXPECT_LE(max_sum, CNebulaGenerator::MAX_PIXEL_SUM);
  // 199 layers saturate the brightest pixels close to the cap.
  EXPECT_GT(max_sum, 370);
}

TEST(nebula_generator, black_custom_colour_adds_nothing_for_199_layers) {
  const CGeneratedImage image = Make_Nebulae(Settings(40, NEBULA_COLOR_CUSTOM, 0));
  EXPECT_EQ(image.layers, 199);
  EXPECT_EQ(image.coverage, 0);
  EXPECT_TRUE(All_Black(image, 0, PIXELS));
}

TEST(nebula_generator, custom_red_gives_pure_red_nebulae) {
  const CGeneratedImage image = Make_Nebulae(Settings(40, NEBULA_COLOR_CUSTOM, 0x0000FF));
  EXPECT_GE(image.coverage, 40);
  int red = 0;
  for (int p = 0; p < PIXELS; ++p) {
    ASSERT_EQ(image.pixels[p * 3 + 1], 0);
    ASSERT_EQ(image.pixels[p * 3 + 2], 0);
    red += image.pixels[p * 3] > 0;
  }
  EXPECT_GT(red, PIXELS / 10);
}

TEST(nebula_generator, quantity_zero_or_a_stop_request_makes_no_layer) {
  const CGeneratedImage none = Make_Nebulae(Settings(0, NEBULA_COLOR_MIXTURE));
  EXPECT_EQ(none.layers, 0);
  EXPECT_TRUE(All_Black(none, 0, PIXELS));
  const CGeneratedImage stopped = Make_Nebulae(Settings(40, NEBULA_COLOR_MIXTURE, 0, 1), true);
  EXPECT_EQ(stopped.layers, 0);
  EXPECT_TRUE(All_Black(stopped, 0, PIXELS));
}

TEST(nebula_generator, poles_turn_black_only_with_a_geostationary_viewpoint) {
  // Plenty of layers, so that the outermost rows carry colour unless blended.
  const CGeneratedImage circling = Make_Nebulae(Settings(80, NEBULA_COLOR_MIXTURE, 0, 0));
  EXPECT_FALSE(All_Black(circling, 0, 256));
  EXPECT_FALSE(All_Black(circling, 255 * 256, 256));
  const CGeneratedImage hanging = Make_Nebulae(Settings(80, NEBULA_COLOR_MIXTURE, 0, -1810603946));
  EXPECT_TRUE(All_Black(hanging, 0, 256));
  EXPECT_TRUE(All_Black(hanging, 255 * 256, 256));
  EXPECT_FALSE(All_Black(hanging, 128 * 256, 256));
}

TEST(nebula_generator, random_colours_stay_dark_and_bluish_within_their_bounds) {
  Rand_Seed(21);
  int blue_largest = 0;
  for (int n = 0; n < 2000; ++n) {
    CVector4 colour;
    CNebulaGenerator::Choose_Random_Color(colour);
    ASSERT_GE(colour.x, 0);
    ASSERT_LT(colour.x, CNebulaGenerator::RED_LIMIT);
    ASSERT_GE(colour.y, 0);
    ASSERT_LT(colour.y, CNebulaGenerator::GREEN_LIMIT);
    ASSERT_GE(colour.z, 0);
    ASSERT_LT(colour.z, CNebulaGenerator::BLUE_LIMIT);
    const double sum = colour.x + colour.y + colour.z;
    ASSERT_GE(sum, CNebulaGenerator::MIN_COLOR_SUM);
    ASSERT_LE(sum, CNebulaGenerator::MAX_COLOR_SUM);
    ASSERT_EQ(colour.w, 255);
    blue_largest += colour.z > colour.x && colour.z > colour.y;
  }
  EXPECT_GT(blue_largest, 2000 / 3);
}

}  // namespace
