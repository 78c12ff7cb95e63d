// The drawn Moon: lit on the side toward the light, so that its phase shows,
// and not drawn at all where the camera cannot see it.
#include <vector>

#include "astro/camera3d.h"
#include "astro/light.h"
#include "host/resolution.h"
#include "scene/moon.h"
#include "celestialbody_fixture.h"

namespace {

const int MAP_SIZE = 8;

class MoonPictureTest : public CelestialBodyTest {
 protected:
  void SetUp() override {
    CelestialBodyTest::SetUp();
    Set(COptions::FactorBodySize, 0.0f);
    Set(COptions::FactorDarkSideBrightness, 0.0f);
    Set(COptions::GeoLocationCrc, 0);
    CResolution::Set_Window_Dimensions(gl.width(), gl.height());
    glViewport(0, 0, gl.width(), gl.height());
    // The camera stays at longitude 0 on +Z, looking at the Earth's centre.
    TheCamera.Init(true);
    TheCamera.Set_Aspect_Ratio(1);
    TheCamera.Update(false, 0, 0);
  }

  // Draws a faded-in white Moon at place, lit from light_direction.
  void Draw_Moon_At(const CVector3& place, const CVector3& light_direction) {
    CMoon* moon = new CMoon;
    Frame(10000);
    Replace_Texture(CMoon::TextureId, std::vector<uint8_t>(MAP_SIZE * MAP_SIZE * 3, 255), MAP_SIZE,
                    MAP_SIZE);
    moon->position = place;
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_CULL_FACE);
    TheCamera.Set_Clip_Distance_Far(1000);
    TheCamera.Apply();
    CLight light;
    light.Init(GL_LIGHT0);
    CVector3 sun = light_direction;
    sun *= 149600;
    light.Set_Position(sun);
    moon->Special_Render_3d();
    glFinish();
  }
};

TEST_F(MoonPictureTest, half_toward_the_light_is_lit) {
  const double camera_z = TheCamera.Get_Eye().z;
  ASSERT_GT(camera_z, 10);
  // A few units in front of the camera, lit from +X: the right of the picture.
  Draw_Moon_At(CVector3(0, 0, camera_z - 7), CVector3(1, 0, 0));
  EXPECT_FALSE(TheMoon->culled);
  EXPECT_GT(Channel(6, 0, 0), 100);
  EXPECT_LT(Channel(-6, 0, 0), 10);
}

TEST_F(MoonPictureTest, moon_behind_the_camera_is_culled_and_not_drawn) {
  Draw_Moon_At(CVector3(0, 0, TheCamera.Get_Eye().z + 50), CVector3(0, 0, 1));
  EXPECT_TRUE(TheMoon->culled);
  for (int dx : {-20, 0, 20}) EXPECT_EQ(Channel(dx, 0, 0), 0);
}

}  // namespace
