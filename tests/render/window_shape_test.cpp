// Windows of every shape, from a 1:4 portrait strip to a 4:1 panorama, show
// the whole Earth round and in the middle: the field of view adapts to the
// shape instead of turning into a fish-eye or cutting the globe.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "config/options.h"
#include "picture.h"
#include "support/temp_folder.h"
#include "take_snapshot.h"

namespace {

// The Earth has faded in; at noon on the equinox the Sun stands behind the
// still camera, so the whole disc facing it is lit.
const int EARTH_FRAMES = 130;
const int LIT = 20;

// The parts of the scene that are not the Earth, hidden so that the lit
// pixels around the middle of the picture are the globe's.
CRegistryBool* const OTHER_PARTS[] = {
    &COptions::ShowClouds, &COptions::ShowAtmosphere, &COptions::ShowNebulae,
    &COptions::ShowStars,  &COptions::ShowLensFlare,  &COptions::ShowMoon,
    &COptions::ShowUniversalTime};

class WindowShapeTest : public ::testing::TestWithParam<std::pair<int, int>> {
 protected:
  void SetUp() override {
    COptions::FactorCameraRotationSpeed.Set(0);
    for (CRegistryBool* part : OTHER_PARTS) part->Set(false);
  }
  void TearDown() override {
    COptions::FactorCameraRotationSpeed.Reset_To_Default();
    for (CRegistryBool* part : OTHER_PARTS) part->Reset_To_Default();
  }
  TempFolder folder;
};

TEST_P(WindowShapeTest, EarthIsWholeRoundAndCentred) {
  const auto [width, height] = GetParam();
  const Picture picture =
      Take_Snapshot(folder.file("shape.png"), width, height, EQUINOX_NOON, EARTH_FRAMES);
  ASSERT_EQ(picture.width, width);
  const int cx = width / 2, cy = height / 2;
  const int left = picture.Lit_Run(cx, cy, -1, 0, LIT);
  const int right = picture.Lit_Run(cx, cy, 1, 0, LIT);
  const int up = picture.Lit_Run(cx, cy, 0, -1, LIT);
  const int down = picture.Lit_Run(cx, cy, 0, 1, LIT);
  // The disc ends inside the window on all four sides...
  EXPECT_LT(left, cx);
  EXPECT_LT(right, width - cx);
  EXPECT_LT(up, cy);
  EXPECT_LT(down, height - cy);
  // ...with the middle of the picture at its centre...
  EXPECT_LE(std::abs(left - right), 3);
  EXPECT_LE(std::abs(up - down), 3);
  // ...as a circle, not stretched or squeezed...
  const int across = left + right, tall = up + down;
  EXPECT_LE(std::abs(across - tall), std::max(3, across / 30)) << across << " x " << tall;
  // ...and large enough to be the picture's subject.
  EXPECT_GT(across, std::min(width, height) / 5);
}

INSTANTIATE_TEST_SUITE_P(PortraitSquareAndWide, WindowShapeTest,
                         ::testing::Values(std::pair{160, 640}, std::pair{300, 600},
                                           std::pair{400, 400}, std::pair{640, 360},
                                           std::pair{800, 200}),
                         [](const auto& info) {
                           return std::to_string(info.param.first) + "x" +
                                  std::to_string(info.param.second);
                         });

}  // namespace
