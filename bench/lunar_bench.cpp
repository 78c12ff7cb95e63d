// Cost of one sub-lunar point: the whole lunar series, the equatorial turn
// and sidereal time, as the Moon computes them each frame.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "astro/lunar.h"

namespace {

void BM_Sub_Lunar_Point(benchmark::State& state) {
  int64_t seconds = 1700000000;
  for (auto _ : state) {
    double latitude = 0;
    double longitude = 0;
    double distance = 0;
    Sub_Lunar_Point(seconds, latitude, longitude, distance);
    benchmark::DoNotOptimize(latitude);
    benchmark::DoNotOptimize(longitude);
    benchmark::DoNotOptimize(distance);
    seconds += 37;  // a new instant each call, as frames advance the clock
  }
}
BENCHMARK(BM_Sub_Lunar_Point);

}  // namespace
