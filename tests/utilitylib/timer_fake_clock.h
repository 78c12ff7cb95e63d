// A scoped fake of the platform clocks: every clock reads a value the test
// sets, and the real entries come back when the fake goes out of scope.
#pragma once

#include <cstdint>

#include "platform/platform.h"

class FakeClock {
 public:
  FakeClock() : saved_(platform::api().clock) {
    state() = State{};
    platform::ClockApi& clock = platform::api().clock;
    clock.performance_counter = [] { return state().counter; };
    clock.performance_frequency = [] { return state().frequency; };
    clock.time_get_time = [] { return state().time_ms; };
    clock.get_tick_count = [] { return state().tick_ms; };
    clock.calendar_time = [] { return state().calendar; };
  }
  ~FakeClock() { platform::api().clock = saved_; }
  FakeClock(const FakeClock&) = delete;
  FakeClock& operator=(const FakeClock&) = delete;

  static constexpr int64_t FREQUENCY = 1000000;

  // Real time passing: the counter, both millisecond clocks and the calendar.
  void Advance_Ms(uint32_t ms) {
    State& s = state();
    s.counter += int64_t(ms) * s.frequency / 1000;
    s.time_ms += ms;
    s.tick_ms += ms;
    calendar_ms_ += ms;
    s.calendar += calendar_ms_ / 1000;
    calendar_ms_ %= 1000;
  }
  void Set_Calendar(int64_t seconds) { state().calendar = seconds; }
  void Set_Frequency(int64_t frequency) { state().frequency = frequency; }
  void Set_Counter(int64_t counter) { state().counter = counter; }
  void Set_Time_Ms(uint32_t ms) { state().time_ms = ms; }

 private:
  struct State {
    int64_t counter = 1000;
    int64_t frequency = FREQUENCY;
    uint32_t time_ms = 5000;
    uint32_t tick_ms = 7000;
    int64_t calendar = 1700000000;
  };
  static State& state() {
    static State s;
    return s;
  }

  platform::ClockApi saved_;
  uint32_t calendar_ms_ = 0;
};
