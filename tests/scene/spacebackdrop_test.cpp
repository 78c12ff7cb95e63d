// The space backdrop: its texture shows behind the scene, it fades in, it is
// an open tube while the camera circles the equator and a sphere with black
// poles over a city, and its buffer never leaks.
#include <atomic>

#include "scene/spacebackdrop.h"
#include "textures/nebula_generator.h"
#include "cloudlayer_and_backdrop_fixture.h"

namespace {

const uint8_t NEBULA_BLUE[3] = {40, 60, 200};
const int NEBULA_BLUE_SUM = 40 + 60 + 200;
const CVector3 ORIGIN(0, 0, 0);
const CVector3 NORTH(0, 1, 0);
const CVector3 TOWARD_Z(0, 0, 1);
const CVector3 TOWARD_X(1, 0, 0);

class SpaceBackdropTest : public SkyObjectTest {
 protected:
  CSpaceBackdrop* Create_Uniform_Backdrop() {
    Publish_Uniform(CTextureMgr::NebulaTexture, 3, NEBULA_BLUE);
    return new CSpaceBackdrop;
  }

  // From the Earth's centre toward direction; the backdrop alone.
  int Centre_Brightness(CSpaceBackdrop* backdrop, const CVector3& direction,
                        const CVector3& up = NORTH) {
    Begin_Picture(ORIGIN, direction, up, CVector3(0, 0, 149600));
    backdrop->Special_Render_3d();
    return Brightness();
  }
};

TEST_F(SpaceBackdropTest, shows_its_texture_behind_the_scene_once_faded_in) {
  CSpaceBackdrop* backdrop = Create_Uniform_Backdrop();
  EXPECT_EQ(TheSpaceBackdrop, backdrop);
  EXPECT_EQ(Centre_Brightness(backdrop, TOWARD_Z), 0) << "invisible before its first update";

  Frame(1667);
  const int half = Centre_Brightness(backdrop, TOWARD_Z);
  EXPECT_NEAR(half, NEBULA_BLUE_SUM / 2, 12);

  Frame(10000);
  EXPECT_DOUBLE_EQ(backdrop->Get_Fade(), 1.0);
  EXPECT_NEAR(Centre_Brightness(backdrop, TOWARD_Z), NEBULA_BLUE_SUM, 6);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));

  CSmartObjectMgr::Close();
  EXPECT_EQ(TheSpaceBackdrop, nullptr);
}

TEST_F(SpaceBackdropTest, circling_the_equator_draws_an_open_tube_around_the_axis) {
  CSpaceBackdrop* backdrop = Create_Uniform_Backdrop();
  Frame(10000);
  EXPECT_GT(Centre_Brightness(backdrop, TOWARD_Z), 250);
  EXPECT_GT(Centre_Brightness(backdrop, TOWARD_X), 250);
  EXPECT_EQ(Centre_Brightness(backdrop, NORTH, TOWARD_Z), 0);
  EXPECT_EQ(Centre_Brightness(backdrop, CVector3(0, -1, 0), TOWARD_Z), 0);
}

TEST_F(SpaceBackdropTest, a_geostationary_viewpoint_draws_a_sphere) {
  Set(COptions::GeoLocationCrc, 12345);
  CSpaceBackdrop* backdrop = Create_Uniform_Backdrop();
  Frame(10000);
  EXPECT_GT(Centre_Brightness(backdrop, TOWARD_Z), 250);
  EXPECT_GT(Centre_Brightness(backdrop, NORTH, TOWARD_Z), 250);
  EXPECT_GT(Centre_Brightness(backdrop, CVector3(0, -1, 0), TOWARD_Z), 250);
}

// The generated texture as the worker makes it for a viewpoint over a city:
// nebulae around the sphere's equator, black at its poles (on the z axis),
// where the texture's rows pinch together.
TEST_F(SpaceBackdropTest, generated_nebulae_show_with_black_poles_over_a_city) {
  Set(COptions::GeoLocationCrc, 12345);
  CNebulaSettings settings;
  settings.geo_location_crc = 12345;
  settings.min_nebulae_quantity = 120;
  const std::atomic<bool> no_bail{false};
  CTextureMgr::NebulaTexture.Publish(CNebulaGenerator::Create_Space_Data(settings, no_bail));
  CSpaceBackdrop* backdrop = new CSpaceBackdrop;
  Frame(10000);

  Begin_Picture(ORIGIN, TOWARD_X, NORTH, CVector3(0, 0, 149600));
  backdrop->Special_Render_3d();
  glFinish();
  long sum = 0;
  for (uint8_t byte : gl.read_pixels()) sum += byte;
  EXPECT_GT(sum, 100L * SIZE * SIZE) << "the equator shows colour";

  EXPECT_LE(Centre_Brightness(backdrop, TOWARD_Z), 6);
  EXPECT_LE(Centre_Brightness(backdrop, CVector3(0, 0, -1)), 6);
}

TEST_F(SpaceBackdropTest, unconsumed_buffer_is_freed_and_a_consumed_one_is_not_touched) {
  CSpaceBackdrop::Prevent_Memory_Leak();  // nothing published: nothing to do

  Publish_Uniform(CTextureMgr::NebulaTexture, 3, NEBULA_BLUE);
  CSpaceBackdrop::Prevent_Memory_Leak();
  EXPECT_EQ(CTextureMgr::NebulaTexture.Take(), nullptr);
  CTextureMgr::NebulaTexture.Reset();

  CSpaceBackdrop* backdrop = Create_Uniform_Backdrop();
  const int name = CTextureMgr::NebulaTexture.Get_Texture_Id();
  EXPECT_TRUE(glIsTexture(name));
  CSpaceBackdrop::Prevent_Memory_Leak();
  EXPECT_EQ(CTextureMgr::NebulaTexture.Get_Texture_Id(), name);
  Frame(10000);
  EXPECT_GT(Centre_Brightness(backdrop, TOWARD_Z), 250) << "the uploaded texture still draws";
}

}  // namespace
