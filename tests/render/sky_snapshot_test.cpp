// The sky in whole-program pictures through --snapshot: the cloud shell over
// the Earth, the nebula backdrop, the star field and the lens flare, each
// seen by comparing a picture with it shown against one with it hidden.
// Snapshots are deterministic: the clocks advance one fixed step per frame
// and both threads seed their random state from the (virtual) clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "config/options.h"
#include "picture.h"
#include "platform/platform.h"
#include "support/temp_folder.h"
#include "take_snapshot.h"

namespace {

const int WIDTH = 640;
const int HEIGHT = 480;
// An hour and a half after the Sun stood right behind the Earth (at
// EQUINOX_MIDNIGHT) it is 22.5 degrees to the right of it, well inside the
// picture.
const char SUN_BESIDE_EARTH[] = "2026-03-22T01:30:00Z";
// The cloud layer joins the scene at about frame 17, once the textures are
// ready, and fades in over a little more than three seconds.
const int CLOUDS_FADED_IN_FRAMES = 150;
// The backdrop has faded in and the star field holds 2000 stars.
const int SKY_FRAMES = 120;
const int FLARE_FRAMES = 60;
// Brightest channel above which a pixel counts as lit.
const int LIT = 12;

// The first and last lit pixel of one row.
struct Span {
  int first = -1;
  int last = -1;
};

Span Lit_Span_In_Row(const Picture& picture, int y) {
  Span span;
  for (int x = 0; x < picture.width; ++x) {
    const uint8_t* p = &picture.rgb[(size_t(y) * picture.width + x) * 3];
    if (std::max({p[0], p[1], p[2]}) <= LIT) continue;
    if (span.first < 0) span.first = x;
    span.last = x;
  }
  return span;
}

// The column of the brightest pixel in one row.
int Brightest_In_Row(const Picture& picture, int y) {
  int best_x = 0, best = -1;
  for (int x = 0; x < picture.width; ++x) {
    const uint8_t* p = &picture.rgb[(size_t(y) * picture.width + x) * 3];
    const int sum = p[0] + p[1] + p[2];
    if (sum > best) best = sum, best_x = x;
  }
  return best_x;
}

class SkySnapshotTest : public ::testing::Test {
 protected:
  // The camera holds still at longitude 0 and every part of the sky is
  // hidden; each test shows the part it looks at.
  void SetUp() override {
    COptions::FactorCameraRotationSpeed.Set(0);
    for (CRegistryBool* part : SKY_PARTS) part->Set(false);
  }
  void TearDown() override {
    COptions::FactorCameraRotationSpeed.Reset_To_Default();
    COptions::ReleaseLogging.Reset_To_Default();
    for (CRegistryBool* part : SKY_PARTS) part->Reset_To_Default();
  }

  Picture Take(const std::string& time, int frames) {
    return Take_Snapshot(folder.file("sky.png"), WIDTH, HEIGHT, time, frames);
  }

  static inline CRegistryBool* const SKY_PARTS[] = {
      &COptions::ShowClouds, &COptions::ShowAtmosphere, &COptions::ShowNebulae,
      &COptions::ShowStars, &COptions::ShowLensFlare};

  TempFolder folder;
};

TEST_F(SkySnapshotTest, CloudShellBrightensTheDiscAndARingAroundIt) {
  const Picture bare = Take(EQUINOX_NOON, CLOUDS_FADED_IN_FRAMES);
  COptions::ShowClouds.Set(true);
  COptions::ShowAtmosphere.Set(true);
  const Picture clouds = Take(EQUINOX_NOON, CLOUDS_FADED_IN_FRAMES);

  const double bare_disc = bare.Mean_Brightness(0.40, 0.40, 0.60, 0.60);
  const double cloudy_disc = clouds.Mean_Brightness(0.40, 0.40, 0.60, 0.60);
  EXPECT_GT(cloudy_disc, bare_disc + 30) << "without the shell " << bare_disc;

  // The shell is 2.5 % wider than the Earth: a lit ring of a few pixels on
  // both sides of the disc, and nothing further out.
  const Span without = Lit_Span_In_Row(bare, HEIGHT / 2);
  const Span with = Lit_Span_In_Row(clouds, HEIGHT / 2);
  ASSERT_GT(without.first, WIDTH / 4);
  ASSERT_LT(without.last, WIDTH * 3 / 4);
  EXPECT_LE(with.first, without.first - 2);
  EXPECT_GE(with.last, without.last + 2);
  EXPECT_GE(with.first, without.first - 6);
  EXPECT_LE(with.last, without.last + 6);
}

TEST_F(SkySnapshotTest, NebulaeLightTheBackdrop) {
  const double top[] = {0, 0, 1, 0.25};
  const Picture bare = Take(EQUINOX_NOON, SKY_FRAMES);
  EXPECT_EQ(bare.Count_Bright(top[0], top[1], top[2], top[3], 0), 0);

  COptions::ShowNebulae.Set(true);
  const Picture nebulae = Take(EQUINOX_NOON, SKY_FRAMES);
  const int pixels = WIDTH * HEIGHT / 4;
  EXPECT_GT(nebulae.Count_Bright(top[0], top[1], top[2], top[3], 8), pixels / 3);
  EXPECT_GT(nebulae.Mean_Brightness(top[0], top[1], top[2], top[3]), 5);
}

TEST_F(SkySnapshotTest, StarsArePointsAllOverTheSky) {
  const Picture bare = Take(EQUINOX_NOON, SKY_FRAMES);
  EXPECT_EQ(bare.Count_Bright(0, 0, 1, 0.25, 60), 0);

  COptions::ShowStars.Set(true);
  const Picture stars = Take(EQUINOX_NOON, SKY_FRAMES);
  // Each quarter of the top band has its stars; together they stay points
  // on black, not a wash of light.
  for (int quarter = 0; quarter < 4; ++quarter) {
    const double x0 = quarter * 0.25;
    EXPECT_GT(stars.Count_Bright(x0, 0, x0 + 0.25, 0.25, 60), 5) << "quarter " << quarter;
  }
  EXPECT_LT(stars.Mean_Brightness(0, 0, 1, 0.25), 2);
}

// The number of stars the snapshot's log reports with its last frame.
int Stars_In_Last_Frame() {
  const std::string log =
      read_file(platform::api().system.program_folder() + "/_vantrel_ob3d.txt");
  const size_t line = log.find("Snapshot: frame ");
  int frame = 0, stars = -1;
  if (line == std::string::npos ||
      sscanf(log.c_str() + line, "Snapshot: frame %d (%d stars)", &frame, &stars) != 2) {
    ADD_FAILURE() << "no snapshot line in the log";
  }
  return stars;
}

// The saver takes the snapshot's clock rate for its frame rate: the star
// field grows beyond 2000 stars only while frames come 24 times a second
// or faster. (At 20 per second it is trimmed to one new star per frame
// after the first checks and reaches 2000 at about frame 520.)
TEST_F(SkySnapshotTest, StarFieldGrowsPastTwoThousandOnlyAtFastFrameRates) {
  COptions::ShowStars.Set(true);
  COptions::ReleaseLogging.Set(true);
  const int frames = 600;
  Take_Snapshot(folder.file("sky.png"), 64, 48, EQUINOX_NOON, frames, {"--rate", "30"});
  EXPECT_EQ(Stars_In_Last_Frame(), 5000);
  Take_Snapshot(folder.file("sky.png"), 64, 48, EQUINOX_NOON, frames, {"--rate", "20"});
  EXPECT_EQ(Stars_In_Last_Frame(), 2000);
}

TEST_F(SkySnapshotTest, LensFlareLiesOppositeTheSunAndHidesBehindTheEarth) {
  const Picture plain = Take(SUN_BESIDE_EARTH, FLARE_FRAMES);
  COptions::ShowLensFlare.Set(true);
  const Picture flare = Take(SUN_BESIDE_EARTH, FLARE_FRAMES);

  // The Sun's glow is right of the Earth; the flare's sprites run from the
  // Sun through the middle of the picture, so they light its left side
  // (faintly: the sprites are dim and partly transparent).
  ASSERT_GT(Brightest_In_Row(plain, HEIGHT / 2), WIDTH * 6 / 10);
  const double band[] = {0, 0.47, 0.3, 0.53};
  const int plain_lit = plain.Count_Bright(band[0], band[1], band[2], band[3], 8);
  const int flare_lit = flare.Count_Bright(band[0], band[1], band[2], band[3], 8);
  EXPECT_GT(flare_lit, plain_lit + 100) << "without the flare " << plain_lit;

  // With the Earth between the eye and the Sun there is no flare at all.
  const Picture hidden = Take(EQUINOX_MIDNIGHT, FLARE_FRAMES);
  COptions::ShowLensFlare.Set(false);
  const Picture hidden_plain = Take(EQUINOX_MIDNIGHT, FLARE_FRAMES);
  EXPECT_TRUE(hidden.rgb == hidden_plain.rgb);
}

}  // namespace
