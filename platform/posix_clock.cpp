// POSIX clocks behind platform::ClockApi.
//
// Implemented: monotonic nanosecond counter, 32-bit millisecond clocks that
// wrap like their Windows namesakes, 64-bit calendar seconds, sleeping.
#include <ctime>

#include "platform/clock.h"

namespace platform::posix {
namespace {

int64_t monotonic_ns() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

int64_t performance_counter() { return monotonic_ns(); }
int64_t performance_frequency() { return 1000000000; }

// Both millisecond clocks count from boot and wrap after 49.7 days.
uint32_t milliseconds() { return uint32_t(monotonic_ns() / 1000000); }

int64_t calendar_time() { return int64_t(time(nullptr)); }

void sleep_ms(uint32_t milliseconds) {
  timespec ts{time_t(milliseconds / 1000), long(milliseconds % 1000) * 1000000};
  while (nanosleep(&ts, &ts) != 0) {
  }
}

}  // namespace

void connect_clock(ClockApi& clock) {
  clock.performance_counter = performance_counter;
  clock.performance_frequency = performance_frequency;
  clock.time_get_time = milliseconds;
  clock.get_tick_count = milliseconds;
  clock.calendar_time = calendar_time;
  clock.sleep_ms = sleep_ms;
}

}  // namespace platform::posix
