// Clocks: the performance counter, the two 32-bit millisecond clocks and calendar time.
#pragma once

#include <cstdint>

namespace platform {

struct ClockApi {
  // Monotonic high-resolution counter and its ticks per second.
  int64_t (*performance_counter)();
  int64_t (*performance_frequency)();
  // Milliseconds since an arbitrary start, wrapping at 2^32 like timeGetTime.
  uint32_t (*time_get_time)();
  // Milliseconds since an arbitrary start, wrapping at 2^32 like GetTickCount.
  uint32_t (*get_tick_count)();
  // Seconds since 1970-01-01 00:00 UTC, 64-bit so that it holds past 2038.
  int64_t (*calendar_time)();
  void (*sleep_ms)(uint32_t milliseconds);
  // Sleeps at least this many microseconds (Win32: rounded to the nearest
  // millisecond, the finest step its Sleep takes).
  void (*sleep_us)(uint32_t microseconds);
};

namespace posix {
void connect_clock(ClockApi& clock);
}

}  // namespace platform
