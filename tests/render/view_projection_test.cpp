// Projections to the screen in the view of one monitor: a frame over several
// monitors draws each into its part of the window, and city labels and the
// lens flare are placed from positions normalised to that part.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>

#include "astro/camera3d.h"
#include "config/options.h"
#include "host/resolution.h"
#include "support/offscreen_gl.h"

namespace {

// A 64 x 64 window whose right half (32 x 64 pixels, 1:2) is the view.
class ViewProjectionTest : public OffscreenGlTest {
 protected:
  void SetUp() override {
    OffscreenGlTest::SetUp();
    COptions::FactorCameraRotationSpeed.Set(0);
    CResolution::Set_Window_Dimensions(gl_.width(), gl_.height());
    glViewport(gl_.width() / 2, 0, gl_.width() / 2, gl_.height());
    camera.Init(true);
    camera.Switch_Aspect_Ratio(0.5);
    camera.Update(false, 0, 0);
    camera.Set_Clip_Distance_Far(camera.Get_Distance() + 170000);
    camera.Apply();
  }
  void TearDown() override { COptions::FactorCameraRotationSpeed.Reset_To_Default(); }

  CCamera3d camera;
};

TEST_F(ViewProjectionTest, the_earths_centre_is_the_middle_of_the_view_not_of_the_window) {
  const CVector3 centre = camera.Project_To_Screen(CVector3(0, 0, 0));
  EXPECT_NEAR(centre.x, 0.5, 1e-6);
  EXPECT_NEAR(centre.y, 0.5, 1e-6);
}

TEST_F(ViewProjectionTest, positions_span_the_view_from_edge_to_edge) {
  // Half the vertical field of view up from the centre is the view's top edge.
  const double up = camera.Get_Distance() * std::tan(camera.Get_FovY() / 2 * M_PI / 180);
  const CVector3 top = camera.Project_To_Screen(CVector3(0, up, 0));
  EXPECT_NEAR(top.x, 0.5, 1e-6);
  EXPECT_NEAR(top.y, 0, 1e-3);
}

TEST_F(ViewProjectionTest, a_view_in_the_upper_part_of_a_taller_window_counts_from_its_top) {
  // GL counts viewport rows from the bottom: a 32 x 32 view at the window's top.
  glViewport(0, gl_.height() / 2, gl_.width() / 2, gl_.height() / 2);
  camera.Switch_Aspect_Ratio(1);
  camera.Apply();
  const CVector3 centre = camera.Project_To_Screen(CVector3(0, 0, 0));
  EXPECT_NEAR(centre.x, 0.5, 1e-6);
  EXPECT_NEAR(centre.y, 0.5, 1e-6);
}

}  // namespace
