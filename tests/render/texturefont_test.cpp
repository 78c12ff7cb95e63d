// The texture font on an offscreen context: widths, centring, where a print
// lands and the brightness rule for text between pixels.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <cstdint>

#include "host/resolution.h"
#include "host/texturefont.h"
#include "support/offscreen_gl.h"
#include "utilitylib/vector4.h"

namespace {

const int WIDTH = 256;
const int HEIGHT = 64;

class TextureFontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok()) << "no offscreen GL context (EGL surfaceless)";
    glViewport(0, 0, WIDTH, HEIGHT);
    CResolution::Set_Window_Dimensions(WIDTH, HEIGHT);
    CTextureFont::Init(8);
  }
  void TearDown() override { CTextureFont::Close(); }

  void Clear() {
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
  }

  // The brightest red value inside the box [x0, x1) x [y0, y1), y from the bottom.
  int Max_Red(int x0, int x1, int y0, int y1) {
    glFinish();
    int best = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) best = std::max(best, int(gl.pixel(x, y) >> 24));
    return best;
  }

  OffscreenGl gl{WIDTH, HEIGHT};
};

TEST_F(TextureFontTest, WidthIsLengthTimesSpacing) {
  EXPECT_EQ(CTextureFont::Get_Text_Width(""), 0);
  EXPECT_EQ(CTextureFont::Get_Text_Width("Longitude:  12"), 112);
  EXPECT_DOUBLE_EQ(CTextureFont::Centered_X(112, 1024), 0.5 - 112.0 / 1024 * 0.5);
}

TEST_F(TextureFontTest, GlyphLandsCentredOnItsPlace) {
  Clear();
  // px = 256 * 0.25 - 4 = 60, py = 64 * 0.5 = 32: the cell covers x 60..76, y 24..40.
  CTextureFont::Print(0.25, 0.5, "W", true, CVector4(1, 1, 1, 1));
  EXPECT_GT(Max_Red(60, 76, 24, 40), 128);
  EXPECT_EQ(Max_Red(0, 58, 0, HEIGHT), 0);
  EXPECT_EQ(Max_Red(78, WIDTH, 0, HEIGHT), 0);
  EXPECT_EQ(Max_Red(0, WIDTH, 42, HEIGHT), 0);
}

TEST_F(TextureFontTest, EmptyTextDrawsNothing) {
  Clear();
  CTextureFont::Print_Centered(0.5, "", true, CVector4(1, 1, 1, 1));
  EXPECT_EQ(Max_Red(0, WIDTH, 0, HEIGHT), 0);
}

TEST_F(TextureFontTest, UnalignedTextOnWholePixelsIsThreeQuartersBright) {
  Clear();
  CTextureFont::Print(0.25, 0.5, "W", true, CVector4(1, 1, 1, 1));
  const int aligned = Max_Red(60, 76, 24, 40);
  Clear();
  CTextureFont::Print(0.25, 0.5, "W", false, CVector4(1, 1, 1, 1));
  const int unaligned = Max_Red(60, 76, 24, 40);
  EXPECT_NEAR(unaligned, aligned * 0.75, 3);
  EXPECT_DOUBLE_EQ(CTextureFont::Unaligned_Brightness(0.5, 10.5), 1.125);
  EXPECT_DOUBLE_EQ(CTextureFont::Unaligned_Brightness(3.25, 7), 0.84375);
}

TEST_F(TextureFontTest, CentredTextIsSymmetric) {
  Clear();
  CTextureFont::Print_Centered(0.5, "HHHH", true, CVector4(1, 1, 1, 1));
  // Four cells advancing 8 pixels: 40 pixels wide from 108 - 4 to 148 - 4 + 8.
  EXPECT_GT(Max_Red(100, 128, 24, 40), 128);
  EXPECT_GT(Max_Red(128, 156, 24, 40), 128);
  EXPECT_EQ(Max_Red(0, 96, 0, HEIGHT), 0);
  EXPECT_EQ(Max_Red(160, WIDTH, 0, HEIGHT), 0);
}

}  // namespace
