// The camera: orbit values from the options, spin-up and wrap, the view volume and projection.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>

#include "astro/camera3d.h"
#include "config/options.h"
#include "host/resolution.h"
#include "locations/location.h"
#include "scene/smartobjectmgr.h"
#include "support/death_message.h"
#include "support/offscreen_gl.h"

namespace {

void Reset_Camera_Options() {
  COptions::FactorCameraFov.Reset_To_Default();
  COptions::FactorCameraRotationSpeed.Reset_To_Default();
  COptions::RotateEast.Reset_To_Default();
  COptions::FactorBodySize.Reset_To_Default();
  COptions::UsageCount.Reset_To_Default();
  COptions::GeoLocationCrc.Reset_To_Default();
}

class CameraTest : public ::testing::Test {
 protected:
  void SetUp() override { Reset_Camera_Options(); }
  void TearDown() override { Reset_Camera_Options(); }
};

TEST_F(CameraTest, default_options_give_82_degrees_7875_east_and_about_284_units) {
  CCamera3d camera;
  camera.Init(true);
  EXPECT_NEAR(camera.Get_Fov(), 82, 1e-4);
  EXPECT_NEAR(camera.Get_Rotation_Speed(), 7.875, 1e-4);
  EXPECT_NEAR(camera.Get_Distance(), 284.46, 0.01);
}

TEST_F(CameraTest, vertical_fov_is_the_plain_quotient_by_the_aspect_ratio) {
  COptions::FactorCameraFov.Set(0.5f);
  CCamera3d camera;
  camera.Init(true);
  EXPECT_NEAR(camera.Get_Fov(), 70, 1e-9);
  camera.Set_Aspect_Ratio(4.0 / 3.0);
  EXPECT_NEAR(camera.Get_FovY(), 52.5, 1e-9);
}

// From a 1:4 portrait window to a 4:1 panorama, at either end of the field
// of view slider: the projection stays a sound perspective (below 180
// degrees, the limit where it turns inside out) and the whole Earth, 23
// degrees across from the orbit, fits between the window's edges.
TEST_F(CameraTest, windows_of_every_shape_show_the_whole_earth_without_a_fish_eye) {
  for (float factor : {0.0f, 0.7f, 1.0f}) {
    COptions::FactorCameraFov.Set(factor);
    CCamera3d camera;
    camera.Init(true);
    const double earth_half_angle = std::asin(1 / (2 * 2.5));
    for (double aspect : {0.25, 0.46, 0.75, 1.0, 16.0 / 9, 4.0}) {
      camera.Set_Aspect_Ratio(aspect);
      const double half_y = camera.Get_FovY() / 2 * M_PI / 180;
      const double half_x = std::atan(aspect * std::tan(half_y));
      SCOPED_TRACE(testing::Message() << "factor " << factor << ", aspect " << aspect);
      EXPECT_LE(camera.Get_FovY(), 100);
      EXPECT_GT(half_y, earth_half_angle);
      EXPECT_GT(half_x, earth_half_angle);
    }
  }
}

TEST_F(CameraTest, first_software_run_stores_a_still_camera) {
  COptions::UsageCount.Set(1);
  CCamera3d camera;
  camera.Init(false);
  EXPECT_EQ(camera.Get_Rotation_Speed(), 0);
  EXPECT_EQ(COptions::FactorCameraRotationSpeed.Get(), 0);
}

TEST_F(CameraTest, view_stands_still_until_the_textures_are_ready) {
  CCamera3d camera;
  camera.Init(true);
  for (int i = 0; i < 10; ++i) camera.Update(false, 0.5, 0.5);
  EXPECT_EQ(camera.Get_Longitude(), 0);
  EXPECT_NEAR(camera.Get_Eye().z, camera.Get_Distance(), 1e-9);
  EXPECT_NEAR(camera.Get_Eye().x, 0, 1e-9);
}

TEST_F(CameraTest, orbit_eases_in_and_never_overshoots_the_target_speed) {
  COptions::FactorCameraRotationSpeed.Set(1);
  CCamera3d camera;
  camera.Init(true);
  // Real time: 0.1 s per frame; the spin-up needs 2 simulated seconds.
  double previous_step = 0;
  double longitude = 0;
  for (int frame = 0; frame < 40; ++frame) {
    camera.Update(true, 0.1, 0.1);
    double step = camera.Get_Longitude() - longitude;
    if (step < -180) step += 360;
    longitude = camera.Get_Longitude();
    EXPECT_GE(step, previous_step - 1e-12) << "frame " << frame;
    EXPECT_LE(step, 45 * 0.1 + 1e-12) << "frame " << frame;
    previous_step = step;
  }
  EXPECT_NEAR(previous_step, 4.5, 1e-12);
}

TEST_F(CameraTest, maximum_time_acceleration_completes_the_spin_up_in_one_frame) {
  COptions::FactorCameraRotationSpeed.Set(1);
  CCamera3d camera;
  camera.Init(true);
  camera.Update(true, 0.1, 0.1 * 30000);
  // Full spin-up: the velocity reaches 45 * 0.1 * 1 = 4.5 degrees per second.
  EXPECT_NEAR(camera.Get_Longitude(), 0.45, 1e-12);
}

TEST_F(CameraTest, westward_orbit_lowers_the_longitude_by_up_to_45_degrees_per_second) {
  COptions::FactorCameraRotationSpeed.Set(1);
  COptions::RotateEast.Set(false);
  CCamera3d camera;
  camera.Init(true);
  EXPECT_EQ(camera.Get_Rotation_Speed(), -45);
  for (int frame = 0; frame < 3; ++frame) camera.Update(true, 1, 100);
  EXPECT_NEAR(camera.Get_Longitude(), -135, 1e-9);
  EXPECT_LT(camera.Get_Eye().x, 0);  // west of longitude 0 is -X
}

TEST_F(CameraTest, longitude_wraps_from_179_by_2_degrees_to_minus_179) {
  COptions::FactorCameraRotationSpeed.Set(1);
  CCamera3d camera;
  camera.Init(true);
  for (int frame = 0; frame < 3; ++frame) camera.Update(true, 1, 100);
  camera.Update(true, 44.0 / 45, 100);
  EXPECT_NEAR(camera.Get_Longitude(), 179, 1e-9);
  camera.Update(true, 2.0 / 45, 100);
  EXPECT_NEAR(camera.Get_Longitude(), -179, 1e-9);
  EXPECT_NEAR(camera.Get_Eye().Length(), camera.Get_Distance(), 1e-9);
}

// A camera at latitude 0, longitude 0 applied to a square offscreen window.
class CameraViewTest : public OffscreenGlTest {
 protected:
  void SetUp() override {
    OffscreenGlTest::SetUp();
    Reset_Camera_Options();
    CResolution::Set_Window_Dimensions(gl_.width(), gl_.height());
    glViewport(0, 0, gl_.width(), gl_.height());
    camera.Init(true);
    camera.Set_Aspect_Ratio(1);
    camera.Update(false, 0, 0);
    camera.Set_Clip_Distance_Far(camera.Get_Distance() + 170000);
    camera.Apply();
  }
  void TearDown() override { Reset_Camera_Options(); }

  // A point in the view direction's vertical plane, at the given angle above
  // the line from the eye to the Earth's centre and distance from the eye.
  CVector3 Seen_At(double degrees_up, double distance) const {
    const double angle = degrees_up * M_PI / 180;
    return CVector3(0, distance * std::sin(angle), camera.Get_Distance() - distance * std::cos(angle));
  }

  CCamera3d camera;
};

TEST_F(CameraViewTest, projection_reaches_the_window_edges_at_half_the_field_of_view) {
  const CVector3 top = camera.Project_To_Screen(Seen_At(41, 100));
  EXPECT_NEAR(top.y, 0, 1e-6);
  const CVector3 bottom = camera.Project_To_Screen(Seen_At(-41, 100));
  EXPECT_NEAR(bottom.y, 1, 1e-6);
}

TEST_F(CameraViewTest, points_are_inside_only_within_the_field_of_view_and_clip_range) {
  EXPECT_FALSE(camera.Is_Point_Outside(CVector3(0, 0, 0)));
  EXPECT_FALSE(camera.Is_Point_Outside(Seen_At(40.5, 100)));
  EXPECT_TRUE(camera.Is_Point_Outside(Seen_At(41.5, 100)));
  EXPECT_FALSE(camera.Is_Point_Outside(Seen_At(-40.5, 100)));
  EXPECT_TRUE(camera.Is_Point_Outside(Seen_At(-41.5, 100)));
  // Sideways, with aspect 1 the horizontal field equals the vertical one.
  const double d = camera.Get_Distance();
  EXPECT_FALSE(camera.Is_Point_Outside(CVector3(100 * std::tan(40.5 * M_PI / 180), 0, d - 100)));
  EXPECT_TRUE(camera.Is_Point_Outside(CVector3(-100 * std::tan(41.5 * M_PI / 180), 0, d - 100)));
  // Behind the eye, nearer than the near plane, beyond the far plane.
  EXPECT_TRUE(camera.Is_Point_Outside(CVector3(0, 0, d + 10)));
  EXPECT_TRUE(camera.Is_Point_Outside(CVector3(0, 0, d - 0.5)));
  EXPECT_FALSE(camera.Is_Point_Outside(CVector3(0, 0, d - 1.5)));
  EXPECT_TRUE(camera.Is_Point_Outside(CVector3(0, 0, d - 171000)));
  EXPECT_FALSE(camera.Is_Point_Outside(CVector3(0, 0, d - 169000)));
}

TEST_F(CameraViewTest, sphere_is_outside_only_when_no_part_can_reach_the_view) {
  // Centre just outside the top edge; the plane's own scale decides the reach.
  const CVector3 centre = Seen_At(45, 100);
  ASSERT_TRUE(camera.Is_Point_Outside(centre));
  double top[4];
  camera.Get_Plane(CCamera3d::PLANE_TOP, top);
  const double value = top[0] * centre.x + top[1] * centre.y + top[2] * centre.z + top[3];
  ASSERT_LT(value, 0);
  EXPECT_FALSE(camera.Is_Sphere_Outside(centre, -value * 1.01));
  EXPECT_TRUE(camera.Is_Sphere_Outside(centre, -value * 0.99));
  // A big sphere around the eye is never outside.
  EXPECT_FALSE(camera.Is_Sphere_Outside(camera.Get_Eye(), 1000));
}

// Geostationary views above a city; the list holds just that city.
class CameraViewpointTest : public CameraViewTest {
 protected:
  void TearDown() override {
    CSmartObjectMgr::Close();
    CameraViewTest::TearDown();
  }
  void Hang_Above(int32_t lat_deg, int32_t lat_min, int32_t dir_ns, int32_t lon_deg, int32_t dir_ew) {
    CSmartObjectMgr::Close();
    CLocation* city = new CLocation("City", "", "", lat_deg, lat_min, dir_ns, lon_deg, 0, dir_ew);
    COptions::GeoLocationCrc.Set(static_cast<int32_t>(city->crc));
    camera.Update(true, 1, 1);
    camera.Apply();
  }
  // Screen position of the surface point above the eye's meridian at the
  // equator, at longitude offset degrees from the eye's.
  CVector3 Equator_Point(double offset) const {
    CVector3 point = CLatLon::To_Unit_Vector(0, camera.Get_Longitude() + offset);
    point *= 20;
    return camera.Project_To_Screen(point);
  }
};

TEST_F(CameraViewpointTest, hangs_still_above_the_city_looking_at_the_centre_north_up) {
  COptions::FactorCameraRotationSpeed.Set(1);
  camera.Init(true);
  Hang_Above(51, 30, CLatLon::N, 10, CLatLon::W);
  for (int frame = 0; frame < 5; ++frame) camera.Update(true, 1, 100);
  EXPECT_EQ(camera.Get_Latitude(), 51.5);
  EXPECT_EQ(camera.Get_Longitude(), -10);
  EXPECT_EQ(camera.Get_Rotation_Speed(), 0);
  CVector3 expected_eye = CLatLon::To_Unit_Vector(51.5, -10);
  expected_eye *= camera.Get_Distance();
  EXPECT_NEAR(camera.Get_Eye().x, expected_eye.x, 1e-9);
  EXPECT_NEAR(camera.Get_Eye().y, expected_eye.y, 1e-9);
  EXPECT_NEAR(camera.Get_Eye().z, expected_eye.z, 1e-9);
  const CVector3 centre = camera.Project_To_Screen(CVector3(0, 0, 0));
  EXPECT_NEAR(centre.x, 0.5, 1e-6);
  EXPECT_NEAR(centre.y, 0.5, 1e-6);
  const CVector3 pole = camera.Project_To_Screen(CVector3(0, 20, 0));
  EXPECT_NEAR(pole.x, 0.5, 1e-6);
  EXPECT_LT(pole.y, 0.5);
}

TEST_F(CameraViewpointTest, missing_viewpoint_city_leaves_the_camera_still) {
  COptions::GeoLocationCrc.Set(12345);
  for (int frame = 0; frame < 5; ++frame) camera.Update(true, 1, 100);
  EXPECT_EQ(camera.Get_Longitude(), 0);
  EXPECT_NEAR(camera.Get_Eye().z, camera.Get_Distance(), 1e-9);
}

TEST_F(CameraViewpointTest, view_above_a_pole_matches_the_view_just_beside_it) {
  for (int32_t dir_ns : {CLatLon::N, CLatLon::S}) {
    SCOPED_TRACE(dir_ns == CLatLon::N ? "north" : "south");
    Hang_Above(89, 59, dir_ns, 40, CLatLon::E);
    const CVector3 near_ahead = Equator_Point(180);
    const CVector3 near_east = Equator_Point(90);
    Hang_Above(90, 0, dir_ns, 40, CLatLon::E);
    const CVector3 ahead = Equator_Point(180);
    const CVector3 east = Equator_Point(90);
    EXPECT_TRUE(std::isfinite(ahead.x) && std::isfinite(ahead.y));
    EXPECT_NEAR(ahead.x, near_ahead.x, 0.01);
    EXPECT_NEAR(ahead.y, near_ahead.y, 0.01);
    EXPECT_NEAR(east.x, near_east.x, 0.01);
    EXPECT_NEAR(east.y, near_east.y, 0.01);
    const CVector3 centre = camera.Project_To_Screen(CVector3(0, 0, 0));
    EXPECT_NEAR(centre.x, 0.5, 1e-6);
    EXPECT_NEAR(centre.y, 0.5, 1e-6);
  }
}

TEST(CameraDeathTest, misuse_is_fatal) {
  CCamera3d camera;
  EXPECT_EXIT(camera.Set_Aspect_Ratio(0), ::testing::ExitedWithCode(1),
              "camera3d " ASSERTION_LINE_RE " Assert: ratio > 0");
  EXPECT_EXIT(camera.Set_Clip_Distance_Far(0), ::testing::ExitedWithCode(1), "Assert: distance > 0");
  EXPECT_EXIT(camera.Apply(), ::testing::ExitedWithCode(1), "Assert: AspectRatio > 0");
  EXPECT_EXIT(camera.Get_Plane(0, nullptr), ::testing::ExitedWithCode(1), "Assert: peq != NULL");
}

}  // namespace
