// A shown location through its frame: standing on the Earth, its window place
// and longitude distance from the camera, and the dot drawn (or not) in an
// offscreen context.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdint>
#include <vector>

#include "astro/camera3d.h"
#include "config/options.h"
#include "host/resolution.h"
#include "host/saver_host.h"
#include "host/texturefont.h"
#include "locations/location.h"
#include "platform/platform.h"
#include "scene/earth.h"
#include "scene/moon.h"
#include "scene/smartobjectmgr.h"
#include "support/offscreen_gl.h"

namespace {

const int WIDTH = 200;
const int HEIGHT = 200;

// Wide enough for a 3-pixel dot.
platform::Size Wide_Screen() { return {2048, 1536}; }

class LocationRenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok()) << "no offscreen GL context (EGL surfaceless)";
    PreviewMode = false;
    saved_screen_size = platform::api().window.screen_size;
    platform::api().window.screen_size = Wide_Screen;
    CResolution::Init_Screen_Dimensions();
    CResolution::Set_Window_Dimensions(WIDTH, HEIGHT);
    glViewport(0, 0, WIDTH, HEIGHT);
    COptions::ShowCities.Set(true);
    COptions::ShowCityNames.Set(false);
    TheCamera.Init(true);
    TheCamera.Set_Aspect_Ratio(double(WIDTH) / HEIGHT);
    TheCamera.Set_Clip_Distance_Far(TheCamera.Get_Distance() + 170000);
  }
  void TearDown() override {
    CSmartObjectMgr::Close();
    platform::api().window.screen_size = saved_screen_size;
    COptions::ShowCities.Reset_To_Default();
    COptions::ShowCityNames.Reset_To_Default();
    COptions::PixelAlignedText.Reset_To_Default();
    COptions::GeoLocationCrc.Reset_To_Default();
  }

  static CLocation* Shown_City(const char* city, int lon_deg, int dir_ew, int lon_min = 0,
                               const char* state = "") {
    CLocation* location =
        new CLocation(city, state, "", 0, 0, CLatLon::N, lon_deg, lon_min, dir_ew);
    location->is_shown = true;
    return location;
  }
  // The camera hangs above the location.
  static void View_From(const CLocation* location) {
    COptions::GeoLocationCrc.Set(int32_t(location->crc));
    TheCamera.Update(true, 0, 0);
    TheCamera.Apply();
  }
  // The city's frame: its update and 3D pass, then its overlay on black.
  static void Draw_Frame(CLocation* city) {
    TheCamera.Apply();
    city->Update();
    city->Render_3d();
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 1, 1, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    city->Render_2d();
    glFinish();
  }
  // Pixels with any red, within radius pixels of the window point (x, y
  // from the top), or anywhere when radius is 0.
  int Lit_Pixels(double x = 0, double y = 0, int radius = 0) const {
    const std::vector<uint8_t> pixels = gl.read_pixels();
    int count = 0;
    for (int row = 0; row < HEIGHT; ++row) {
      for (int column = 0; column < WIDTH; ++column) {
        const int from_top = HEIGHT - 1 - row;
        if (radius > 0 && (std::abs(column - int(x * WIDTH)) > radius ||
                           std::abs(from_top - int(y * HEIGHT)) > radius)) {
          continue;
        }
        if (pixels[(size_t(row) * WIDTH + column) * 4] > 0) ++count;
      }
    }
    return count;
  }

  // The red summed over the label's place right of the dot at (x, y).
  int Label_Brightness(const CVector3& at) const {
    const std::vector<uint8_t> pixels = gl.read_pixels();
    const int left = int(at.x * WIDTH) + 3;
    const int middle_row = HEIGHT - 1 - int(at.y * HEIGHT);
    int sum = 0;
    for (int row = middle_row - 8; row <= middle_row + 8; ++row) {
      for (int column = left; column < left + 48; ++column) {
        sum += pixels[(size_t(row) * WIDTH + column) * 4];
      }
    }
    return sum;
  }

  OffscreenGl gl{WIDTH, HEIGHT};
  platform::Size (*saved_screen_size)() = nullptr;
};

TEST_F(LocationRenderTest, ShownCityStandsOnTheEarthsSurface) {
  CLocation* city = Shown_City("Quay", 90, CLatLon::E);
  CLocation* hidden = Shown_City("Cove", 90, CLatLon::W);
  hidden->is_shown = false;
  city->Update();
  EXPECT_DOUBLE_EQ(city->position.Length(), 0) << "no Earth: the centre";
  new CEarth;
  city->Update();
  hidden->Update();
  EXPECT_NEAR(city->position.x, TheEarth->Get_Diameter() / 2, 1e-9);
  EXPECT_NEAR(city->position.Length(), TheEarth->Get_Diameter() / 2, 1e-9);
  EXPECT_DOUBLE_EQ(hidden->position.Length(), 0) << "not shown: not moved";
}

TEST_F(LocationRenderTest, CameraAt170EastSeesACityAt170West) {
  new CEarth;
  View_From(Shown_City("Eastern", 170, CLatLon::E));
  CLocation* city = Shown_City("Western", 170, CLatLon::W);
  Draw_Frame(city);
  EXPECT_NEAR(city->longitude_distance, 20, 1e-9);
  // Twenty degrees east of the eye is right of the middle.
  EXPECT_GT(city->screen_position.x, 0.5);
  EXPECT_GT(Lit_Pixels(city->screen_position.x, city->screen_position.y, 3), 0);
  EXPECT_EQ(Lit_Pixels(), Lit_Pixels(city->screen_position.x, city->screen_position.y, 3));
}

TEST_F(LocationRenderTest, CityOnTheFarSideDrawsNothing) {
  new CEarth;
  View_From(Shown_City("Near", 0, CLatLon::E));
  CLocation* far = Shown_City("Far", 100, CLatLon::W);
  Draw_Frame(far);
  EXPECT_NEAR(far->longitude_distance, 100, 1e-9);
  EXPECT_EQ(Lit_Pixels(), 0);
}

TEST_F(LocationRenderTest, CityBehindTheMoonDrawsNothing) {
  new CEarth;
  new CMoon;
  CLocation* city = Shown_City("Below", 0, CLatLon::E);
  View_From(city);
  // The Moon behind the Earth: the dot is in the middle, where the camera looks.
  TheMoon->position = CVector3(0, 0, -384);
  Draw_Frame(city);
  EXPECT_NEAR(city->screen_position.x, 0.5, 1e-6);
  EXPECT_NEAR(city->screen_position.y, 0.5, 1e-6);
  EXPECT_GT(Lit_Pixels(0.5, 0.5, 3), 0);

  CVector3 between = TheCamera.Get_Eye();
  between *= 0.5;
  TheMoon->position = between;
  Draw_Frame(city);
  EXPECT_EQ(Lit_Pixels(), 0);
}

TEST_F(LocationRenderTest, LabelIsPrintedBesideTheDotAndFadesWithDistance) {
  new CEarth;
  CTextureFont::Init(8);
  COptions::PixelAlignedText.Set(true);
  View_From(Shown_City("Centre", 0, CLatLon::E));
  // The same label text at 0 and at 38.25 degrees from the camera.
  CLocation* near = Shown_City("Twin", 0, CLatLon::E, 0, "A");
  CLocation* far = Shown_City("Twin", 38, CLatLon::E, 15, "B");

  Draw_Frame(near);
  EXPECT_EQ(Label_Brightness(near->screen_position), 0) << "city names are off";
  COptions::ShowCityNames.Set(true);
  Draw_Frame(near);
  const int near_brightness = Label_Brightness(near->screen_position);
  Draw_Frame(far);
  const int far_brightness = Label_Brightness(far->screen_position);
  CTextureFont::Close();

  ASSERT_GT(near_brightness, 0);
  // Persistence 0.85: half the opacity at 38.25 degrees.
  EXPECT_NEAR(double(far_brightness) / near_brightness, 0.5, 0.05)
      << far_brightness << " / " << near_brightness;
}

}  // namespace
