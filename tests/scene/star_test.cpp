// Stars: placement on the shell in both camera modes, sizes and tints,
// drawing only inside the view volume.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <vector>

#include "astro/camera3d.h"
#include "config/options.h"
#include "host/saver_host.h"
#include "scene/smartobjectmgr.h"
#include "scene/star.h"
#include "support/offscreen_gl.h"
#include "utilitylib/kvmath.h"
#include "utilitylib/random.h"
#include "utilitylib/timer.h"
#include "utilitylib/timer_fake_clock.h"

namespace {

const int STARS = 400;

double Distance_In_Plane(const CVector3& p) { return std::sqrt(p.x * p.x + p.z * p.z); }

std::vector<CStar*> Make_Stars(int count) {
  std::vector<CStar*> stars;
  for (int i = 0; i < count; ++i) stars.push_back(new CStar);
  return stars;
}

class StarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Rand_Seed(7);
    COptions::GeoLocationCrc.Set(0);
    PreviewMode = false;
  }
  void TearDown() override {
    CSmartObjectMgr::Close();
    PreviewMode = false;
    COptions::GeoLocationCrc.Reset_To_Default();
  }
};

TEST_F(StarTest, circling_camera_gets_a_band_it_can_see) {
  COptions::FactorCameraFov.Set(0.5f);
  TheCamera.Init(true);
  TheCamera.Set_Aspect_Ratio(1.0);
  const double slope = std::tan(Degrees_To_Radians(TheCamera.Get_FovY() / 2));
  double highest = 0;
  for (CStar* star : Make_Stars(STARS)) {
    const double r = Distance_In_Plane(star->position);
    EXPECT_GE(r, CStar::MIN_RADIUS - 1e-6);
    EXPECT_LE(r, CStar::MAX_RADIUS + 1e-6);
    EXPECT_LE(std::fabs(star->position.y), slope * r + 1e-6);
    highest = std::max(highest, std::fabs(star->position.y) / r);
  }
  // The band is filled, not squeezed onto the equator.
  EXPECT_GT(highest, slope * 0.9);
  COptions::FactorCameraFov.Reset_To_Default();
}

TEST_F(StarTest, sizes_are_whole_pixels_and_larger_stars_are_brighter) {
  int small = 0;
  int large = 0;
  for (CStar* star : Make_Stars(STARS)) {
    const double size = star->Get_Point_Size();
    ASSERT_TRUE(size == 1 || size == 2) << size;
    (size == 1 ? small : large) += 1;
    const CVector3& c = star->Get_Color();
    for (double component : {c.x, c.y, c.z}) {
      EXPECT_GE(component, 0);
      EXPECT_LE(component, 1);
    }
    // Unit tint times size x 0.8125: at least 0.39 for the smallest, near 1 for 2-pixel stars.
    const double length = c.Length();
    EXPECT_GT(length, size == 1 ? 0.39 : 0.98);
  }
  // 0.5 to 1.6 rounds to 1 below 1.5: about nine in ten stars.
  EXPECT_GT(small, large * 4);
  EXPECT_GT(large, 0);
}

TEST_F(StarTest, preview_stars_are_all_one_pixel) {
  PreviewMode = true;
  for (CStar* star : Make_Stars(STARS)) EXPECT_EQ(star->Get_Point_Size(), 1);
}

TEST_F(StarTest, count_follows_the_live_stars) {
  const int before = CStar::Count;
  Make_Stars(25);
  EXPECT_EQ(CStar::Count, before + 25);
  CSmartObjectMgr::Close();
  EXPECT_EQ(CStar::Count, 0);
}

// The camera set up over the 64 x 64 offscreen context, orbiting the equator.
class StarDrawTest : public OffscreenGlTest {
 protected:
  void SetUp() override {
    OffscreenGlTest::SetUp();
    Rand_Seed(11);
    COptions::GeoLocationCrc.Set(0);
    TheCamera.Init(true);
    TheCamera.Set_Aspect_Ratio(1.0);
    TheCamera.Update(false, 0, 0);
    TheCamera.Set_Clip_Distance_Far(200000);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    TheCamera.Apply();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
  }
  void TearDown() override {
    CSmartObjectMgr::Close();
    COptions::GeoLocationCrc.Reset_To_Default();
  }

  // Half a second of real time: enough for every star to fade in fully.
  void Fade_In_All() {
    FakeClock clock;
    CTimer::Init();
    clock.Advance_Ms(500);
    CTimer::Tick();
    CSmartObjectMgr::Update_All();
  }

  int Lit_Pixels() const {
    int lit = 0;
    const std::vector<uint8_t> pixels = gl_.read_pixels();
    for (size_t i = 0; i < pixels.size(); i += 4) lit += pixels[i] + pixels[i + 1] > 100;
    return lit;
  }
};

TEST_F(StarDrawTest, stars_fade_in_and_show_in_the_sky) {
  Make_Stars(300);
  CSmartObjectMgr::Render_3d_All();
  EXPECT_EQ(Lit_Pixels(), 0) << "a new star starts transparent";
  Fade_In_All();
  for (CSmartObject* p = CSmartObjectMgr::Get_Head(); p; p = p->Get_Next()) {
    EXPECT_EQ(static_cast<CStar*>(p)->Get_Fade(), 1.0);
  }
  CSmartObjectMgr::Render_3d_All();
  EXPECT_GT(Lit_Pixels(), 5);
  EXPECT_EQ(glIsEnabled(GL_BLEND), GL_FALSE);
}

TEST_F(StarDrawTest, star_behind_the_camera_draws_nothing) {
  CStar* star = new CStar;
  Fade_In_All();
  star->position = TheCamera.Get_Eye();
  star->position *= 3;  // beyond the eye, away from the Earth it looks at
  star->Render_3d();
  EXPECT_TRUE(star->culled);
  EXPECT_EQ(Lit_Pixels(), 0);
}

TEST_F(StarDrawTest, camera_above_a_city_places_stars_in_view) {
  COptions::GeoLocationCrc.Set(12345);
  int inside = 0;
  for (CStar* star : Make_Stars(STARS)) {
    const double r = star->position.Length();
    EXPECT_GE(r, CStar::MIN_RADIUS - 1e-6);
    EXPECT_LE(r, CStar::MAX_RADIUS + 1e-6);
    inside += !TheCamera.Is_Point_Outside(star->position);
  }
  // Only the hundredth attempt is taken unchecked; the view is a small part
  // of the sphere, so placement without the test would leave most outside.
  EXPECT_GE(inside, STARS - 4);
}

}  // namespace
