// The two location files on disk: their paths, their lines, the user-location
// records and replacing a file whole.
#include "locations/location_files.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/platform.h"
#include "utilitylib/utility.h"

namespace {

constexpr size_t USER_FIELD_COUNT = 9;
const char* const USER_FIELD_LOG_FORMATS[USER_FIELD_COUNT] = {
    "    City:    >%s<\n", "    State:   >%s<\n", "    Country: >%s<\n",
    "    Lat deg: >%s<\n", "    Lat min: >%s<\n", "    Lat dir: >%s<\n",
    "    Lon deg: >%s<\n", "    Lon min: >%s<\n", "    Lon dir: >%s<\n"};

bool is_space(char c) { return isspace(static_cast<unsigned char>(c)) != 0; }

// Tokens separated by runs of tab and comma; a run never yields an empty token.
std::vector<std::string> split_fields(const std::string& text) {
  std::vector<std::string> tokens;
  size_t start = text.find_first_not_of("\t,");
  while (start != std::string::npos) {
    const size_t end = text.find_first_of("\t,", start);
    tokens.push_back(text.substr(start, end == std::string::npos ? end : end - start));
    start = end == std::string::npos ? end : text.find_first_not_of("\t,", end);
  }
  return tokens;
}

// The leading decimal number of a token (an optional sign allowed), 0 when it
// has none; numbers beyond 32 bits saturate, and the range checks refuse them.
int32_t leading_number(const std::string& token) {
  const long long value = strtoll(token.c_str(), nullptr, 10);
  return static_cast<int32_t>(value < INT32_MIN ? INT32_MIN : value > INT32_MAX ? INT32_MAX : value);
}

bool parse_direction(const std::string& token, int32_t& direction) {
  if (token.size() != 1 || token[0] < '0' || token[0] > '3') return false;
  direction = token[0] - '0';
  return true;
}

std::string optional_text(const std::string& token) { return token == "-" ? "" : token; }

// Line ends may be CR LF, or CRs left over from editors that doubled them.
void Drop_Carriage_Returns(std::string& line) {
  while (!line.empty() && line.back() == '\r') line.pop_back();
}

}  // namespace

std::string Location_File_Path(const char* name) {
  return platform::api().system.program_folder() + "/" + name;
}

std::optional<std::vector<std::string>> Read_Location_File_Lines(const std::string& path) {
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return std::nullopt;
  std::vector<std::string> lines;
  std::string line;
  bool pending = false;
  for (int c = fgetc(f); c != EOF; c = fgetc(f)) {
    pending = true;
    if (c != '\n') {
      line.push_back(static_cast<char>(c));
      continue;
    }
    Drop_Carriage_Returns(line);
    lines.push_back(line);
    line.clear();
    pending = false;
  }
  if (pending) {
    Drop_Carriage_Returns(line);
    lines.push_back(line);
  }
  fclose(f);
  return lines;
}

bool Replace_Location_File(const std::string& path, const std::function<void(FILE*)>& write) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  platform::api().system.make_folder(folder);
  const std::string temporary = path + ".tmp";
  FILE* f = fopen(temporary.c_str(), "w");
  if (!f) {
    CUtility::Log("  cannot create %s: %s\n", temporary.c_str(), strerror(errno));
    return false;
  }
  write(f);
  bool written = ferror(f) == 0;
  written = fclose(f) == 0 && written;
  std::error_code error;
  if (written) std::filesystem::rename(temporary, path, error);
  if (!written || error) {
    CUtility::Log("  cannot write %s: %s\n", path.c_str(),
                  error ? error.message().c_str() : strerror(errno));
    std::filesystem::remove(temporary, error);
    return false;
  }
  return true;
}

bool Parse_User_Location_Line(const std::string& line, CUserLocationRecord& record,
                              std::string& reason) {
  if (line.size() > MAX_USER_LINE_LENGTH) {
    reason = "longer than 999 characters";
    return false;
  }
  // A name would end at the NUL byte and lose the rest of the line.
  if (line.find('\0') != std::string::npos) {
    reason = "a NUL byte";
    return false;
  }
  // Blanks before the first field are skipped, also after separators that
  // lead the line, so that the city reads back as it is written.
  size_t start = 0;
  while (start < line.size() && (is_space(line[start]) || line[start] == ',')) ++start;
  const std::vector<std::string> tokens = split_fields(line.substr(start));
  for (size_t i = 0; i < tokens.size() && i < USER_FIELD_COUNT; ++i) {
    CUtility::Log(USER_FIELD_LOG_FORMATS[i], tokens[i].c_str());
  }
  if (tokens.size() < USER_FIELD_COUNT) {
    reason = "fewer than nine fields";
    return false;
  }
  CUtility::Log("\n");
  if (tokens.size() > USER_FIELD_COUNT) {
    reason = "more than nine fields (a comma inside a name?)";
    return false;
  }
  record.city = tokens[0];
  record.state = optional_text(tokens[1]);
  record.country = optional_text(tokens[2]);
  record.lat_deg = leading_number(tokens[3]);
  record.lat_min = leading_number(tokens[4]);
  record.lon_deg = leading_number(tokens[6]);
  record.lon_min = leading_number(tokens[7]);
  if (!parse_direction(tokens[5], record.dir_ns) || !parse_direction(tokens[8], record.dir_ew)) {
    reason = "a direction other than 0, 1, 2 or 3";
    return false;
  }
  return true;
}

bool Parse_Shown_Location_Line(const std::string& line, uint32_t& crc) {
  size_t start = 0, end = line.size();
  while (start < end && is_space(line[start])) ++start;
  while (end > start && is_space(line[end - 1])) --end;
  const std::string digits = line.substr(start, end - start);
  if (digits.empty() || digits.size() > 10 ||
      digits.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  const unsigned long long value = strtoull(digits.c_str(), nullptr, 10);
  if (value > UINT32_MAX) return false;
  crc = static_cast<uint32_t>(value);
  return true;
}

bool Is_Blank_Line(const std::string& line) {
  for (char c : line) {
    if (!is_space(c)) return false;
  }
  return true;
}
