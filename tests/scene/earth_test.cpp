// The drawn globe: the map's orientation in the scene frame, the lit
// hemisphere toward the light, the dark side's ambient level, transparency.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <vector>

#include "astro/light.h"
#include "scene/earth.h"
#include "celestialbody_fixture.h"

namespace {

const double EYE_DISTANCE = 30;
const double LIGHT_DISTANCE = 149600;
const int MAP_WIDTH = 64;
const int MAP_HEIGHT = 32;

// Red around longitude 90 east, blue around longitude 0, green over the
// northern half; uploaded bottom row (south) first, as the loaders do.
std::vector<uint8_t> Marker_Map() {
  std::vector<uint8_t> rgb(MAP_WIDTH * MAP_HEIGHT * 3, 0);
  for (int row = 0; row < MAP_HEIGHT; ++row) {
    for (int column = 0; column < MAP_WIDTH; ++column) {
      const double longitude = (column + 0.5) * 360.0 / MAP_WIDTH - 180;
      uint8_t* texel = &rgb[(row * MAP_WIDTH + column) * 3];
      texel[0] = std::fabs(longitude - 90) < 12 ? 255 : 0;
      texel[1] = row >= MAP_HEIGHT / 2 ? 255 : 0;
      texel[2] = std::fabs(longitude) < 12 ? 255 : 0;
    }
  }
  return rgb;
}

std::vector<uint8_t> White_Map() { return std::vector<uint8_t>(MAP_WIDTH * MAP_HEIGHT * 3, 255); }

class EarthPictureTest : public CelestialBodyTest {
 protected:
  void SetUp() override {
    CelestialBodyTest::SetUp();
    Set(COptions::FactorBodySize, 0.0f);
    Set(COptions::ShowLatLong, false);
  }

  // Draws a faded-in Earth seen from eye_direction, lit from light_direction.
  void Draw(const std::vector<uint8_t>& map, const CVector3& eye_direction,
            const CVector3& light_direction) {
    CEarth* earth = new CEarth;
    Frame(10000);
    Replace_Texture(CEarth::TextureId, map, MAP_WIDTH, MAP_HEIGHT);
    glViewport(0, 0, gl.width(), gl.height());
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);  // as the frame driver draws
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(40, 1, 1, 1000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const CVector3 e = Scaled(eye_direction, EYE_DISTANCE);
    gluLookAt(e.x, e.y, e.z, 0, 0, 0, 0, 1, 0);
    CLight light;
    light.Init(GL_LIGHT0);
    light.Set_Position(Scaled(light_direction, LIGHT_DISTANCE));
    earth->Special_Render_3d();
    glFinish();
  }

  static CVector3 Scaled(CVector3 v, double length) {
    v *= length;
    return v;
  }
};

TEST_F(EarthPictureTest, map_is_north_up_with_longitude_90_east_toward_plus_x) {
  Draw(Marker_Map(), CVector3(1, 0, 0), CVector3(1, 0, 0));
  EXPECT_GT(Channel(0, 0, 0), 200) << "longitude 90 east faces +X";
  EXPECT_LT(Channel(0, 0, 2), 50);
  EXPECT_GT(Channel(0, 8, 1), 200) << "north is up";
  EXPECT_LT(Channel(0, -8, 1), 50);
  CSmartObjectMgr::Close();
  Draw(Marker_Map(), CVector3(0, 0, 1), CVector3(0, 0, 1));
  EXPECT_GT(Channel(0, 0, 2), 200) << "longitude 0 faces +Z";
  EXPECT_LT(Channel(0, 0, 0), 50);
}

TEST_F(EarthPictureTest, hemisphere_toward_the_light_is_lit_the_other_keeps_the_ambient) {
  Set(COptions::FactorDarkSideBrightness, 0.25f);
  // Seen from +Z with the light at +X: +X is the right of the picture.
  Draw(White_Map(), CVector3(0, 0, 1), CVector3(1, 0, 0));
  const int lit = Channel(15, 0, 0);
  const int dark = Channel(-15, 0, 0);
  EXPECT_GT(lit, 200);
  // The dark side shows the ambient share: 0.25 from the light's ambient
  // and 0.2 x 0.25 from the scene's.
  EXPECT_NEAR(dark, 255 * 0.3, 12);
  EXPECT_EQ(Channel(31, 31, 0), 0) << "space stays black";
}

TEST_F(EarthPictureTest, transparent_earth_lets_half_the_background_through) {
  Set(COptions::IsEarthTransparent, true);
  Draw(White_Map(), CVector3(0, 0, 1), CVector3(0, 0, 1));
  EXPECT_NEAR(Channel(0, 0, 0), 128, 12);
}

}  // namespace
