// What a city marker draws in one frame: the dot and its fade toward the
// limb, the label with its persistence fade and its text. Pure decisions, so
// that CLocation's drawing only gathers the scene facts and draws the result.
#pragma once

#include <string>

#include "utilitylib/vector3.h"

class CLocationData;

// The scene as a marker sees it in the overlay pass.
struct CityMarkerScene {
  bool preview_mode = false;
  bool has_earth = false;
  bool show_cities = false;
  bool has_moon = false;
  CVector3 moon_centre;
  double moon_radius = 0;
  CVector3 eye;  // the camera's eye
};

// The label options, FactorCitiesPersistence 0 to 1.
struct CityLabelOptions {
  bool show_city_names = false;
  bool show_state_names = false;
  bool show_country_names = false;
  double persistence = 0;
};

struct CityMarker {
  bool draw_dot = false;
  double dot_alpha = 0;
  bool draw_label = false;
  double label_alpha = 0;
};

// Degrees of longitude between the two, 0 to 180 (170 E and 170 W are 20 apart).
double Longitude_Distance(double camera_longitude, double longitude);
// 1 up to 80 degrees from the camera, falling linearly to 0 at 90.
double Dot_Alpha(double longitude_distance);
// 1.5 pixels per 1024 pixels of screen width.
double Dot_Size_Pixels(int screen_width);
// Falls linearly from 1 at the camera's longitude to 0 at persistence x 90
// degrees; 0 (no label) beyond that and whenever persistence is 0.
double Label_Alpha(double longitude_distance, double persistence);
// The city, then ", State" and ", Country" as the options ask and the
// location has them.
std::string Label_Text(const CLocationData& location, const CityLabelOptions& options);

// The dot draws only outside the preview, with an Earth, with ShowCities on,
// for a shown city less than 90 degrees of longitude from the camera and not
// behind the Moon as seen from the eye; the label only with the dot.
CityMarker Plan_City_Marker(const CLocationData& location, const CVector3& position,
                            const CityMarkerScene& scene, const CityLabelOptions& options);
