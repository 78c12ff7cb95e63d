// A city marker's decisions: the dot's fade toward the limb, the label's
// persistence fade and text, and what hides a marker altogether.
#include <gtest/gtest.h>

#include "locations/citymarker.h"
#include "locations/location_data.h"

namespace {

CLocationData Shown_City(const char* city, const char* state, const char* country) {
  CLocationData location(city, state, country, 10, 0, CLatLon::N, 20, 0, CLatLon::E);
  location.is_shown = true;
  return location;
}

CityMarkerScene Visible_Scene() {
  CityMarkerScene scene;
  scene.has_earth = true;
  scene.show_cities = true;
  scene.eye = CVector3(0, 0, 30);
  return scene;
}

CityLabelOptions Names(bool city, bool state, bool country) {
  CityLabelOptions options;
  options.show_city_names = city;
  options.show_state_names = state;
  options.show_country_names = country;
  options.persistence = 0.85;
  return options;
}

CityMarker Plan_At(double longitude_distance, const CityLabelOptions& options) {
  CLocationData location = Shown_City("Kabul", "", "AFGHANISTAN");
  location.longitude_distance = longitude_distance;
  return Plan_City_Marker(location, CVector3(0, 0, 6), Visible_Scene(), options);
}

TEST(CityMarker, LongitudeDistanceTakesTheShortWayRound) {
  EXPECT_DOUBLE_EQ(Longitude_Distance(170, -170), 20);
  EXPECT_DOUBLE_EQ(Longitude_Distance(-170, 170), 20);
  EXPECT_DOUBLE_EQ(Longitude_Distance(10, -30), 40);
  EXPECT_DOUBLE_EQ(Longitude_Distance(-180, 180), 0);
  EXPECT_DOUBLE_EQ(Longitude_Distance(90, -90), 180);
}

TEST(CityMarker, DotFadesBetween80And90DegreesAndIsGoneBeyond) {
  const CityLabelOptions options = Names(false, false, false);
  EXPECT_DOUBLE_EQ(Plan_At(0, options).dot_alpha, 1.0);
  EXPECT_DOUBLE_EQ(Plan_At(80, options).dot_alpha, 1.0);
  EXPECT_NEAR(Plan_At(85, options).dot_alpha, 0.5, 1e-12);
  EXPECT_TRUE(Plan_At(89.9, options).draw_dot);
  EXPECT_FALSE(Plan_At(90, options).draw_dot);
  EXPECT_FALSE(Plan_At(135, options).draw_dot);
  EXPECT_FALSE(Plan_At(180, options).draw_dot);
}

TEST(CityMarker, DotSizeFollowsTheScreenWidth) {
  EXPECT_DOUBLE_EQ(Dot_Size_Pixels(1024), 1.5);
  EXPECT_DOUBLE_EQ(Dot_Size_Pixels(2048), 3.0);
}

TEST(CityMarker, LabelFadesOverThePersistenceRange) {
  const CityLabelOptions options = Names(true, false, false);
  EXPECT_NEAR(Plan_At(38.25, options).label_alpha, 0.5, 1e-12);
  EXPECT_DOUBLE_EQ(Plan_At(0, options).label_alpha, 1.0);
  EXPECT_TRUE(Plan_At(76, options).draw_label);
  EXPECT_FALSE(Plan_At(76.5, options).draw_label);
  // The dot outlives the label.
  EXPECT_TRUE(Plan_At(80, options).draw_dot);
  EXPECT_FALSE(Plan_At(80, options).draw_label);
}

TEST(CityMarker, NoPersistenceMeansNoLabelButTheDotStays) {
  CityLabelOptions options = Names(true, true, true);
  options.persistence = 0;
  for (double distance : {0.0, 10.0, 85.0}) {
    const CityMarker marker = Plan_At(distance, options);
    EXPECT_FALSE(marker.draw_label) << distance;
    EXPECT_TRUE(marker.draw_dot) << distance;
  }
}

TEST(CityMarker, StateAndCountryNamesNeedCityNames) {
  EXPECT_FALSE(Plan_At(0, Names(false, true, true)).draw_label);
  EXPECT_TRUE(Plan_At(0, Names(false, true, true)).draw_dot);
}

TEST(CityMarker, LabelTextHasOnlyThePartsAskedForAndPresent) {
  const CLocationData new_york = Shown_City("New York", "NY", "USA");
  const CLocationData kabul = Shown_City("Kabul", "", "AFGHANISTAN");
  const CLocationData lonely = Shown_City("Atlantis", "", "");
  EXPECT_EQ(Label_Text(new_york, Names(true, true, true)), "New York, NY, USA");
  EXPECT_EQ(Label_Text(new_york, Names(true, false, true)), "New York, USA");
  EXPECT_EQ(Label_Text(new_york, Names(true, true, false)), "New York, NY");
  EXPECT_EQ(Label_Text(new_york, Names(true, false, false)), "New York");
  EXPECT_EQ(Label_Text(kabul, Names(true, true, true)), "Kabul, AFGHANISTAN");
  EXPECT_EQ(Label_Text(kabul, Names(true, true, false)), "Kabul");
  EXPECT_EQ(Label_Text(lonely, Names(true, true, true)), "Atlantis");
}

TEST(CityMarker, NothingIsDrawnWithoutItsConditions) {
  const CityLabelOptions options = Names(true, true, true);
  CLocationData location = Shown_City("Kabul", "", "AFGHANISTAN");
  const CVector3 position(0, 0, 6);
  ASSERT_TRUE(Plan_City_Marker(location, position, Visible_Scene(), options).draw_dot);

  CityMarkerScene scene = Visible_Scene();
  scene.preview_mode = true;
  EXPECT_FALSE(Plan_City_Marker(location, position, scene, options).draw_dot);
  scene = Visible_Scene();
  scene.has_earth = false;
  EXPECT_FALSE(Plan_City_Marker(location, position, scene, options).draw_dot);
  scene = Visible_Scene();
  scene.show_cities = false;
  EXPECT_FALSE(Plan_City_Marker(location, position, scene, options).draw_dot);
  location.is_shown = false;
  const CityMarker marker = Plan_City_Marker(location, position, Visible_Scene(), options);
  EXPECT_FALSE(marker.draw_dot);
  EXPECT_FALSE(marker.draw_label);
}

TEST(CityMarker, MoonBetweenEyeAndCityHidesDotAndLabel) {
  const CityLabelOptions options = Names(true, false, false);
  const CLocationData location = Shown_City("Kabul", "", "AFGHANISTAN");
  const CVector3 position(0, 0, 6);
  CityMarkerScene scene = Visible_Scene();
  scene.has_moon = true;
  scene.moon_radius = 2;
  scene.moon_centre = CVector3(0.5, 0, 18);
  const CityMarker hidden = Plan_City_Marker(location, position, scene, options);
  EXPECT_FALSE(hidden.draw_dot);
  EXPECT_FALSE(hidden.draw_label);
  // Beside the line of sight, and behind the city: the city shows.
  scene.moon_centre = CVector3(5, 0, 18);
  EXPECT_TRUE(Plan_City_Marker(location, position, scene, options).draw_dot);
  scene.moon_centre = CVector3(0, 0, -10);
  EXPECT_TRUE(Plan_City_Marker(location, position, scene, options).draw_dot);
}

}  // namespace
