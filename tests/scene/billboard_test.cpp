// Billboards: corner sizes, the sprite's place and aspect, the camera-facing square and culling.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdlib>

#include "astro/camera3d.h"
#include "config/options.h"
#include "host/resolution.h"
#include "platform/platform.h"
#include "scene/billboard2d.h"
#include "scene/billboard3d.h"
#include "scene/smartobjectmgr.h"
#include "support/death_message.h"
#include "support/offscreen_gl.h"

namespace {

const int WIDTH = 200;
const int HEIGHT = 150;

// Bounding box of the pixels whose red channel is set, in GL window pixels.
struct Box {
  int left = WIDTH;
  int right = -1;
  int bottom = HEIGHT;
  int top = -1;
  int count = 0;
  int Width() const { return right - left + 1; }
  int Height() const { return top - bottom + 1; }
  double Centre_X() const { return (left + right + 1) / 2.0; }
  double Centre_Y() const { return (bottom + top + 1) / 2.0; }
};

Box Drawn_Box(const OffscreenGl& gl) {
  const std::vector<uint8_t> pixels = gl.read_pixels();
  Box box;
  for (int y = 0; y < gl.height(); ++y) {
    for (int x = 0; x < gl.width(); ++x) {
      if (pixels[(size_t(y) * gl.width() + x) * 4] < 128) continue;
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x);
      box.bottom = std::min(box.bottom, y);
      box.top = std::max(box.top, y);
      ++box.count;
    }
  }
  return box;
}

TEST(Billboard2dCorners, sprite_spans_its_size_and_keeps_the_image_aspect_on_screen) {
  CBillboard2d* sprite = new CBillboard2d;
  sprite->Set_Size(0.1);
  sprite->size_x = 64;
  sprite->size_y = 32;
  sprite->position.Set(0.5, 0.25, 0);
  CVector3 c[4];
  sprite->Get_Corners(1024, 768, c);
  EXPECT_NEAR(c[1].x - c[0].x, 0.1, 1e-12);
  EXPECT_NEAR(c[3].y - c[0].y, 0.1 * (32.0 / 64) * (1024.0 / 768), 1e-12);
  EXPECT_NEAR(c[2].y - c[1].y, 0.0667, 1e-4);
  // Centred horizontally, a quarter of the way down (y grows upward here).
  EXPECT_NEAR((c[0].x + c[2].x) / 2, 0.5, 1e-12);
  EXPECT_NEAR((c[0].y + c[2].y) / 2, 0.75, 1e-12);
  EXPECT_EQ(c[0].x, c[3].x);
  EXPECT_EQ(c[0].y, c[1].y);
  CSmartObjectMgr::Close();
}

TEST(Billboard3dCorners, square_is_twice_the_size_wide_along_the_given_axes) {
  CBillboard3d* glow = new CBillboard3d;
  glow->Set_Size(5);
  glow->position.Set(10, 20, 30);
  const CVector3 right(0.6, 0, -0.8);
  const CVector3 up(0, 1, 0);
  CVector3 c[4];
  glow->Get_Corners(right, up, c);
  // Lower left, then anticlockwise; right is (0.6, 0, -0.8) scaled by 5.
  const double expected[4][3] = {{7, 15, 34}, {13, 15, 26}, {13, 25, 26}, {7, 25, 34}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(c[i].x, expected[i][0], 1e-12) << i;
    EXPECT_NEAR(c[i].y, expected[i][1], 1e-12) << i;
    EXPECT_NEAR(c[i].z, expected[i][2], 1e-12) << i;
  }
  CSmartObjectMgr::Close();
}

platform::Size Test_Screen() { return {WIDTH, HEIGHT}; }

// A WIDTH x HEIGHT context, a screen of the same size, a white texture and
// the default camera at latitude 0, longitude 0.
class BillboardDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    saved_screen_size = platform::api().window.screen_size;
    platform::api().window.screen_size = Test_Screen;
    CResolution::Init_Screen_Dimensions();
    CResolution::Set_Window_Dimensions(WIDTH, HEIGHT);
    glViewport(0, 0, WIDTH, HEIGHT);
    const uint8_t white[4] = {255, 255, 255, 255};
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
    COptions::FactorCameraRotationSpeed.Set(1);
    TheCamera.Init(true);
    TheCamera.Set_Aspect_Ratio(double(WIDTH) / HEIGHT);
    TheCamera.Set_Clip_Distance_Far(TheCamera.Get_Distance() + 170000);
    Update_Camera(0);
  }
  void TearDown() override {
    CSmartObjectMgr::Close();
    platform::api().window.screen_size = saved_screen_size;
    COptions::FactorCameraRotationSpeed.Reset_To_Default();
  }

  // Moves the orbiting camera on by seconds (45 degrees per second) and applies it.
  void Update_Camera(double seconds) {
    TheCamera.Update(true, seconds, 100);
    TheCamera.Apply();
  }
  void Clear() {
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }

  OffscreenGl gl{WIDTH, HEIGHT};
  platform::Size (*saved_screen_size)() = nullptr;
  GLuint texture = 0;
};

TEST_F(BillboardDrawTest, sprite_is_drawn_at_its_place_with_the_image_aspect) {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  CBillboard2d* sprite = new CBillboard2d;
  sprite->Set_Texture_Id(int(texture));
  sprite->Set_Size(0.2);
  sprite->size_x = 64;
  sprite->size_y = 32;
  sprite->position.Set(0.5, 0.25, 0);
  Clear();
  sprite->Render_2d();
  const Box box = Drawn_Box(gl);
  EXPECT_NEAR(box.Width(), 40, 1);
  EXPECT_NEAR(box.Height(), 20, 1);
  EXPECT_NEAR(box.Centre_X(), WIDTH / 2.0, 1);
  EXPECT_NEAR(box.Centre_Y(), HEIGHT * 0.75, 1);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  GLint depth = 0;
  glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, 1);
}

TEST_F(BillboardDrawTest, transparent_billboards_draw_nothing) {
  CBillboard2d* sprite = new CBillboard2d;
  sprite->color.w = 0;  // no size or texture needed then
  CBillboard3d* glow = new CBillboard3d;
  glow->color.w = 0;
  Clear();
  sprite->Render_2d();
  glow->Special_Render_3d();
  EXPECT_EQ(Drawn_Box(gl).count, 0);
  EXPECT_FALSE(glow->culled);
}

TEST_F(BillboardDrawTest, glow_stays_a_square_facing_the_viewer_while_the_camera_orbits) {
  CBillboard3d* glow = new CBillboard3d;
  glow->Set_Texture_Id(int(texture));
  glow->Set_Size(25);
  glow->position.Set(60, 30, 60);
  for (int step = 0; step < 8; ++step) {
    SCOPED_TRACE(TheCamera.Get_Longitude());
    Clear();
    glow->Special_Render_3d();
    EXPECT_FALSE(glow->culled);
    const Box box = Drawn_Box(gl);
    ASSERT_GT(box.count, 0);
    EXPECT_GT(box.left, 0);
    EXPECT_LT(box.right, WIDTH - 1);
    EXPECT_NEAR(box.Width(), box.Height(), 1);
    EXPECT_GE(box.count, (box.Width() - 1) * (box.Height() - 1));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    Update_Camera(1);
  }
}

TEST_F(BillboardDrawTest, glow_outside_the_view_is_culled_and_not_drawn) {
  CBillboard3d* glow = new CBillboard3d;
  glow->Set_Texture_Id(int(texture));
  glow->Set_Size(10);
  glow->position.Set(0, 0, TheCamera.Get_Distance() + 100);  // behind the eye
  Clear();
  glow->Special_Render_3d();
  EXPECT_TRUE(glow->culled);
  EXPECT_EQ(Drawn_Box(gl).count, 0);
  glow->position.Set(0, 0, 0);
  glow->Special_Render_3d();
  EXPECT_FALSE(glow->culled);
  EXPECT_GT(Drawn_Box(gl).count, 0);
}

TEST(BillboardDeathTest, bad_sizes_and_texture_ids_are_fatal) {
  EXPECT_EXIT((new CBillboard2d)->Set_Size(0), ::testing::ExitedWithCode(1),
              "billboard " ASSERTION_LINE_RE " Assert: size > 0");
  EXPECT_EXIT((new CBillboard3d)->Set_Texture_Id(-1), ::testing::ExitedWithCode(1),
              "Assert: id >= 0");
  EXPECT_EXIT(
      {
        CBillboard2d* sprite = new CBillboard2d;
        sprite->Set_Size(0.1);
        CVector3 corners[4];
        sprite->Get_Corners(1024, 768, corners);
      },
      ::testing::ExitedWithCode(1),
      "billboard2d " ASSERTION_LINE_RE " Assert: Get_Size_X\\(\\) > 0");
}

}  // namespace
