// Win32 clocks behind platform::ClockApi.
//
// Implemented: QueryPerformanceCounter and its frequency, timeGetTime,
// GetTickCount, calendar seconds from the system time, Sleep.

#include "platform/win32_connect.h"  // before <windows.h>: see platform/window.h

#include <windows.h>

namespace platform::win32 {
namespace {

int64_t performance_counter() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return counter.QuadPart;
}

int64_t performance_frequency() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return frequency.QuadPart;
}

uint32_t time_get_time() { return timeGetTime(); }
uint32_t get_tick_count() { return GetTickCount(); }

// FILETIME counts 100-nanosecond steps since 1601-01-01 UTC.
int64_t calendar_time() {
  const int64_t TICKS_PER_SECOND = 10000000;
  const int64_t SECONDS_1601_TO_1970 = 11644473600LL;
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const int64_t ticks = int64_t(uint64_t(now.dwHighDateTime) << 32 | now.dwLowDateTime);
  return ticks / TICKS_PER_SECOND - SECONDS_1601_TO_1970;
}

void sleep_ms(uint32_t milliseconds) { Sleep(milliseconds); }
// Sleep counts whole milliseconds.
void sleep_us(uint32_t microseconds) { Sleep((microseconds + 500) / 1000); }

}  // namespace

void connect_clock(ClockApi& clock) {
  clock.performance_counter = performance_counter;
  clock.performance_frequency = performance_frequency;
  clock.time_get_time = time_get_time;
  clock.get_tick_count = get_tick_count;
  clock.calendar_time = calendar_time;
  clock.sleep_ms = sleep_ms;
  clock.sleep_us = sleep_us;
}

}  // namespace platform::win32
