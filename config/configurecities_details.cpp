// The detail fields of the Cities page and the rules for what they may hold.
#include "config/configurecities_details.h"

#include <cctype>
#include <string>

#include "config/configurecities.h"
#include "locations/location.h"
#include "utilitylib/utility.h"

namespace city_details {
namespace {

using C = CConfigureCities;

// Each field is read as at most this many characters.
constexpr size_t FIELD_LIMIT = 499;
// Larger numbers are out of every range; clamping keeps the parse defined.
constexpr long NUMBER_LIMIT = 1000000;

const int NAME_FIELDS[] = {C::IDC_CITY, C::IDC_STATE, C::IDC_COUNTRY};
const int NUMBER_FIELDS[] = {C::IDC_LAT_DEG, C::IDC_LAT_MIN, C::IDC_LON_DEG, C::IDC_LON_MIN};
const int EDITABLE_CONTROLS[] = {C::IDC_CITY,    C::IDC_STATE,   C::IDC_COUNTRY, C::IDC_LAT_DEG,
                                 C::IDC_LAT_MIN, C::IDC_NORTH,   C::IDC_SOUTH,   C::IDC_LON_DEG,
                                 C::IDC_LON_MIN, C::IDC_EAST,    C::IDC_WEST,    C::IDC_ADD,
                                 C::IDC_DELETE};

void enable_fields(platform::DialogControls& dialog, bool enable) {
  for (int id : EDITABLE_CONTROLS) dialog.Enable(id, enable);
}

std::string read_field(platform::DialogControls& dialog, int id) {
  return dialog.Get_Text(id).substr(0, FIELD_LIMIT);
}

// The leading decimal digits, with an optional sign; 0 when there are none.
int32_t leading_number(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && std::isspace((unsigned char)text[i])) ++i;
  bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  long value = 0;
  for (; i < text.size() && std::isdigit((unsigned char)text[i]); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > NUMBER_LIMIT) value = NUMBER_LIMIT;
  }
  return int32_t(negative ? -value : value);
}

bool in_range(int32_t degrees, int32_t minutes, int32_t max_degrees) {
  return degrees >= 0 && degrees <= max_degrees && minutes >= 0 && minutes <= 59 &&
         !(degrees == max_degrees && minutes > 0);
}

// The user-location file splits fields on commas, tabs and line ends, and
// reads a lone "-" as an empty name.
bool storable_name(const std::string& name, bool may_be_empty) {
  if (name.empty()) return may_be_empty;
  if (name.size() >= CLocationData::NAME_SIZE) return false;
  if (name.find_first_of(",\t\r\n") != std::string::npos) return false;
  return !(may_be_empty && name == "-");
}

}  // namespace

void Show(platform::DialogControls& dialog, const CLocation& location) {
  dialog.Set_Text(C::IDC_CITY, location.City);
  dialog.Set_Text(C::IDC_STATE, location.State);
  dialog.Set_Text(C::IDC_COUNTRY, location.Country);
  const int32_t numbers[] = {location.lat_deg, location.lat_min, location.lon_deg,
                             location.lon_min};
  for (int i = 0; i < 4; ++i) dialog.Set_Text(NUMBER_FIELDS[i], std::to_string(numbers[i]));
  // -0.0 is not negative: 0 degrees 0 minutes S shows N again.
  dialog.Set_Checked(location.latitude >= 0 ? C::IDC_NORTH : C::IDC_SOUTH, true);
  dialog.Set_Checked(location.longitude >= 0 ? C::IDC_EAST : C::IDC_WEST, true);
  bool editable = !location.Get_Is_Official();
  enable_fields(dialog, editable);
  if (editable) dialog.Set_Text(C::IDC_ADD, "Modify");
}

void Clear(platform::DialogControls& dialog, bool enable) {
  for (int id : NAME_FIELDS) dialog.Set_Text(id, "");
  for (int id : NUMBER_FIELDS) dialog.Set_Text(id, "0");
  dialog.Set_Checked(C::IDC_NORTH, true);
  dialog.Set_Checked(C::IDC_EAST, true);
  dialog.Set_Text(C::IDC_ADD, "Add");
  enable_fields(dialog, enable);
}

Fields Read(platform::DialogControls& dialog) {
  Fields fields;
  fields.city = read_field(dialog, C::IDC_CITY);
  // The file reader skips blanks at the start of a line, where the city is.
  fields.city.erase(0, fields.city.find_first_not_of(" "));
  fields.state = read_field(dialog, C::IDC_STATE);
  fields.country = read_field(dialog, C::IDC_COUNTRY);
  fields.lat_deg = leading_number(read_field(dialog, C::IDC_LAT_DEG));
  fields.lat_min = leading_number(read_field(dialog, C::IDC_LAT_MIN));
  fields.dir_ns = dialog.Is_Checked(C::IDC_NORTH) ? CLatLon::N : CLatLon::S;
  fields.lon_deg = leading_number(read_field(dialog, C::IDC_LON_DEG));
  fields.lon_min = leading_number(read_field(dialog, C::IDC_LON_MIN));
  fields.dir_ew = dialog.Is_Checked(C::IDC_EAST) ? CLatLon::E : CLatLon::W;
  CUtility::Log("    City:    >%s<\n", fields.city.c_str());
  CUtility::Log("    State:   >%s<\n", fields.state.c_str());
  CUtility::Log("    Country: >%s<\n", fields.country.c_str());
  CUtility::Log("    Lat deg: %d\n", fields.lat_deg);
  CUtility::Log("    Lat min: %d\n", fields.lat_min);
  CUtility::Log("    Lat dir: %d\n", fields.dir_ns);
  CUtility::Log("    Lon deg: %d\n", fields.lon_deg);
  CUtility::Log("    Lon min: %d\n", fields.lon_min);
  CUtility::Log("    Lon dir: %d\n", fields.dir_ew);
  return fields;
}

bool Is_Valid(const Fields& fields) {
  return storable_name(fields.city, false) && storable_name(fields.state, true) &&
         storable_name(fields.country, true) &&
         in_range(fields.lat_deg, fields.lat_min, int32_t(CLatLon::MAX_LAT)) &&
         in_range(fields.lon_deg, fields.lon_min, int32_t(CLatLon::MAX_LON));
}

}  // namespace city_details
