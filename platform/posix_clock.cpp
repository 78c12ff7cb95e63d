// POSIX clocks behind platform::ClockApi.
//
// Implemented: monotonic nanosecond counter, 32-bit millisecond clocks that
// wrap like their Windows namesakes, 64-bit calendar seconds, sleeping in
// milliseconds or microseconds.
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

// Sleeps the whole time, also when signals interrupt it.
void sleep_ns(int64_t nanoseconds) {
  timespec ts{time_t(nanoseconds / 1000000000), long(nanoseconds % 1000000000)};
  while (nanosleep(&ts, &ts) != 0) {
  }
}

void sleep_ms(uint32_t milliseconds) { sleep_ns(int64_t(milliseconds) * 1000000); }
void sleep_us(uint32_t microseconds) { sleep_ns(int64_t(microseconds) * 1000); }

}  // namespace

void connect_clock(ClockApi& clock) {
  clock.performance_counter = performance_counter;
  clock.performance_frequency = performance_frequency;
  clock.time_get_time = milliseconds;
  clock.get_tick_count = milliseconds;
  clock.calendar_time = calendar_time;
  clock.sleep_ms = sleep_ms;
  clock.sleep_us = sleep_us;
}

}  // namespace platform::posix
