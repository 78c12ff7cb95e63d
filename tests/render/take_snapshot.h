// Taking a picture through the program's --snapshot mode, for picture tests.
#pragma once

#include <string>
#include <vector>

#include "picture.h"

// The day of year 80 (counted from 0), when the Sun stands over the equator:
// at noon it is behind the saver's first camera at longitude 0, at midnight
// right behind the Earth, and at 06:00 over 90 degrees east.
inline constexpr char EQUINOX_NOON[] = "2026-03-22T12:00:00Z";
inline constexpr char EQUINOX_MIDNIGHT[] = "2026-03-22T00:00:00Z";
inline constexpr char EQUINOX_MORNING[] = "2026-03-22T06:00:00Z";

// Runs the program with "--snapshot file --size WxH --time time --frames N"
// and any further snapshot arguments (options and program folder come from
// this process's environment) and
// reads the written picture back. A failed run or an unreadable file fails
// the calling test and gives an empty picture.
Picture Take_Snapshot(const std::string& file, int width, int height, const std::string& time,
                      int frames, const std::vector<std::string>& more_arguments = {});
