// CLocationList: creates every location and reads and writes its two files.
#include "locations/locationlist.h"

#include <string>
#include <vector>

#include "locations/builtin_locations.h"
#include "locations/location.h"
#include "locations/location_files.h"
#include "scene/smartobjectmgr.h"
#include "utilitylib/utility.h"

namespace {

// Lines of the files that the last load could not use, written back on save.
std::vector<std::string> kept_user_lines;
std::vector<std::string> kept_shown_lines;

template <typename Visit>
void for_each_location(Visit visit) {
  for (CSmartObject* object = CSmartObjectMgr::Get_Head(); object; object = object->Get_Next()) {
    if (CLocation* location = object->Get_Location()) visit(*location);
  }
}

void create_builtin_locations() {
  for (const CBuiltinLocation& row : BUILTIN_LOCATIONS) {
    new CLocation(row.city, "", row.country, row.lat_deg, row.lat_min, row.dir_ns, row.lon_deg,
                  row.lon_min, row.dir_ew);
  }
  for (const CBuiltinUsLocation& row : BUILTIN_US_LOCATIONS) {
    new CLocation(row.city, row.state, "USA", row.lat_deg, row.lat_min, CLatLon::N,
                  row.lon_deg, row.lon_min, CLatLon::W);
  }
}

// Why a parsed record may not become a location, or empty when it may.
std::string record_fault(const CUserLocationRecord& r) {
  const auto fault =
      CLocationData::Check_Fields(r.city.c_str(), r.state.c_str(), r.country.c_str(), r.lat_deg,
                                  r.lat_min, r.dir_ns, r.lon_deg, r.lon_min, r.dir_ew);
  if (fault) return fault->text;
  if (!CLocationData::Has_Valid_Position(r.lat_deg, r.lat_min, r.dir_ns, r.lon_deg, r.lon_min,
                                         r.dir_ew)) {
    return "illegal lat/long";
  }
  return "";
}

// Creates the user location of one line; returns why it cannot, or empty.
std::string load_user_line(const std::string& line) {
  CUserLocationRecord record;
  std::string reason;
  if (!Parse_User_Location_Line(line, record, reason)) return reason;
  reason = record_fault(record);
  if (!reason.empty()) return reason;
  CLocation* location =
      new CLocation(record.city.c_str(), record.state.c_str(), record.country.c_str(),
                    record.lat_deg, record.lat_min, record.dir_ns, record.lon_deg,
                    record.lon_min, record.dir_ew);
  location->Set_Is_Official(false);
  return "";
}

// Reads the file's lines into load_line, which returns why a line cannot be
// used (empty when it was used). Blank lines are passed over; unusable ones
// are logged with their number and kept for the next save.
template <typename LoadLine>
void load_file(const char* name, std::vector<std::string>& kept, LoadLine load_line) {
  kept.clear();
  const auto lines = Read_Location_File_Lines(Location_File_Path(name));
  if (!lines) {
    CUtility::Log("  fopen failed.\n");
    return;
  }
  for (size_t i = 0; i < lines->size(); ++i) {
    const std::string& line = (*lines)[i];
    if (Is_Blank_Line(line)) continue;
    const std::string reason = load_line(line);
    if (reason.empty()) continue;
    CUtility::Log("  %s line %zu skipped (%s); it stays in the file.\n", name, i + 1,
                  reason.c_str());
    kept.push_back(line);
  }
}

// Replaces the file with the lines that write_line gives for each location,
// then the kept lines.
template <typename WriteLine>
bool save_file(const char* name, const std::vector<std::string>& kept, WriteLine write_line) {
  return Replace_Location_File(Location_File_Path(name), [&](FILE* f) {
    for_each_location([&](const CLocation& location) { write_line(f, location); });
    // Byte for byte: a damaged line may hold NUL bytes, which %s would cut.
    for (const std::string& line : kept) {
      fwrite(line.data(), 1, line.size(), f);
      fputc('\n', f);
    }
  });
}

void mark_shown(uint32_t crc) {
  for_each_location([crc](CLocation& location) {
    if (location.crc == crc) location.is_shown = true;
  });
}

}  // namespace

void CLocationList::Init_Locations() {
  CUtility::Log("CLocationList::Init_Locations\n");
  create_builtin_locations();
  Load_User_Locations();
  Load_Is_Shown_Data();
}

void CLocationList::Load_User_Locations() {
  CUtility::Log("CLocationList::Load_User_Locations\n");
  load_file(USER_LOCATIONS_FILE, kept_user_lines, load_user_line);
}

bool CLocationList::Save_User_Locations() {
  CUtility::Log("CLocationList::Save_User_Locations\n");
  return save_file(USER_LOCATIONS_FILE, kept_user_lines, [](FILE* f, const CLocation& location) {
    if (!location.Get_Is_Official()) location.Write_User_Line(f);
  });
}

void CLocationList::Load_Is_Shown_Data() {
  CUtility::Log("CLocationList::Load_Is_Shown_Data\n");
  load_file(SHOWN_LOCATIONS_FILE, kept_shown_lines, [](const std::string& line) -> std::string {
    uint32_t crc = 0;
    if (line.size() > MAX_SHOWN_LINE_LENGTH || !Parse_Shown_Location_Line(line, crc)) {
      return "not a number";
    }
    if (crc != 0) mark_shown(crc);
    return "";
  });
}

bool CLocationList::Save_Is_Shown_Data() {
  CUtility::Log("CLocationList::Save_Is_Shown_Data\n");
  return save_file(SHOWN_LOCATIONS_FILE, kept_shown_lines, [](FILE* f, const CLocation& location) {
    if (location.is_shown) fprintf(f, "%u\n", location.crc);
  });
}
