// The overlay pass on an offscreen context: a preview window shows only the
// three title lines, centred at their heights; a window smaller than the
// screen keeps its overlays inside it.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdint>
#include <cstdlib>

#include "host/render_overlay.h"
#include "host/render_texts.h"
#include "host/resolution.h"
#include "host/saver_host.h"
#include "host/texturefont.h"
#include "config/options.h"
#include "platform/headless_window.h"
#include "platform/platform.h"
#include "support/offscreen_gl.h"

namespace {

const int WIDTH = 200;
const int HEIGHT = 150;
const int FONT_SPACING = 8;
const int GLYPH_HALF_HEIGHT = 8;
const int LIT = 64;

// Lit columns of a band of rows, rows counted from the top.
struct Extent {
  int first = -1;
  int last = -1;
  int width() const { return first < 0 ? 0 : last - first + 1; }
};

class PreviewOverlayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok()) << "no offscreen GL context (EGL surfaceless)";
    glViewport(0, 0, WIDTH, HEIGHT);
    CResolution::Set_Window_Dimensions(WIDTH, HEIGHT);
    CTextureFont::Init(FONT_SPACING);
    Reset_Overlays();
    PreviewMode = true;
  }
  void TearDown() override {
    PreviewMode = false;
    CTextureFont::Close();
  }

  Extent Lit_Extent(int top, int bottom) const {
    Extent extent;
    for (int row = std::max(top, 0); row < std::min(bottom, HEIGHT); ++row) {
      for (int x = 0; x < WIDTH; ++x) {
        if ((gl.pixel(x, HEIGHT - 1 - row) >> 24) <= uint32_t(LIT)) continue;
        if (extent.first < 0 || x < extent.first) extent.first = x;
        if (x > extent.last) extent.last = x;
      }
    }
    return extent;
  }
  Extent Line_At(double y) const {
    const int row = int(y * HEIGHT);
    return Lit_Extent(row - GLYPH_HALF_HEIGHT, row + GLYPH_HALF_HEIGHT);
  }

  OffscreenGl gl{WIDTH, HEIGHT};
};

TEST_F(PreviewOverlayTest, ShowsOnlyTheThreeCentredTitleLines) {
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  Render_Overlays();
  glFinish();

  const Extent maker = Line_At(0.3);     // "Vantrel"
  const Extent presents = Line_At(0.5);  // "presents"
  const Extent product = Line_At(0.7);   // "Orbalune 3D"
  for (const Extent& line : {maker, presents, product}) {
    ASSERT_GT(line.width(), 0);
    EXPECT_LE(std::abs(line.first - (WIDTH - 1 - line.last)), FONT_SPACING) << line.first;
  }
  // Widths follow the lengths of the texts: 7, 8 and 11 characters.
  EXPECT_LT(maker.width(), presents.width());
  EXPECT_LT(presents.width(), product.width());
  EXPECT_NEAR(product.width() - maker.width(), 4 * FONT_SPACING, 4);

  // Nothing between or below the lines: no progress line, label or clocks.
  EXPECT_EQ(Lit_Extent(0, int(0.3 * HEIGHT) - GLYPH_HALF_HEIGHT).width(), 0);
  EXPECT_EQ(Lit_Extent(int(0.3 * HEIGHT) + GLYPH_HALF_HEIGHT, int(0.5 * HEIGHT) - GLYPH_HALF_HEIGHT)
                .width(),
            0);
  EXPECT_EQ(Lit_Extent(int(0.7 * HEIGHT) + GLYPH_HALF_HEIGHT, HEIGHT).width(), 0);
}

// A host window much smaller than the screen (XScreenSaver's preview, a
// window given by id): the product label and the frame rate, placed near the
// right edge, end inside the window instead of being cut off by it.
TEST_F(PreviewOverlayTest, RightHandOverlaysStayInsideAWindowSmallerThanTheScreen) {
  PreviewMode = false;
  platform::headless::set_screen({1920, 1080}, 24);
  CResolution::Init_Screen_Dimensions();
  COptions::ShowFramerate.Set(true);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  Render_Overlays();
  glFinish();
  COptions::ShowFramerate.Reset_To_Default();

  // "Orbalune 3D" and "   Vantrel" in the lower right corner.
  const LabelPlace place = Product_Label_Place(CTextureFont::Get_Text_Width("Orbalune 3D"), WIDTH, HEIGHT);
  const Extent label = Lit_Extent(int(place.name_y * HEIGHT) - GLYPH_HALF_HEIGHT,
                                  int(place.maker_y * HEIGHT) + GLYPH_HALF_HEIGHT);
  ASSERT_GT(label.width(), 0);
  EXPECT_GT(label.first, WIDTH / 3);
  EXPECT_GE(label.width(), 10 * FONT_SPACING) << "cut at " << label.last;
  EXPECT_LT(label.last, WIDTH - 1);
  // The frame rate near the top right.
  const Extent frame_rate = Line_At(0.055);
  ASSERT_GT(frame_rate.width(), 0);
  EXPECT_LT(frame_rate.last, WIDTH - 1);
}

}  // namespace
