// CLocation: a named place on the Earth as a scene object.
#include "locations/location.h"

#include "utilitylib/utility.h"

int CLocation::Count = 0;

CLocation::CLocation(const char* city, const char* state, const char* country, int32_t lat_deg,
                     int32_t lat_min, int32_t dir_ns, int32_t lon_deg, int32_t lon_min,
                     int32_t dir_ew)
    : CLocationData(city, state, country, lat_deg, lat_min, dir_ns, lon_deg, lon_min, dir_ew) {
  ++Count;
}

CLocation::~CLocation() {
  --Count;
  ASSERT(Count >= 0);
}
