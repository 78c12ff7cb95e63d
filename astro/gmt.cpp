// Solar position and local solar time.
#include "astro/gmt.h"

#include <cmath>
#include <cstddef>

#include "locations/latlon.h"
#include "utilitylib/kvmath.h"
#include "utilitylib/timer.h"
#include "utilitylib/utility.h"

namespace {

constexpr int SPRING_EQUINOX_DAY = 80;
constexpr double MAX_DECLINATION = 23.5;

double midnight_longitude = 0;
double noon_longitude = 0;

}  // namespace

tm* Get_Gmtime() {
  static tm record;
  const time_t seconds = time_t(CTimer::Get_Simulation_Time());
  tm* p_gmtime = gmtime_r(&seconds, &record);
  ASSERT(p_gmtime != NULL);
  return p_gmtime;
}

void Update_Solar_Position() {
  const tm* t = Get_Gmtime();
  const double s = t->tm_sec + 60.0 * t->tm_min + 3600.0 * t->tm_hour;
  midnight_longitude = s * (1.0 / 86400.0) * (-360.0);
  Wrap(midnight_longitude, CLatLon::MIN_LON, CLatLon::MAX_LON);
  noon_longitude = midnight_longitude + 180.0;
  Wrap(noon_longitude, CLatLon::MIN_LON, CLatLon::MAX_LON);
}

double Get_Noon_Longitude() { return noon_longitude; }

double Get_Midnight_Longitude() { return midnight_longitude; }

// The day count is used directly as an angle in degrees, so the cycle is 360
// days long and jumps slightly at the year's wrap; the scene was tuned so.
double Get_Sun_Declination() {
  int d = Get_Gmtime()->tm_yday - SPRING_EQUINOX_DAY;
  if (d < 0) d += 365;
  const double normalized_displacement = std::sin(Degrees_To_Radians(d));
  ASSERT(normalized_displacement > -1 - EPSILON && normalized_displacement < +1 + EPSILON);
  return MAX_DECLINATION * normalized_displacement;
}

int Get_Local_Hour(double longitude) {
  double a = longitude - noon_longitude;
  if (a < 0) a += 360.0;
  double h = a * (1.0 / 15.0) + 12.0;
  if (h >= 24.0) h -= 24.0;
  return int(h);
}

// Before 12:00 UTC places west of the midnight line are still on the
// previous day; from 12:00 places at or east of it are on the next day.
int Get_Local_Day_Of_Week(double longitude) {
  ASSERT(longitude >= CLatLon::MIN_LON - EPSILON && longitude <= CLatLon::MAX_LON + EPSILON);
  int d = Get_Gmtime()->tm_wday;
  if (midnight_longitude > 0) d += 1;
  if (longitude < midnight_longitude) d -= 1;
  Wrap_Int(d, 0, 6);
  return d;
}
