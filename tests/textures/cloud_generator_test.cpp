// The cloud texture: layer counts, coverage, the haze, the poles and stopping.
#include <gtest/gtest.h>

#include <atomic>

#include "textures/cloud_generator.h"
#include "utilitylib/random.h"

namespace {

constexpr int PIXELS = 256 * 256;

CGeneratedImage Make_Clouds(bool clouds, bool atmosphere, int quantity, bool bail = false) {
  Rand_Seed(5);
  const std::atomic<bool> stop{bail};
  return CCloudGenerator::Create_Cloud_Data(CCloudSettings{clouds, atmosphere, quantity}, stop);
}

// True when every pixel is exactly (r, g, b, a).
bool Uniform(const CGeneratedImage& image, int r, int g, int b, int a) {
  for (int p = 0; p < PIXELS; ++p) {
    const unsigned char* pixel = &image.pixels[p * 4];
    if (pixel[0] != r || pixel[1] != g || pixel[2] != b || pixel[3] != a) return false;
  }
  return true;
}

TEST(cloud_generator, atmosphere_without_clouds_is_a_uniform_haze) {
  const CGeneratedImage image = Make_Clouds(false, true, 40);
  EXPECT_EQ(image.layers, 0);
  EXPECT_TRUE(Uniform(image, 255, 255, 255, CCloudGenerator::ATMOSPHERE_ALPHA));
}

// A process that already made a cloud layer gets no second coat of haze.
TEST(cloud_generator, only_the_first_cloud_layer_gets_the_haze) {
  Rand_Seed(5);
  const std::atomic<bool> stop{false};
  const CGeneratedImage image = CCloudGenerator::Create_Cloud_Data(
      CCloudSettings{false, true, 40, /*first_cloud_layer=*/false}, stop);
  EXPECT_TRUE(Uniform(image, 0, 0, 0, 0));
}

TEST(cloud_generator, quantity_zero_makes_no_layer) {
  const CGeneratedImage empty = Make_Clouds(true, false, 0);
  EXPECT_EQ(empty.layers, 0);
  for (int p = 0; p < PIXELS; ++p) ASSERT_EQ(empty.pixels[p * 4 + 3], 0);
  const CGeneratedImage haze = Make_Clouds(true, true, -5);
  EXPECT_EQ(haze.layers, 0);
  EXPECT_TRUE(Uniform(haze, 255, 255, 255, CCloudGenerator::ATMOSPHERE_ALPHA));
}

TEST(cloud_generator, unreachable_quantity_stops_after_199_layers) {
  const CGeneratedImage image = Make_Clouds(true, false, 255);
  EXPECT_EQ(image.layers, 199);
  EXPECT_LT(image.coverage, 255);
}

TEST(cloud_generator, clouds_reach_their_quantity_in_white_with_clear_poles) {
  const CGeneratedImage image = Make_Clouds(true, false, 40);
  EXPECT_GE(image.layers, 1);
  EXPECT_LT(image.layers, 199);
  EXPECT_GE(image.coverage, 40);
  int clear = 0;
  for (int p = 0; p < PIXELS; ++p) {
    const unsigned char* pixel = &image.pixels[p * 4];
    if (pixel[3] > 0) {
      ASSERT_EQ(pixel[0], 255);
      ASSERT_EQ(pixel[1], 255);
      ASSERT_EQ(pixel[2], 255);
    }
    clear += pixel[3] == 0;
  }
  EXPECT_GT(clear, 0);
  for (int j = 0; j < 256; ++j) {
    ASSERT_EQ(image.pixels[j * 4 + 3], 0) << "first row, column " << j;
    ASSERT_EQ(image.pixels[(255 * 256 + j) * 4 + 3], 0) << "last row, column " << j;
  }
}

TEST(cloud_generator, the_haze_lies_under_the_clouds) {
  const CGeneratedImage image = Make_Clouds(true, true, 40);
  int above_haze = 0;
  for (int p = 0; p < PIXELS; ++p) {
    ASSERT_GE(image.pixels[p * 4 + 3], CCloudGenerator::ATMOSPHERE_ALPHA);
    above_haze += image.pixels[p * 4 + 3] > CCloudGenerator::ATMOSPHERE_ALPHA;
  }
  EXPECT_GT(above_haze, PIXELS / 10);
}

TEST(cloud_generator, a_stop_request_returns_what_there_is_without_haze) {
  const CGeneratedImage image = Make_Clouds(true, true, 40, true);
  ASSERT_NE(image.pixels, nullptr);
  EXPECT_EQ(image.layers, 0);
  EXPECT_TRUE(Uniform(image, 0, 0, 0, 0));
}

TEST(cloud_generator, atmosphere_raises_alpha_only_where_it_is_lower) {
  unsigned char pixels[32 * 32 * 4] = {};
  pixels[3] = 200;
  pixels[7] = 44;
  CCloudGenerator::Add_Atmosphere(pixels, 32, 32, 4);
  EXPECT_EQ(pixels[3], 200);
  EXPECT_EQ(pixels[7], 45);
  EXPECT_EQ(pixels[0], 255);
}

}  // namespace
