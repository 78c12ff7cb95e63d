// The bodies' sizes, places and fades: diameters by FactorBodySize, the Sun
// over the sub-solar point, the Moon over the sub-lunar point, the glow.
#include <cmath>

#include "astro/camera3d.h"
#include "astro/lunar.h"
#include "locations/latlon.h"
#include "scene/earth.h"
#include "scene/moon.h"
#include "scene/sun.h"
#include "celestialbody_fixture.h"

namespace {

const double SUN_DISTANCE = 149600;

void Expect_Near(const CVector3& a, const CVector3& b, double tolerance) {
  EXPECT_NEAR(a.x, b.x, tolerance);
  EXPECT_NEAR(a.y, b.y, tolerance);
  EXPECT_NEAR(a.z, b.z, tolerance);
}

TEST_F(CelestialBodyTest, diameters_grow_with_body_size_and_distances_do_not) {
  struct Case {
    float factor;
    double multiplier;
  };
  for (const Case& c : {Case{0, 1}, Case{0.5f, 13}, Case{1, 25}, Case{0.33f, 8.92}}) {
    SCOPED_TRACE(c.factor);
    Set(COptions::FactorBodySize, c.factor);
    EXPECT_NEAR(CCelestialBody::Get_Size_Multiplier(), c.multiplier, 1e-5);
    EXPECT_NEAR(CEarth::Get_Earth_Diameter(), 12.756 * c.multiplier, 1e-4);
    CSun* sun = new CSun;
    CMoon* moon = new CMoon;
    CEarth* earth = new CEarth;
    EXPECT_NEAR(earth->Get_Diameter(), 12.756 * c.multiplier, 1e-4);
    EXPECT_NEAR(moon->Get_Diameter(), 3.476 * c.multiplier, 1e-4);
    EXPECT_NEAR(sun->Get_Diameter(), 1390 * c.multiplier, 1e-2);
    EXPECT_NEAR(sun->Get_Billboard()->Get_Size(), 6 * sun->Get_Diameter(), 1e-6);
    EXPECT_EQ(earth->Get_Distance(), 0);
    EXPECT_EQ(moon->Get_Distance(), 384.4);
    EXPECT_EQ(sun->Get_Distance(), SUN_DISTANCE);
    // The camera's orbit follows the Earth, so the Earth keeps its size on screen.
    TheCamera.Init(true);
    EXPECT_NEAR(TheCamera.Get_Distance(), 2.5 * earth->Get_Diameter(), 1e-6);
    CSmartObjectMgr::Close();
  }
}

TEST_F(CelestialBodyTest, sun_stands_over_the_sub_solar_point) {
  CSun* sun = new CSun;
  Frame(16);
  // Equinox noon: over latitude 0, longitude 0, which is +Z.
  Expect_Near(sun->position, CVector3(0, 0, SUN_DISTANCE), SUN_DISTANCE * 0.01);
  // Six hours earlier noon is at 90 degrees east, +X.
  Start_Clock(EQUINOX_NOON_S - 6 * HOUR_S);
  Frame(16);
  Expect_Near(sun->position, CVector3(SUN_DISTANCE, 0, 0), SUN_DISTANCE * 0.01);
  EXPECT_NEAR(sun->position.Length(), SUN_DISTANCE, 1e-6);
  // The glow follows the Sun.
  Expect_Near(sun->Get_Billboard()->position, sun->position, 1e-9);
}

TEST_F(CelestialBodyTest, moon_stands_over_the_sub_lunar_point) {
  CMoon* moon = new CMoon;
  for (int64_t t : {EQUINOX_NOON_S, EQUINOX_NOON_S + 7 * 24 * HOUR_S}) {
    Start_Clock(t);
    Frame(16);
    double latitude = 0;
    double longitude = 0;
    double distance_km = 0;
    Sub_Lunar_Point(t, latitude, longitude, distance_km);
    EXPECT_DOUBLE_EQ(moon->Get_Latitude(), latitude);
    EXPECT_DOUBLE_EQ(moon->Get_Longitude(), longitude);
    CVector3 expected = CLatLon::To_Unit_Vector(latitude, longitude);
    expected *= distance_km / 1000;
    Expect_Near(moon->position, expected, 1e-6);
    EXPECT_GT(moon->position.Length(), 356);
    EXPECT_LT(moon->position.Length(), 407);
  }
}

TEST_F(CelestialBodyTest, moon_and_earth_fade_in_to_their_caps) {
  Set(COptions::IsEarthTransparent, true);
  CMoon* moon = new CMoon;
  CEarth* earth = new CEarth;
  Frame(1000);
  EXPECT_NEAR(moon->Get_Fade(), 0.2, 1e-9);
  EXPECT_NEAR(earth->Get_Fade(), 0.3, 1e-9);
  // A very long frame goes straight to the cap: half for a transparent Earth.
  Frame(8000);
  EXPECT_EQ(moon->Get_Fade(), 1);
  EXPECT_EQ(earth->Get_Fade(), 0.5);
}

using CelestialBodyDeathTest = CelestialBodyTest;

TEST_F(CelestialBodyDeathTest, a_second_earth_is_refused) {
  new CEarth;
  EXPECT_DEATH(new CEarth, "TheEarth == NULL");
}

}  // namespace
