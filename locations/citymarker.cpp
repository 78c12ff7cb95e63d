// The decisions of a city marker's frame.
#include "locations/citymarker.h"

#include <cmath>

#include "locations/location_data.h"
#include "utilitylib/kvmath.h"

namespace {

const double HALF_TURN = 180;
const double FULL_TURN = 360;
const double FADE_START = 80;
const double FAR_LIMIT = 90;
const double FADE_PER_DEGREE = 0.1;
const double DOT_PIXELS_PER_SCREEN_PIXEL = 0.00146484375;

bool Is_Hidden_By_Moon(const CVector3& position, const CityMarkerScene& scene) {
  return scene.has_moon &&
         Segment_Hits_Sphere(scene.eye, position, scene.moon_centre, scene.moon_radius);
}

}  // namespace

double Longitude_Distance(double camera_longitude, double longitude) {
  double distance = std::fabs(camera_longitude - longitude);
  if (distance > HALF_TURN) distance = FULL_TURN - distance;
  return distance;
}

double Dot_Alpha(double longitude_distance) {
  if (longitude_distance <= FADE_START) return 1.0;
  return 1.0 - (longitude_distance - FADE_START) * FADE_PER_DEGREE;
}

double Dot_Size_Pixels(int screen_width) { return screen_width * DOT_PIXELS_PER_SCREEN_PIXEL; }

double Label_Alpha(double longitude_distance, double persistence) {
  const double limit = persistence * FAR_LIMIT;
  if (limit <= 0) return 0;
  double alpha = (limit - longitude_distance) / limit;
  Clamp(alpha, 0, 1);
  return alpha;
}

std::string Label_Text(const CLocationData& location, const CityLabelOptions& options) {
  char text[CLocationData::DESCRIPTION_SIZE];
  CLocationData::Build_Description(location.City,
                                   options.show_state_names ? location.State : "",
                                   options.show_country_names ? location.Country : "", text);
  return text;
}

CityMarker Plan_City_Marker(const CLocationData& location, const CVector3& position,
                            const CityMarkerScene& scene, const CityLabelOptions& options) {
  CityMarker marker;
  if (scene.preview_mode || !scene.has_earth || !scene.show_cities || !location.is_shown) {
    return marker;
  }
  if (!(location.longitude_distance < FAR_LIMIT)) return marker;
  if (Is_Hidden_By_Moon(position, scene)) return marker;
  marker.draw_dot = true;
  marker.dot_alpha = Dot_Alpha(location.longitude_distance);
  if (!options.show_city_names) return marker;
  marker.label_alpha = Label_Alpha(location.longitude_distance, options.persistence);
  marker.draw_label = marker.label_alpha > 0;
  return marker;
}
