// The plasma lattice, the colour ramp and its contrast, polar blending, and
// the argument checks of both operations.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "textures/proceduraltexture.h"
#include "support/death_message.h"
#include "utilitylib/random.h"
#include "utilitylib/vector4.h"

namespace {

constexpr int SIZE = 256;
constexpr int N = CProceduralTexture::LATTICE_SIZE;

using Image = std::vector<unsigned char>;

Image Blank_Image() { return Image(SIZE * SIZE * 4, 0); }

const unsigned char* Pixel(const Image& image, int row, int column) {
  return &image[(row * SIZE + column) * 4];
}

float Lattice_At(int i, int j) { return CProceduralTexture::Get_Lattice()[i * N + j]; }

TEST(proceduraltexture_lattice, every_point_is_set_and_the_far_edges_repeat_the_near_ones) {
  for (uint32_t seed : {1u, 77u, 4242u}) {
    Rand_Seed(seed);
    CProceduralTexture::Generate_Lattice();
    int unset = 0;
    for (int i = 0; i < N; ++i)
      for (int j = 0; j < N; ++j) unset += CProceduralTexture::Is_Unset(Lattice_At(i, j));
    EXPECT_EQ(unset, 0) << "seed " << seed;
    for (int k = 0; k < N; ++k) {
      ASSERT_EQ(Lattice_At(N - 1, k), Lattice_At(0, k)) << "column " << k;
      ASSERT_EQ(Lattice_At(k, N - 1), Lattice_At(k, 0)) << "row " << k;
    }
    EXPECT_EQ(Lattice_At(0, 0), 0.0f);
  }
}

TEST(proceduraltexture_lattice, neighbouring_points_differ_by_little_while_the_whole_varies) {
  Rand_Seed(9);
  CProceduralTexture::Generate_Lattice();
  float low = Lattice_At(0, 0), high = low, largest_step = 0;
  for (int i = 0; i < N; ++i) {
    for (int j = 0; j + 1 < N; ++j) {
      low = std::fmin(low, Lattice_At(i, j));
      high = std::fmax(high, Lattice_At(i, j));
      largest_step = std::fmax(largest_step, std::fabs(Lattice_At(i, j + 1) - Lattice_At(i, j)));
    }
  }
  // A plasma is smooth: single steps stay well below the overall spread.
  EXPECT_GT(high - low, 4.0f);
  EXPECT_LT(largest_step, (high - low) / 2);
}

TEST(proceduraltexture_ramp, cloud_ramp_is_white_with_noise_only_in_alpha) {
  Rand_Seed(3);
  Image image = Blank_Image();
  const float average = CProceduralTexture::Create_Midpoint_Texture(
      image.data(), SIZE, SIZE, 4, CVector4(255, 255, 255, 0), CVector4(255, 255, 255, 255));
  long alpha_sum = 0;
  int distinct_alpha = 0;
  std::vector<bool> seen(256, false);
  for (int p = 0; p < SIZE * SIZE; ++p) {
    const unsigned char* pixel = &image[p * 4];
    ASSERT_EQ(pixel[0], 255);
    ASSERT_EQ(pixel[1], 255);
    ASSERT_EQ(pixel[2], 255);
    alpha_sum += pixel[3];
    if (!seen[pixel[3]]) ++distinct_alpha, seen[pixel[3]] = true;
  }
  EXPECT_GT(distinct_alpha, 20);
  // The mean ramp position and the mean alpha agree up to truncation.
  const double mean_alpha = double(alpha_sum) / (SIZE * SIZE) / 255;
  EXPECT_NEAR(average, mean_alpha, 1.0 / 255);
}

TEST(proceduraltexture_ramp, nebula_ramp_is_colour_on_black_with_full_alpha) {
  Rand_Seed(4);
  Image image = Blank_Image();
  CProceduralTexture::Create_Midpoint_Texture(image.data(), SIZE, SIZE, 4, CVector4(0, 0, 0, 255),
                                              CVector4(40, 80, 120, 255));
  int coloured = 0;
  for (int p = 0; p < SIZE * SIZE; ++p) {
    const unsigned char* pixel = &image[p * 4];
    ASSERT_EQ(pixel[3], 255);
    ASSERT_LE(pixel[0], 40);
    ASSERT_LE(pixel[1], 80);
    ASSERT_LE(pixel[2], 120);
    // Every pixel lies on the ramp: blue is three times red, up to truncation.
    ASSERT_NEAR(pixel[2], 3 * pixel[0], 3.0);
    coloured += pixel[2] > 0;
  }
  EXPECT_GT(coloured, 0);
}

TEST(proceduraltexture_ramp, contrast_leaves_most_pixels_exactly_at_low) {
  const CVector4 low(255, 255, 255, 0), high(255, 255, 255, 255);
  for (uint32_t seed : {11u, 12u, 13u, 14u}) {
    Rand_Seed(seed);
    Image image = Blank_Image();
    const float average =
        CProceduralTexture::Create_Midpoint_Texture(image.data(), SIZE, SIZE, 4, low, high);
    int at_low = 0;
    for (int p = 0; p < SIZE * SIZE; ++p) at_low += image[p * 4 + 3] == 0;
    EXPECT_GT(at_low, SIZE * SIZE / 2) << "seed " << seed;
    EXPECT_GT(average, 0.0f);
    EXPECT_LT(average, 0.25f);
  }
}

// An image whose bytes are all non-zero, so that blending towards black
// changes every byte it touches.
Image Noisy_Image() {
  Image image(SIZE * SIZE * 4);
  for (size_t b = 0; b < image.size(); ++b) image[b] = (unsigned char)(1 + (b * 37) % 255);
  return image;
}

bool Row_Equal(const Image& a, const Image& b, int row) {
  return std::equal(Pixel(a, row, 0), Pixel(a, row, 0) + SIZE * 4, Pixel(b, row, 0));
}

bool Row_Entirely_Changed(const Image& before, const Image& after, int row) {
  for (int b = 0; b < SIZE * 4; ++b)
    if (Pixel(before, row, 0)[b] == Pixel(after, row, 0)[b]) return false;
  return true;
}

TEST(proceduraltexture_poles, only_the_32_first_and_31_last_rows_change) {
  const Image before = Noisy_Image();
  Image after = before;
  CProceduralTexture::Clear_Poles(after.data(), SIZE, SIZE, 4, CVector4(0, 0, 0, 0));
  for (int row = 0; row < SIZE; ++row) {
    const bool pole = row <= 31 || row >= 225;
    if (pole) {
      EXPECT_TRUE(Row_Entirely_Changed(before, after, row)) << "row " << row;
    } else {
      EXPECT_TRUE(Row_Equal(before, after, row)) << "row " << row;
    }
  }
}

TEST(proceduraltexture_poles, outermost_rows_become_the_colour_and_blending_is_gradual) {
  const Image before = Noisy_Image();
  Image after = before;
  CProceduralTexture::Clear_Poles(after.data(), SIZE, SIZE, 4, CVector4(10, 200, 30, 255));
  const unsigned char colour[4] = {10, 200, 30, 255};
  for (int row : {0, SIZE - 1}) {
    for (int j = 0; j < SIZE; ++j)
      for (int k = 0; k < 4; ++k) ASSERT_EQ(Pixel(after, row, j)[k], colour[k]) << row << "," << j;
  }
  // Row 16 keeps half of its difference from the colour (truncated toward zero).
  const unsigned char p = Pixel(before, 16, 5)[0];
  EXPECT_EQ(Pixel(after, 16, 5)[0], (unsigned char)int(10 + 0.5 * (p - 10)));
}

TEST(proceduraltexture_death, arguments_are_checked) {
  Image image = Blank_Image();
  const CVector4 black(0, 0, 0, 255);
  EXPECT_DEATH(CProceduralTexture::Create_Midpoint_Texture(nullptr, SIZE, SIZE, 4, black, black),
               "proceduraltexture " ASSERTION_LINE_RE " Assert: data != NULL");
  EXPECT_DEATH(
      CProceduralTexture::Create_Midpoint_Texture(image.data(), SIZE, SIZE, 3, black, black),
      "Assert: components == 4");
  EXPECT_DEATH(CProceduralTexture::Clear_Poles(image.data(), SIZE, 128, 4, black),
               "Assert: width == height");
}

TEST(proceduraltexture_death, images_beyond_the_lattice_or_without_room_for_poles_are_refused) {
  std::vector<unsigned char> large(512 * 512 * 4);
  const CVector4 black(0, 0, 0, 255);
  EXPECT_DEATH(CProceduralTexture::Create_Midpoint_Texture(large.data(), 512, 512, 4, black, black),
               "Assert: width <= LATTICE_SIZE");
  EXPECT_DEATH(CProceduralTexture::Clear_Poles(large.data(), 16, 16, 4, black),
               "Assert: height >= POLE_ROWS");
}

}  // namespace
