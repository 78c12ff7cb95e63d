// The --snapshot command line.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "host/snapshot.h"

namespace {

// Offscreen buffers beyond this are refused rather than failing inside GL.
const int MAX_PICTURE_SIDE = 8192;
const int MAX_FRAMES = 100000;
const int MAX_FRAME_RATE = 1000;

bool Parse_Size(const char* text, int* width, int* height) {
  int used = 0;
  if (sscanf(text, "%dx%d%n", width, height, &used) != 2 || text[used] != '\0') return false;
  return *width > 0 && *height > 0 && *width <= MAX_PICTURE_SIDE && *height <= MAX_PICTURE_SIDE;
}

// A whole number from 1 to limit.
bool Parse_Count(const char* text, int limit, int* count) {
  char* end = nullptr;
  const long value = strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < 1 || value > limit) return false;
  *count = int(value);
  return true;
}

bool Fail(std::string* error, const std::string& reason) {
  *error = reason;
  return false;
}

}  // namespace

bool Parse_Utc_Time(const char* text, int64_t* seconds) {
  tm fields{};
  int used = 0;
  if (sscanf(text, "%4d-%2d-%2dT%2d:%2d:%2dZ%n", &fields.tm_year, &fields.tm_mon,
             &fields.tm_mday, &fields.tm_hour, &fields.tm_min, &fields.tm_sec, &used) != 6 ||
      text[used] != '\0' || strlen(text) != 20) {
    return false;
  }
  if (fields.tm_mon < 1 || fields.tm_mon > 12 || fields.tm_mday < 1 || fields.tm_mday > 31 ||
      fields.tm_hour > 23 || fields.tm_min > 59 || fields.tm_sec > 59) {
    return false;
  }
  const int day = fields.tm_mday;
  fields.tm_year -= 1900;
  fields.tm_mon -= 1;
  const time_t result = timegm(&fields);
  // timegm moves a day past the month's end into the next month.
  if (fields.tm_mday != day) return false;
  *seconds = int64_t(result);
  return true;
}

bool Parse_Snapshot_Arguments(int argc, char** argv, SnapshotRequest* request,
                              std::string* error) {
  if (argc < 2 || strncmp(argv[1], "--", 2) == 0) {
    return Fail(error, "--snapshot needs the name of the PNG file to write");
  }
  request->file = argv[1];
  for (int i = 2; i < argc; i += 2) {
    const std::string option = argv[i];
    if (i + 1 >= argc) return Fail(error, option + " needs a value");
    const char* value = argv[i + 1];
    if (option == "--size") {
      if (!Parse_Size(value, &request->width, &request->height)) {
        return Fail(error, std::string("--size wants WIDTHxHEIGHT, each 1 to 8192, not ") + value);
      }
    } else if (option == "--time") {
      if (!Parse_Utc_Time(value, &request->start_time)) {
        return Fail(error, std::string("--time wants YYYY-MM-DDTHH:MM:SSZ, not ") + value);
      }
      request->start_time_given = true;
    } else if (option == "--frames") {
      if (!Parse_Count(value, MAX_FRAMES, &request->frames)) {
        return Fail(error, std::string("--frames wants a count from 1 to 100000, not ") + value);
      }
    } else if (option == "--rate") {
      if (!Parse_Count(value, MAX_FRAME_RATE, &request->frame_rate)) {
        return Fail(error, std::string("--rate wants frames per second from 1 to 1000, not ") +
                               value);
      }
    } else {
      return Fail(error, "unknown snapshot option " + option);
    }
  }
  return true;
}
