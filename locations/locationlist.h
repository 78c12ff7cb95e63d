// CLocationList: creates every location (the built-in cities, then the user's)
// and reads and writes the user-locations and shown-locations files.
#pragma once

// There is no container here: every location registers itself in the scene-
// object list, and each pass over all locations walks that list from its head
// (newest first), taking the objects whose Get_Location is not null.
class CLocationList {
 public:
  static constexpr char USER_LOCATIONS_FILE[] = "ob3d_uc.dat";
  static constexpr char SHOWN_LOCATIONS_FILE[] = "ob3d_is.dat";

  // Once per process: the built-in cities, then both files.
  static void Init_Locations();

  // One user location per line of the user-locations file. A line that does
  // not hold a valid record is skipped with a log line naming its number and
  // kept for the next save, so that a hand-edited file never stops the
  // program and loses nothing.
  static void Load_User_Locations();
  // Rewrites the user-locations file from every location that is not
  // official, plus the lines that the last load skipped. False (and logged)
  // when the file cannot be written; the old file then stays as it was.
  static bool Save_User_Locations();

  // Sets is_shown on every location whose crc a line of the shown-locations
  // file gives. 0 and numbers that match no location are dropped; a line that
  // is not a number is logged and kept for the next save.
  static void Load_Is_Shown_Data();
  // Rewrites the shown-locations file: one crc per shown location, plus the
  // lines that the last load kept. False (and logged) on failure.
  static bool Save_Is_Shown_Data();
};
