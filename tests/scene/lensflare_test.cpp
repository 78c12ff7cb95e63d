// Lens flare: the chain's offsets, the sprite each element follows the Sun
// with, and the shared intensity against the Earth test.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstring>

#include "config/options.h"
#include "host/resolution.h"
#include "platform/platform.h"
#include "scene/billboard2d.h"
#include "scene/lensflare.h"
#include "scene/lensflaremgr.h"
#include "scene/smartobjectmgr.h"
#include "support/offscreen_gl.h"
#include "utilitylib/random.h"

namespace {

const double FRAME_S = 0.02;
const CVector3 SUN(0, 0, 149600);
// Exact in binary, so that the grazing line below is an exact tangent.
const double EARTH_RADIUS = 6.5;

class LensFlareTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Rand_Seed(5);
    // Stand-in sprites: the chain only needs valid names and sizes.
    for (int i = 0; i < CLensFlareMgr::NUM_FLARE_TEXTURES; ++i) {
      CLensFlareMgr::TextureData[i].Set(100 + i, 64, 32);
    }
    COptions::ShowSun.Set(true);
    COptions::ShowLensFlare.Set(true);
    COptions::IsEarthTransparent.Set(false);
    CLensFlareMgr::MaxIntensity = 0.2;
    CLensFlareMgr::Intensity = 0;
  }
  void TearDown() override {
    CSmartObjectMgr::Close();
    CLensFlareMgr::Close();
    CLensFlareMgr::TextureData[0] = CTextureData();
    COptions::ShowSun.Reset_To_Default();
    COptions::ShowLensFlare.Reset_To_Default();
    COptions::IsEarthTransparent.Reset_To_Default();
  }

  // Runs frames of FRAME_S for the given seconds with the eye at eye.
  void Run(double seconds, const CVector3& eye, bool sun_on_screen = true) {
    for (double t = 0; t < seconds - 1e-9; t += FRAME_S) {
      const bool visible = CLensFlareMgr::Is_Sun_Visible(sun_on_screen, eye, SUN, EARTH_RADIUS);
      CLensFlareMgr::Step_Intensity(visible, FRAME_S);
    }
  }
};

TEST_F(LensFlareTest, ten_elements_run_evenly_from_beside_the_sun_to_three_beyond_the_centre) {
  CLensFlareMgr::Create_Chain(10);
  ASSERT_EQ(CLensFlareMgr::FlareCount, 10);
  for (int i = 0; i < 10; ++i) {
    CLensFlare* flare = CLensFlareMgr::Flares[i];
    EXPECT_NEAR(flare->Offset, 0.6 - 0.4 * i, 0.2 + 1e-12) << i;
    EXPECT_STREQ(flare->Get_Name(), ("Lens flare #" + std::to_string(i)).c_str());
    const CBillboard2d* sprite = flare->Get_Billboard();
    EXPECT_EQ(sprite->blend_destination, static_cast<GLenum>(GL_ONE));
    EXPECT_GE(sprite->Get_Texture_Id(), 100);
    EXPECT_LT(sprite->Get_Texture_Id(), 105);
    EXPECT_EQ(sprite->size_x, 64);
    EXPECT_GE(sprite->Get_Size(), 0.01);
    EXPECT_LE(sprite->Get_Size(), 0.05);
  }
  EXPECT_NEAR(CLensFlareMgr::Flares[9]->Offset, -3, 0.2 + 1e-12);
}

TEST_F(LensFlareTest, sprite_sits_on_the_line_through_the_centre_with_clamped_colour) {
  CLensFlareMgr::Create_Chain(10);
  CLensFlare* flare = CLensFlareMgr::Flares[0];
  flare->Offset = -0.5;
  flare->Brightness = 3;
  flare->RedFactor = 1.3;
  flare->GreenFactor = 0.7;
  flare->BlueFactor = 1.0;
  flare->Follow_Sun(CVector3(0.9, 0.1, 0.3), CVector3(1, 0.2, 0.1), 0.5, 0.2);
  const CBillboard2d* sprite = flare->Get_Billboard();
  EXPECT_NEAR(sprite->position.x, 0.3, 1e-12);
  EXPECT_NEAR(sprite->position.y, 0.7, 1e-12);
  EXPECT_DOUBLE_EQ(sprite->color.x, 1.0) << "3.9 clamped";
  EXPECT_NEAR(sprite->color.y, 0.42, 1e-12);
  EXPECT_NEAR(sprite->color.z, 0.3, 1e-12);
  EXPECT_NEAR(sprite->color.w, 0.1, 1e-12) << "Sun fade-in times intensity";
}

TEST_F(LensFlareTest, earth_between_eye_and_sun_puts_the_flare_out_within_a_tenth_of_a_second) {
  const CVector3 clear_eye(0, 30, -20);
  Run(0.1, clear_eye);
  EXPECT_DOUBLE_EQ(CLensFlareMgr::Intensity, 0.2);
  Run(0.1, CVector3(0, 0, -20));
  EXPECT_EQ(CLensFlareMgr::Intensity, 0.0);
  // A line grazing the surface counts as blocked.
  EXPECT_FALSE(CLensFlareMgr::Is_Sun_Visible(true, CVector3(EARTH_RADIUS, 0, -20),
                                             CVector3(EARTH_RADIUS, 0, 149600), EARTH_RADIUS));
}

TEST_F(LensFlareTest, transparent_earth_never_hides_the_flare) {
  COptions::IsEarthTransparent.Set(true);
  Run(1.0, CVector3(0, 0, -20));
  EXPECT_DOUBLE_EQ(CLensFlareMgr::Intensity, 0.2);
}

TEST_F(LensFlareTest, sun_off_screen_or_switched_off_fades_the_flare_out) {
  CLensFlareMgr::Intensity = 0.2;
  Run(0.1, CVector3(0, 30, -20), false);
  EXPECT_EQ(CLensFlareMgr::Intensity, 0.0);
  COptions::ShowSun.Set(false);
  Run(1.0, CVector3(0, 30, -20));
  EXPECT_EQ(CLensFlareMgr::Intensity, 0.0);
}

// The sprite of each element sits on the line from the Sun through the centre.
void Expect_Chain_Towards(const CVector3& sun_screen, double alpha) {
  for (int i = 0; i < CLensFlareMgr::FlareCount; ++i) {
    const CLensFlare* flare = CLensFlareMgr::Flares[i];
    const CBillboard2d* sprite = flare->Get_Billboard();
    EXPECT_NEAR(sprite->position.x, 0.5 + (sun_screen.x - 0.5) * flare->Offset, 1e-12) << i;
    EXPECT_NEAR(sprite->position.y, 0.5 + (sun_screen.y - 0.5) * flare->Offset, 1e-12) << i;
    EXPECT_NEAR(sprite->color.w, alpha, 1e-12) << i;
  }
}

// Two monitors of different shapes: the left one sees the Sun, the wider
// right one has it beyond its edge. Each draws the chain on its own line,
// and the left one's flare comes up while the right one's stays out.
TEST_F(LensFlareTest, each_view_draws_the_chain_where_it_sees_the_sun) {
  CLensFlareMgr::Create_Chain(10);
  const CLensFlareMgr::SunSight left{CVector3(0.2, 0.3, 0), true, CVector3(1, 1, 1), 1};
  const CLensFlareMgr::SunSight right{CVector3(1.4, 0.3, 0), false, CVector3(1, 1, 1), 1};
  for (int frame = 0; frame < 5; ++frame) {
    CLensFlareMgr::Follow_Sun_In_View(0, left, FRAME_S);
    Expect_Chain_Towards(left.screen, 0.04 * (frame + 1));
    CLensFlareMgr::Follow_Sun_In_View(1, right, FRAME_S);
    Expect_Chain_Towards(right.screen, 0);
  }
  CLensFlareMgr::Follow_Sun_In_View(0, left, FRAME_S);
  Expect_Chain_Towards(left.screen, 0.2);
  // A new chain starts every view dark again.
  CLensFlareMgr::Close();
  CLensFlareMgr::Create_Chain(10);
  CLensFlareMgr::Follow_Sun_In_View(0, left, FRAME_S);
  Expect_Chain_Towards(left.screen, 0.04);
}

const int SPRITE_WIDTH = 128;
const int SPRITE_HEIGHT = 128;

platform::Size Sprite_Screen() { return {SPRITE_WIDTH, SPRITE_HEIGHT}; }

// The real sprites over a grey picture of SPRITE_WIDTH x SPRITE_HEIGHT.
class LensFlareSpriteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    Rand_Seed(9);
    saved_screen_size = platform::api().window.screen_size;
    platform::api().window.screen_size = Sprite_Screen;
    CResolution::Init_Screen_Dimensions();
    CResolution::Set_Window_Dimensions(SPRITE_WIDTH, SPRITE_HEIGHT);
    glViewport(0, 0, SPRITE_WIDTH, SPRITE_HEIGHT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glClearColor(GREY / 255.0f, GREY / 255.0f, GREY / 255.0f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  void TearDown() override {
    CSmartObjectMgr::Close();
    CLensFlareMgr::Close();
    for (CTextureData& data : CLensFlareMgr::TextureData) data = CTextureData();
    platform::api().window.screen_size = saved_screen_size;
  }

  // A chain of 10 for a white Sun near the upper right corner.
  void Draw_Chain(double intensity) {
    CLensFlareMgr::Create_Chain(10);
    for (int i = 0; i < CLensFlareMgr::FlareCount; ++i) {
      CLensFlareMgr::Flares[i]->Follow_Sun(CVector3(0.7, 0.3, 0), CVector3(1, 1, 1), 1,
                                           intensity);
    }
    CSmartObjectMgr::Render_2d_All();
  }

  // Pixels brighter than the grey, and whether any came out darker.
  int Brightened(bool* any_darker) const {
    int brighter = 0;
    *any_darker = false;
    const std::vector<uint8_t> pixels = gl.read_pixels();
    for (size_t i = 0; i < pixels.size(); i += 4) {
      for (int c = 0; c < 3; ++c) *any_darker |= pixels[i + c] < GREY - 1;
      brighter += pixels[i] > GREY + 2 || pixels[i + 1] > GREY + 2 || pixels[i + 2] > GREY + 2;
    }
    return brighter;
  }

  static constexpr int GREY = 60;
  OffscreenGl gl{SPRITE_WIDTH, SPRITE_HEIGHT};
  platform::Size (*saved_screen_size)() = nullptr;
};

TEST_F(LensFlareSpriteTest, init_loads_five_distinct_sprites) {
  CLensFlareMgr::Init();
  for (int i = 0; i < CLensFlareMgr::NUM_FLARE_TEXTURES; ++i) {
    const CTextureData& data = CLensFlareMgr::Get_Texture_Data(i);
    EXPECT_GT(data.Get_Texture_Id(), 0) << i;
    EXPECT_GT(data.Get_Width(), 0) << i;
    EXPECT_GT(data.Get_Height(), 0) << i;
    EXPECT_EQ(glIsTexture(static_cast<GLuint>(data.Get_Texture_Id())), GL_TRUE);
    for (int j = 0; j < i; ++j) {
      EXPECT_NE(data.Get_Texture_Id(), CLensFlareMgr::Get_Texture_Data(j).Get_Texture_Id());
    }
  }
}

TEST_F(LensFlareSpriteTest, visible_chain_only_adds_light) {
  CLensFlareMgr::Init();
  Draw_Chain(0.2);
  bool any_darker = true;
  EXPECT_GT(Brightened(&any_darker), 20);
  EXPECT_FALSE(any_darker);
}

TEST_F(LensFlareSpriteTest, chain_at_zero_intensity_draws_nothing) {
  CLensFlareMgr::Init();
  Draw_Chain(0);
  bool any_darker = true;
  EXPECT_EQ(Brightened(&any_darker), 0);
  EXPECT_FALSE(any_darker);
}

}  // namespace
