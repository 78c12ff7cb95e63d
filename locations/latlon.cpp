// CLatLon: latitude/longitude conventions, the range check and the point on the unit sphere.
#include "locations/latlon.h"

#include <cmath>

#include "utilitylib/kvmath.h"

bool CLatLon::Is_Valid(double latitude, double longitude) {
  return latitude >= MIN_LAT && latitude <= MAX_LAT && longitude >= MIN_LON &&
         longitude <= MAX_LON;
}

double CLatLon::To_Decimal(int32_t degrees, int32_t minutes, int32_t direction) {
  const double value = degrees + minutes / 60.0;
  return direction == S || direction == W ? -value : value;
}

CVector3 CLatLon::To_Unit_Vector(double latitude, double longitude) {
  const double lat = Degrees_To_Radians(latitude);
  const double lon = Degrees_To_Radians(longitude);
  return CVector3(cos(lat) * sin(lon), sin(lat), cos(lat) * cos(lon));
}
