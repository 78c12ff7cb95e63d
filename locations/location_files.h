// The two location files on disk: their paths, their lines, the user-location
// records and replacing a file whole.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Longest lines the readers accept, line end excluded.
constexpr size_t MAX_USER_LINE_LENGTH = 999;
constexpr size_t MAX_SHOWN_LINE_LENGTH = 499;

// name inside the program's folder.
std::string Location_File_Path(const char* name);

// The file's lines without their line ends ("\n", or "\r\n" as Windows
// writes them); a last line without a newline counts. None when the file
// cannot be opened.
std::optional<std::vector<std::string>> Read_Location_File_Lines(const std::string& path);

// Writes the file through write into a temporary file beside it and renames
// that over it, so that an interrupted save leaves the old file whole. Logs
// and returns false when the folder or the file cannot be written.
bool Replace_Location_File(const std::string& path, const std::function<void(FILE*)>& write);

// One line of the user-location file, read but not yet checked against the
// location's own rules.
struct CUserLocationRecord {
  std::string city, state, country;
  int32_t lat_deg, lat_min, dir_ns, lon_deg, lon_min, dir_ew;
};

// Splits a line on runs of tab and comma into the nine fields, logging each
// token. Leading white space is skipped; "-" stands for an empty state or
// country; degrees and minutes come from their leading digits; a direction
// must be one of "0" to "3". Returns false with the reason when the line does
// not hold one record.
bool Parse_User_Location_Line(const std::string& line, CUserLocationRecord& record,
                              std::string& reason);

// Reads one line of the shown-locations file: true with the number when the
// line holds just an unsigned 32-bit decimal, white space around it allowed.
bool Parse_Shown_Location_Line(const std::string& line, uint32_t& crc);

// True for a line with nothing but white space.
bool Is_Blank_Line(const std::string& line);
