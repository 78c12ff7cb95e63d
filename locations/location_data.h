// CLocationData: a location's names, coordinates, identity and flags, validated
// on construction; CLocation adds the scene object around it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "locations/latlon.h"
#include "utilitylib/vector3.h"

class CLocationData {
 public:
  using enum CLatLon::Direction;

  // Room for City, State and Country, terminator included.
  static constexpr size_t NAME_SIZE = 200;
  // Least size of a buffer passed to Get_Description.
  static constexpr size_t DESCRIPTION_SIZE = 1000;

  // A field check that failed: its assertion text and the source line of the check.
  struct Fault {
    const char* text;
    int line;
  };

  // Validates (each failure is an assertion) and stores the fields; computes
  // the decimal degrees, the unit-sphere point and the CRC of the description.
  // An official location, not shown.
  CLocationData(const char* city, const char* state, const char* country, int32_t lat_deg,
                int32_t lat_min, int32_t dir_ns, int32_t lon_deg, int32_t lon_min,
                int32_t dir_ew);

  // The first field check that these values fail, or none. Readers of
  // hand-edited files use it (with Has_Valid_Position) to skip a record that
  // the constructor would stop the program for.
  static std::optional<Fault> Check_Fields(const char* city, const char* state,
                                           const char* country, int32_t lat_deg,
                                           int32_t lat_min, int32_t dir_ns, int32_t lon_deg,
                                           int32_t lon_min, int32_t dir_ew);
  // True when the degrees and minutes give a latitude and longitude in range
  // (90 degrees 1 minute does not).
  static bool Has_Valid_Position(int32_t lat_deg, int32_t lat_min, int32_t dir_ns,
                                 int32_t lon_deg, int32_t lon_min, int32_t dir_ew);

  // "City", then ", State" and ", Country" for those that are not empty, into
  // a buffer of at least DESCRIPTION_SIZE bytes.
  void Get_Description(char* description) const;
  static void Build_Description(const char* city, const char* state, const char* country,
                                char* description);
  // Appends this location's line of the user-location file; empty texts are
  // written as "-".
  void Write_User_Line(FILE* f) const;

  bool Get_Is_Official() const { return is_official; }
  // The user-location reader and the Cities page clear it for user cities.
  void Set_Is_Official(bool official) { is_official = official; }

  char City[NAME_SIZE];
  char State[NAME_SIZE];
  char Country[NAME_SIZE];
  int32_t lat_deg;
  int32_t lat_min;
  int32_t dir_ns;
  int32_t lon_deg;
  int32_t lon_min;
  int32_t dir_ew;
  double latitude;
  double longitude;
  bool is_shown = false;
  CVector3 unit_position;
  // Normalised window coordinates of the marker, set each frame while shown.
  CVector3 screen_position;
  // Degrees of longitude between camera and location, 0 to 180, set each frame.
  double longitude_distance = 0;
  // CRC-32 of the description: the location's identity in files and options.
  uint32_t crc;

 private:
  bool is_official = true;
};
