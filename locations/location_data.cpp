// CLocationData: a location's names, coordinates, identity and flags.
#include "locations/location_data.h"

#include <cstring>

#include "locations/location_crc.h"
#include "utilitylib/utility.h"

// Each check reports the text of its condition and its own line, so that the
// constructor's assertion names the check that failed.
#define CHECK_FIELD(condition) \
  if (!(condition)) return Fault{#condition, __LINE__}

std::optional<CLocationData::Fault> CLocationData::Check_Fields(
    const char* city, const char* state, const char* country, int32_t lat_deg, int32_t lat_min,
    int32_t dir_ns, int32_t lon_deg, int32_t lon_min, int32_t dir_ew) {
  CHECK_FIELD(city != NULL);
  CHECK_FIELD(::strlen(city) < sizeof(City));
  CHECK_FIELD(state != NULL);
  CHECK_FIELD(::strlen(state) < sizeof(State));
  CHECK_FIELD(country != NULL);
  CHECK_FIELD(::strlen(country) < sizeof(Country));
  CHECK_FIELD(lat_deg >= 0 && lat_deg <= CLatLon::MAX_LAT);
  CHECK_FIELD(lat_min >= 0 && lat_min < +60);
  CHECK_FIELD(dir_ns == N || dir_ns == S);
  CHECK_FIELD(lon_deg >= 0 && lon_deg <= CLatLon::MAX_LON);
  CHECK_FIELD(lon_min >= 0 && lon_min < +60);
  CHECK_FIELD(dir_ew == E || dir_ew == W);
  return std::nullopt;
}

bool CLocationData::Has_Valid_Position(int32_t lat_deg, int32_t lat_min, int32_t dir_ns,
                                       int32_t lon_deg, int32_t lon_min, int32_t dir_ew) {
  return CLatLon::Is_Valid(CLatLon::To_Decimal(lat_deg, lat_min, dir_ns),
                           CLatLon::To_Decimal(lon_deg, lon_min, dir_ew));
}

CLocationData::CLocationData(const char* city, const char* state, const char* country,
                             int32_t lat_deg, int32_t lat_min, int32_t dir_ns, int32_t lon_deg,
                             int32_t lon_min, int32_t dir_ew)
    : lat_deg(lat_deg),
      lat_min(lat_min),
      dir_ns(dir_ns),
      lon_deg(lon_deg),
      lon_min(lon_min),
      dir_ew(dir_ew) {
  if (const auto fault = Check_Fields(city, state, country, lat_deg, lat_min, dir_ns, lon_deg,
                                      lon_min, dir_ew)) {
    CUtility::Assert(fault->text, __FILE__, fault->line);
  }
  strcpy(City, city);
  strcpy(State, state);
  strcpy(Country, country);
  latitude = CLatLon::To_Decimal(lat_deg, lat_min, dir_ns);
  longitude = CLatLon::To_Decimal(lon_deg, lon_min, dir_ew);
  if (!CLatLon::Is_Valid(latitude, longitude)) {
    CUtility::Log("Error: illegal lat/long for %s, %s.\n", City, Country);
    CUtility::Assert("DIE", __FILE__, __LINE__);
  }
  unit_position = CLatLon::To_Unit_Vector(latitude, longitude);
  char description[DESCRIPTION_SIZE];
  Get_Description(description);
  crc = Location_Crc32(description);
}

void CLocationData::Build_Description(const char* city, const char* state, const char* country,
                                      char* description) {
  ASSERT(description != NULL);
  strcpy(description, city);
  for (const char* part : {state, country}) {
    if (part[0] == '\0') continue;
    strcat(description, ", ");
    strcat(description, part);
  }
}

void CLocationData::Get_Description(char* description) const {
  Build_Description(City, State, Country, description);
}

void CLocationData::Write_User_Line(FILE* f) const {
  ASSERT(f != NULL);
  fprintf(f, "%s,%s,%s,%d,%d,%d,%d,%d,%d\n", City, State[0] ? State : "-",
          Country[0] ? Country : "-", lat_deg, lat_min, dir_ns, lon_deg, lon_min, dir_ew);
}
