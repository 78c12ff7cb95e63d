// The detail fields of the Cities page: showing a location, clearing them,
// and reading them back as a checked new location.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/dialog.h"

class CLocation;

namespace city_details {

// Fills the fields from the location; a built-in one cannot be edited.
void Show(platform::DialogControls& dialog, const CLocation& location);
// Empty names, zero coordinates, N and E, the button reading "Add".
void Clear(platform::DialogControls& dialog, bool enable);

struct Fields {
  std::string city, state, country;
  int32_t lat_deg, lat_min, dir_ns, lon_deg, lon_min, dir_ew;
};

// The fields as typed, logged.
Fields Read(platform::DialogControls& dialog);
// True when the fields make a location that can be stored and read back
// unchanged.
bool Is_Valid(const Fields& fields);

}  // namespace city_details
