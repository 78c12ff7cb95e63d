// The cloud shell: it lies just outside the Earth's disc and brightens it,
// fades in by real time, tumbles by simulated time (only when accelerated),
// keeps the dark side's ambient level, and its buffer never leaks.
#include <cmath>

#include "scene/cloudlayer.h"
#include "scene/earth.h"
#include "cloudlayer_and_backdrop_fixture.h"

namespace {

const double EYE_DISTANCE = 20;
const uint8_t OPAQUE_WHITE[4] = {255, 255, 255, 255};

// Pixels from the picture's centre to the rim of a sphere of this diameter
// seen from EYE_DISTANCE.
double Rim_Pixels(double diameter) {
  const double half_height = std::tan(SkyObjectTest::FOV_Y / 2 * M_PI / 180);
  const double apparent = std::tan(std::asin(diameter / 2 / EYE_DISTANCE));
  return apparent / half_height * SkyObjectTest::SIZE / 2;
}

class CloudLayerTest : public SkyObjectTest {
 protected:
  void SetUp() override {
    SkyObjectTest::SetUp();
    Set(COptions::FactorBodySize, 0.0f);
    Set(COptions::ShowLatLong, false);
  }

  // An Earth and a cloud layer over an opaque white texture.
  CCloudLayer* Create_Layer() {
    earth = new CEarth;
    Publish_Uniform(CTextureMgr::CloudTexture, 4, OPAQUE_WHITE);
    return new CCloudLayer;
  }

  // Seen from the lit side.
  void Begin_Earth_Picture(bool lit = true) {
    const CVector3 eye(0, 0, EYE_DISTANCE);
    const CVector3 sun(0, 0, lit ? 149600 : -149600);
    Begin_Picture(eye, CVector3(), CVector3(0, 1, 0), sun);
  }

  // Halfway between the rims of the Earth's disc and of the shell.
  static int Ring_X() {
    const double earth = CEarth::Get_Earth_Diameter();
    return int(std::lround((Rim_Pixels(earth) + Rim_Pixels(earth * CCloudLayer::DIAMETER_FACTOR)) / 2));
  }

  CEarth* earth = nullptr;
};

TEST_F(CloudLayerTest, shell_brightens_the_disc_and_a_ring_around_it_only) {
  CCloudLayer* layer = Create_Layer();
  Frame(10000);
  const int ring = Ring_X();
  const int outside = ring + 4;
  ASSERT_LT(Rim_Pixels(CEarth::Get_Earth_Diameter()) + 1, ring);

  Begin_Earth_Picture();
  earth->Special_Render_3d();
  const int earth_centre = Brightness();
  const int earth_ring = Brightness(ring);
  EXPECT_EQ(earth_ring, 0);

  layer->Special_Render_3d();
  EXPECT_GT(Brightness(), earth_centre + 30);
  EXPECT_GT(Brightness(ring), 150);
  EXPECT_GT(Brightness(-ring), 150);
  EXPECT_EQ(Brightness(outside), 0);
  // The shell leaves the state as it found it for the objects after it.
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(CloudLayerTest, fades_in_by_real_time_and_tumbles_by_simulated_time) {
  CTimer::Set_Time_Acceleration(1.0);
  CCloudLayer* layer = Create_Layer();
  const int ring = Ring_X();
  Begin_Earth_Picture();
  layer->Special_Render_3d();
  EXPECT_EQ(Brightness(ring), 0) << "invisible before its first update";

  Frame(1000);
  const double sim_s = CTimer::Get_Frame_Sim_Time_S();
  ASSERT_GT(sim_s, 1000) << "time runs much faster than real time";
  EXPECT_NEAR(layer->Get_Fade(), 0.3, 1e-9);
  const CVector3 rate = layer->Get_Rotation_Rate();
  EXPECT_NEAR(layer->Get_Rotation_Angle().x, rate.x * sim_s, 1e-6);
  EXPECT_NEAR(layer->Get_Rotation_Angle().z, rate.z * sim_s, 1e-6);
  Begin_Earth_Picture();
  layer->Special_Render_3d();
  const int partly = Brightness(ring);
  EXPECT_GT(partly, 0);

  Frame(2400);
  EXPECT_DOUBLE_EQ(layer->Get_Fade(), 1.0);
  Begin_Earth_Picture();
  layer->Special_Render_3d();
  EXPECT_GT(Brightness(ring), partly + 100);
}

TEST_F(CloudLayerTest, tumbles_at_random_rates_only_when_accelerated) {
  HardwareAccelerated = false;
  CCloudLayer* still = Create_Layer();
  Frame(5000);
  EXPECT_EQ(still->Get_Rotation_Angle().Length(), 0);
  CSmartObjectMgr::Close();
  CTextureMgr::CloudTexture.Reset();

  HardwareAccelerated = true;
  double largest = 0;
  for (int n = 0; n < 20; ++n) {
    Publish_Uniform(CTextureMgr::CloudTexture, 4, OPAQUE_WHITE);
    new CEarth;
    CCloudLayer* layer = new CCloudLayer;
    const CVector3 rate = layer->Get_Rotation_Rate();
    for (double r : {rate.x, rate.y, rate.z}) {
      EXPECT_LE(std::fabs(r), CCloudLayer::MAX_ROTATION_RATE);
      largest = std::fmax(largest, std::fabs(r));
    }
    CSmartObjectMgr::Close();
    CTextureMgr::CloudTexture.Reset();
  }
  EXPECT_GT(largest, 0.2);
}

TEST_F(CloudLayerTest, dark_side_keeps_the_dark_side_brightness) {
  Set(COptions::FactorDarkSideBrightness, 0.0f);
  CCloudLayer* dark = Create_Layer();
  Frame(10000);
  Begin_Earth_Picture(false);
  dark->Special_Render_3d();
  const int black_side = Brightness(Ring_X());
  CSmartObjectMgr::Close();
  CTextureMgr::CloudTexture.Reset();

  Set(COptions::FactorDarkSideBrightness, 1.0f);
  CCloudLayer* bright = Create_Layer();
  Frame(10000);
  Begin_Earth_Picture(false);
  bright->Special_Render_3d();
  EXPECT_GT(Brightness(Ring_X()), black_side + 60);
}

TEST_F(CloudLayerTest, unconsumed_buffer_is_freed_and_a_consumed_one_is_not_touched) {
  CCloudLayer::Prevent_Memory_Leak();  // nothing published: nothing to do

  Publish_Uniform(CTextureMgr::CloudTexture, 4, OPAQUE_WHITE);
  CCloudLayer::Prevent_Memory_Leak();
  EXPECT_EQ(CTextureMgr::CloudTexture.Take(), nullptr);
  CTextureMgr::CloudTexture.Reset();

  const int layers_before = CCloudLayer::Get_Layer_Count();
  CCloudLayer* layer = Create_Layer();
  EXPECT_EQ(CCloudLayer::Get_Layer_Count(), layers_before + 1);
  const int name = CTextureMgr::CloudTexture.Get_Texture_Id();
  EXPECT_TRUE(glIsTexture(name));
  CCloudLayer::Prevent_Memory_Leak();
  EXPECT_EQ(CTextureMgr::CloudTexture.Get_Texture_Id(), name);
  Frame(10000);
  Begin_Earth_Picture();
  layer->Special_Render_3d();
  EXPECT_GT(Brightness(Ring_X()), 150) << "the uploaded texture still draws";
}

}  // namespace
