// The --snapshot mode: its command line, and pictures taken through it whose
// pixels must show the scene lit from the Sun's true direction.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "astro/camera3d.h"
#include "astro/gmt.h"
#include "astro/lunar.h"
#include "config/options.h"
#include "host/render_texts.h"
#include "host/resolution.h"
#include "host/snapshot.h"
#include "locations/latlon.h"
#include "picture.h"
#include "platform/platform.h"
#include "support/offscreen_gl.h"
#include "support/run_program.h"
#include "support/temp_folder.h"
#include "take_snapshot.h"
#include "utilitylib/timer.h"

namespace {

// ---- the command line ------------------------------------------------------

bool Parse(std::vector<std::string> words, SnapshotRequest* request, std::string* error) {
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  return Parse_Snapshot_Arguments(int(argv.size()), argv.data(), request, error);
}

TEST(SnapshotArguments, DefaultsAndEveryOption) {
  SnapshotRequest request;
  std::string error;
  ASSERT_TRUE(Parse({"--snapshot", "a.png"}, &request, &error)) << error;
  EXPECT_EQ(request.file, "a.png");
  EXPECT_EQ(request.width, 1024);
  EXPECT_FALSE(request.start_time_given);
  EXPECT_EQ(request.frame_rate, 30);
  ASSERT_TRUE(Parse({"--snapshot", "b.png", "--size", "640x480", "--time",
                     "2026-03-22T12:00:00Z", "--frames", "7", "--rate", "20"},
                    &request, &error))
      << error;
  EXPECT_EQ(request.width, 640);
  EXPECT_EQ(request.height, 480);
  EXPECT_EQ(request.start_time, 1774180800);
  EXPECT_EQ(request.frames, 7);
  EXPECT_EQ(request.frame_rate, 20);
}

TEST(SnapshotArguments, BadValuesAreRefusedWithTheirReason) {
  SnapshotRequest request;
  std::string error;
  EXPECT_FALSE(Parse({"--snapshot"}, &request, &error));
  EXPECT_FALSE(Parse({"--snapshot", "--size", "10x10"}, &request, &error));
  EXPECT_FALSE(Parse({"--snapshot", "a.png", "--size", "0x10"}, &request, &error));
  EXPECT_FALSE(Parse({"--snapshot", "a.png", "--size", "640x480x2"}, &request, &error));
  EXPECT_FALSE(Parse({"--snapshot", "a.png", "--frames", "0"}, &request, &error));
  EXPECT_FALSE(Parse({"--snapshot", "a.png", "--frames"}, &request, &error));
  EXPECT_FALSE(Parse({"--snapshot", "a.png", "--rate", "0"}, &request, &error));
  EXPECT_FALSE(Parse({"--snapshot", "a.png", "--rate", "1001"}, &request, &error));
  EXPECT_FALSE(Parse({"--snapshot", "a.png", "--rate", "24.5"}, &request, &error));
  EXPECT_FALSE(Parse({"--snapshot", "a.png", "--colour", "red"}, &request, &error));
  EXPECT_NE(error.find("--colour"), std::string::npos);
}

TEST(SnapshotArguments, UtcTimesMustBeRealDates) {
  int64_t seconds = 0;
  EXPECT_TRUE(Parse_Utc_Time("1970-01-01T00:00:00Z", &seconds));
  EXPECT_EQ(seconds, 0);
  EXPECT_TRUE(Parse_Utc_Time("2040-02-29T23:59:59Z", &seconds));
  EXPECT_GT(seconds, int64_t(1) << 31);
  EXPECT_FALSE(Parse_Utc_Time("2026-02-29T00:00:00Z", &seconds));
  EXPECT_FALSE(Parse_Utc_Time("2026-03-22T24:00:00Z", &seconds));
  EXPECT_FALSE(Parse_Utc_Time("2026-03-22 12:00:00Z", &seconds));
  EXPECT_FALSE(Parse_Utc_Time("2026-03-22T12:00:00", &seconds));
  EXPECT_FALSE(Parse_Utc_Time("2026-3-22T12:00:00Z", &seconds));
}

// ---- pictures --------------------------------------------------------------

const int WIDTH = 640;
const int HEIGHT = 480;
// Enough frames for the Earth (and the Moon) to have faded in fully.
const int FADED_IN_FRAMES = 200;
const double RUN_TIMEOUT_S = 120;

class SnapshotPictureTest : public ::testing::Test {
 protected:
  // The camera holds still at longitude 0; no clouds or nebulae cover the
  // bodies or shine through a transparent Earth.
  void SetUp() override {
    COptions::FactorCameraRotationSpeed.Set(0);
    COptions::ShowClouds.Set(false);
    COptions::ShowAtmosphere.Set(false);
    COptions::ShowNebulae.Set(false);
  }
  void TearDown() override {
    COptions::FactorCameraRotationSpeed.Reset_To_Default();
    COptions::ShowClouds.Reset_To_Default();
    COptions::ShowAtmosphere.Reset_To_Default();
    COptions::ShowNebulae.Reset_To_Default();
    COptions::IsEarthTransparent.Reset_To_Default();
  }

  Picture Take(const std::string& time, int frames) {
    return Take_Snapshot(folder.file("snapshot.png"), WIDTH, HEIGHT, time, frames);
  }

  // The middle of the Earth's disc, well inside its edge.
  static double Disc_Centre(const Picture& p) { return p.Mean_Brightness(0.47, 0.46, 0.53, 0.54); }

  TempFolder folder;
};

TEST_F(SnapshotPictureTest, WritesThePictureAtItsSize) {
  const Picture picture = Take(EQUINOX_NOON, 3);
  EXPECT_EQ(picture.width, WIDTH);
  EXPECT_EQ(picture.height, HEIGHT);
}

TEST_F(SnapshotPictureTest, ProductLabelShowsAtItsPlaceBeforeItFades) {
  const Picture picture = Take(EQUINOX_NOON, 10);
  const LabelPlace place = Product_Label_Place(11 * 8, WIDTH, HEIGHT);
  const double line = 16.0 / HEIGHT;
  const double x1 = place.x + 88.0 / WIDTH;
  EXPECT_GT(picture.Count_Bright(place.x, place.name_y - line / 2, x1, place.name_y + line / 2, 128),
            40);
  EXPECT_GT(picture.Count_Bright(place.x, place.maker_y - line / 2, x1, place.maker_y + line / 2,
                                 128),
            20);
  // Nothing right of it, up to the window's edge.
  EXPECT_EQ(picture.Count_Bright(x1 + 8.0 / WIDTH, place.name_y - line, 1, place.maker_y + line,
                                 128),
            0);
}

// The label fades out over ten seconds once the scene is ready (300 frames at
// the snapshot's 30 per second), and stays when ShowLabel keeps it.
TEST_F(SnapshotPictureTest, ProductLabelFadesOutOnceTheSceneIsReadyUnlessKept) {
  COptions::ShowStars.Set(false);
  const LabelPlace place = Product_Label_Place(11 * 8, WIDTH, HEIGHT);
  const double line = 16.0 / HEIGHT;
  auto label_brightness = [&](int frames) {
    return Take(EQUINOX_NOON, frames)
        .Mean_Brightness(place.x, place.name_y - line / 2, place.x + 88.0 / WIDTH,
                         place.maker_y + line / 2);
  };
  const double start = label_brightness(10);
  ASSERT_GT(start, 20);
  const double halfway = label_brightness(160);
  EXPECT_GT(halfway, start * 0.3);
  EXPECT_LT(halfway, start * 0.7);
  EXPECT_LT(label_brightness(340), 0.5);
  COptions::ShowLabel.Set(true);
  EXPECT_NEAR(label_brightness(340), start, start * 0.05);
  COptions::ShowLabel.Reset_To_Default();
  COptions::ShowStars.Reset_To_Default();
}

TEST_F(SnapshotPictureTest, UnwritableFileFailsWithAReason) {
  const ProgramResult result = run_program(
      program_argv({"--snapshot", folder.path() + "/missing/snapshot.png", "--frames", "2",
                    "--size", "64x48"}),
      {}, RUN_TIMEOUT_S);
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_NE(result.err.find("missing/snapshot.png"), std::string::npos) << result.err;
}

TEST_F(SnapshotPictureTest, EarthIsLitFromTheSunsTrueDirection) {
  const Picture noon = Take(EQUINOX_NOON, FADED_IN_FRAMES);
  const Picture midnight = Take(EQUINOX_MIDNIGHT, FADED_IN_FRAMES);
  const Picture morning = Take(EQUINOX_MORNING, FADED_IN_FRAMES);
  const double background = noon.Mean_Brightness(0.0, 0.2, 0.05, 0.3);

  // Noon at longitude 0: the Sun stands behind the camera. (The middle of
  // the disc is the dark blue Gulf of Guinea.)
  EXPECT_GT(Disc_Centre(noon), background + 25);
  // Midnight: only the ambient level, above the black of space.
  EXPECT_LT(Disc_Centre(midnight), Disc_Centre(noon) * 0.4) << Disc_Centre(noon);
  EXPECT_GT(Disc_Centre(midnight), background + 3) << background;
  // 06:00 UTC: noon at 90 degrees east, which is the right of the picture.
  const double left = morning.Mean_Brightness(0.40, 0.46, 0.46, 0.54);
  const double right = morning.Mean_Brightness(0.54, 0.46, 0.60, 0.54);
  EXPECT_GT(right, left * 2) << "left " << left << " right " << right;
}

TEST_F(SnapshotPictureTest, TransparentEarthIsDimmerThanOpaque) {
  const double opaque = Disc_Centre(Take(EQUINOX_NOON, FADED_IN_FRAMES));
  COptions::IsEarthTransparent.Set(true);
  const double transparent = Disc_Centre(Take(EQUINOX_NOON, FADED_IN_FRAMES));
  EXPECT_LT(transparent, opaque * 0.8) << "opaque " << opaque;
}

// ---- the Moon --------------------------------------------------------------

// Where the camera of the snapshot shows things, computed with the same
// camera in this process.
class ViewGeometry {
 public:
  ViewGeometry() : gl(WIDTH, HEIGHT) {
    CResolution::Set_Window_Dimensions(WIDTH, HEIGHT);
    glViewport(0, 0, WIDTH, HEIGHT);
    TheCamera.Init(false);
    TheCamera.Set_Aspect_Ratio(double(WIDTH) / HEIGHT);
    TheCamera.Update(false, 0, 0);
    TheCamera.Set_Clip_Distance_Far(TheCamera.Get_Distance() + 170000);
    TheCamera.Apply();
  }
  bool ok() const { return gl.ok(); }
  // Window pixels, y downward.
  void To_Pixels(const CVector3& point, double* x, double* y) const {
    const CVector3 screen = TheCamera.Project_To_Screen(point);
    *x = screen.x * WIDTH;
    *y = screen.y * HEIGHT;
  }

 private:
  OffscreenGl gl;
};

int64_t Simulation_Time_For_Test = 0;
int64_t Test_Calendar_Time() { return Simulation_Time_For_Test; }

// The Sun's direction at time t, by the program's own solar position.
CVector3 Sun_Direction(int64_t t) {
  platform::ClockApi& clock = platform::api().clock;
  const auto saved = clock.calendar_time;
  Simulation_Time_For_Test = t;
  clock.calendar_time = Test_Calendar_Time;
  CTimer::Init();
  Update_Solar_Position();
  clock.calendar_time = saved;
  return CLatLon::To_Unit_Vector(Get_Sun_Declination(), Get_Noon_Longitude());
}

CVector3 Moon_Position(int64_t t) {
  double latitude = 0, longitude = 0, distance_km = 0;
  Sub_Lunar_Point(t, latitude, longitude, distance_km);
  CVector3 p = CLatLon::To_Unit_Vector(latitude, longitude);
  p *= distance_km * 0.001;
  return p;
}

CVector3 Plus(CVector3 a, const CVector3& b) {
  a += b;
  return a;
}

double Dot(const CVector3& a, const CVector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

struct MoonView {
  int64_t time = 0;
  double x = 0, y = 0;              // the Moon's centre, pixels
  double sun_dx = 0, sun_dy = 0;    // unit screen direction toward the Sun's side
};

// The first hour of 2026 at which the Moon is well inside the picture, clear
// of the Earth's disc, and about half lit as the camera sees it.
bool Find_Moon_In_View(const ViewGeometry& view, MoonView* found) {
  int64_t t = 1767225600;  // 2026-01-01T00:00:00Z
  double earth_x = 0, earth_y = 0, edge_x = 0, edge_y = 0;
  view.To_Pixels(CVector3(0, 0, 0), &earth_x, &earth_y);
  view.To_Pixels(CVector3(TheCamera.Get_Distance() * 0.2, 0, 0), &edge_x, &edge_y);
  const double earth_radius_px = std::fabs(edge_x - earth_x) * 1.05;
  for (int hour = 0; hour < 24 * 90; ++hour, t += 3600) {
    const CVector3 moon = Moon_Position(t);
    double x = 0, y = 0;
    view.To_Pixels(moon, &x, &y);
    if (x < 0.2 * WIDTH || x > 0.8 * WIDTH || y < 0.2 * HEIGHT || y > 0.8 * HEIGHT) continue;
    if (std::hypot(x - earth_x, y - earth_y) < earth_radius_px + 40) continue;
    CVector3 to_camera = TheCamera.Get_Eye();
    to_camera -= moon;
    to_camera.Normalize();
    const CVector3 sun = Sun_Direction(t);
    const double phase = Dot(sun, to_camera);
    if (std::fabs(phase) > 0.4) continue;
    double sx = 0, sy = 0;
    CVector3 toward_sun = sun;
    toward_sun *= 20;
    view.To_Pixels(Plus(moon, toward_sun), &sx, &sy);
    const double length = std::hypot(sx - x, sy - y);
    if (length < 1) continue;
    *found = MoonView{t, x, y, (sx - x) / length, (sy - y) / length};
    return true;
  }
  return false;
}

std::string Utc_Text(int64_t t) {
  const time_t time = time_t(t);
  tm fields{};
  gmtime_r(&time, &fields);
  char text[32];
  strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &fields);
  return text;
}

TEST_F(SnapshotPictureTest, MoonIsALitDiscWhereItStandsLitTowardTheSun) {
  MoonView moon;
  {
    ViewGeometry view;
    ASSERT_TRUE(view.ok());
    ASSERT_TRUE(Find_Moon_In_View(view, &moon));
  }
  const Picture picture = Take(Utc_Text(moon.time), FADED_IN_FRAMES);
  const double cx = moon.x / WIDTH, cy = moon.y / HEIGHT;
  const double r = 6.0 / HEIGHT;
  // Something bright at the Moon's place, and black well around it.
  EXPECT_GT(picture.Count_Bright(cx - 2 * r, cy - 2 * r, cx + 2 * r, cy + 2 * r, 60), 10)
      << Utc_Text(moon.time) << " at " << moon.x << ", " << moon.y;
  // The half toward the Sun is the brighter one.
  const double ox = moon.sun_dx * r, oy = moon.sun_dy * r;
  const double sunward = picture.Mean_Brightness(cx + ox - r, cy + oy - r, cx + ox + r, cy + oy + r);
  const double away = picture.Mean_Brightness(cx - ox - r, cy - oy - r, cx - ox + r, cy - oy + r);
  EXPECT_GT(sunward, away * 1.5) << "sunward " << sunward << " away " << away;
}

}  // namespace
