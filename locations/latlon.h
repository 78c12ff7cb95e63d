// CLatLon: latitude/longitude conventions, the range check and the point on the unit sphere.
#pragma once

#include <cstdint>

#include "utilitylib/vector3.h"

// Latitude is positive north, longitude positive east, both decimal degrees.
class CLatLon {
 public:
  // Hemispheres; the numbers are the ones stored in the user-location file.
  enum Direction : int32_t { N = 0, S = 1, E = 2, W = 3 };

  static constexpr double MIN_LAT = -90;
  static constexpr double MAX_LAT = +90;
  static constexpr double MIN_LON = -180;
  static constexpr double MAX_LON = +180;

  // True when both lie in their ranges, ends included, with no tolerance.
  static bool Is_Valid(double latitude, double longitude);
  // degrees + minutes / 60, negated for S and W (so 0 degrees S is -0.0).
  static double To_Decimal(int32_t degrees, int32_t minutes, int32_t direction);
  // (cos lat sin lon, sin lat, cos lat cos lon): +Y is the north pole,
  // longitude 0 on the equator is +Z and 90 degrees east is +X.
  static CVector3 To_Unit_Vector(double latitude, double longitude);
};
