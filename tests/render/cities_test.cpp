// City dots in pictures taken through --snapshot: each shown city on the
// near side is marked where the camera's projection puts it, a city on the
// far side is not, and a city the camera hangs above is in the middle.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "astro/camera3d.h"
#include "config/options.h"
#include "host/resolution.h"
#include "locations/location.h"
#include "locations/locationlist.h"
#include "picture.h"
#include "platform/platform.h"
#include "scene/earth.h"
#include "scene/smartobjectmgr.h"
#include "support/offscreen_gl.h"
#include "support/temp_folder.h"
#include "take_snapshot.h"

namespace {

// 1024 pixels wide: dots of 1.5 pixels.
const int WIDTH = 1024;
const int HEIGHT = 768;
// Pictures at EQUINOX_MIDNIGHT, when the side facing the camera is dark; the
// Earth has faded in fully by the last frame.
const int FRAMES = 200;
// Only a dot is this white: the night side and its clouds stay well below.
const int DOT_THRESHOLD = 249;
// Half the side of the box searched around a predicted dot, in pixels.
const double DOT_BOX_PIXELS = 4;

const char LONDON[] = "London, ENGLAND";
const char NEW_YORK[] = "New York, NY, USA";
const char SYDNEY[] = "Sydney, AUSTRALIA";

class CityPictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    COptions::FactorCameraRotationSpeed.Set(0);
    COptions::ShowCities.Set(true);
    COptions::ShowCityNames.Set(false);
    CLocationList::Init_Locations();
  }
  void TearDown() override {
    CSmartObjectMgr::Close();
    std::remove(Shown_File().c_str());
    COptions::FactorCameraRotationSpeed.Reset_To_Default();
    COptions::ShowCities.Reset_To_Default();
    COptions::ShowCityNames.Reset_To_Default();
    COptions::GeoLocationCrc.Reset_To_Default();
  }

  static std::string Shown_File() {
    return platform::api().system.program_folder() + "/" + CLocationList::SHOWN_LOCATIONS_FILE;
  }
  static const CLocation& City(const char* description) {
    const CLocation* city = CSmartObjectMgr::Find_Location_By_Description(description);
    EXPECT_NE(city, nullptr) << description;
    return *city;
  }
  // The saver started from here reads the shown cities from its program folder.
  static void Show_Cities(const std::vector<const char*>& descriptions) {
    std::string lines;
    for (const char* description : descriptions) {
      lines += std::to_string(City(description).crc) + "\n";
    }
    write_file(Shown_File(), lines);
  }

  Picture Take() {
    return Take_Snapshot(folder.file("cities.png"), WIDTH, HEIGHT, EQUINOX_MIDNIGHT, FRAMES);
  }

  static int Dot_Pixels_At(const Picture& picture, const CVector3& at) {
    const double dx = DOT_BOX_PIXELS / WIDTH, dy = DOT_BOX_PIXELS / HEIGHT;
    return picture.Count_Bright(at.x - dx, at.y - dy, at.x + dx, at.y + dy, DOT_THRESHOLD);
  }

  TempFolder folder;
};

// The saver's camera for the options set, in this process: where it shows
// each city, in normalised window coordinates.
class SaverView {
 public:
  SaverView() : gl(WIDTH, HEIGHT) {
    CResolution::Set_Window_Dimensions(WIDTH, HEIGHT);
    glViewport(0, 0, WIDTH, HEIGHT);
    TheCamera.Init(true);
    TheCamera.Set_Aspect_Ratio(double(WIDTH) / HEIGHT);
    TheCamera.Update(false, 0, 0);
    TheCamera.Set_Clip_Distance_Far(TheCamera.Get_Distance() + 170000);
    TheCamera.Apply();
  }
  bool ok() const { return gl.ok(); }
  CVector3 Where(const CLocation& city) const {
    CVector3 surface = city.unit_position;
    surface *= CEarth::Get_Earth_Diameter() / 2;
    return TheCamera.Project_To_Screen(surface);
  }
  // True when the point lies on the Earth's disc, inside its edge.
  bool On_Disc(const CVector3& at) const {
    const CVector3 centre = TheCamera.Project_To_Screen(CVector3(0, 0, 0));
    const CVector3 edge =
        TheCamera.Project_To_Screen(CVector3(CEarth::Get_Earth_Diameter() / 2, 0, 0));
    const double radius_px = (edge.x - centre.x) * WIDTH;
    return std::hypot((at.x - centre.x) * WIDTH, (at.y - centre.y) * HEIGHT) < radius_px * 0.9;
  }

 private:
  OffscreenGl gl;
};

TEST_F(CityPictureTest, NearSideCitiesAreMarkedWhereTheCameraShowsThem) {
  Show_Cities({LONDON, NEW_YORK, SYDNEY});
  CVector3 london, new_york, sydney;
  {
    SaverView view;
    ASSERT_TRUE(view.ok());
    london = view.Where(City(LONDON));
    new_york = view.Where(City(NEW_YORK));
    sydney = view.Where(City(SYDNEY));
    // A dot for Sydney would show against the globe.
    ASSERT_TRUE(view.On_Disc(sydney));
  }
  const Picture picture = Take();
  EXPECT_GT(Dot_Pixels_At(picture, london), 0) << london.x << ", " << london.y;
  EXPECT_GT(Dot_Pixels_At(picture, new_york), 0) << new_york.x << ", " << new_york.y;
  EXPECT_EQ(Dot_Pixels_At(picture, sydney), 0) << sydney.x << ", " << sydney.y;
}

TEST_F(CityPictureTest, CityBelowAGeostationaryCameraIsInTheMiddle) {
  Show_Cities({NEW_YORK});
  COptions::GeoLocationCrc.Set(int32_t(City(NEW_YORK).crc));
  const Picture picture = Take();
  EXPECT_GT(Dot_Pixels_At(picture, CVector3(0.5, 0.5, 0)), 0);
  // Nowhere else on the globe.
  const double r = 0.1;
  EXPECT_EQ(picture.Count_Bright(0.5 - r, 0.5 - r, 0.5 + r, 0.5 + r, DOT_THRESHOLD),
            Dot_Pixels_At(picture, CVector3(0.5, 0.5, 0)));
}

}  // namespace
