// Per-thread linear congruential generator with the classic 15-bit output.
#include "utilitylib/random.h"

namespace {

// The multiplier and increment of the classic runtime generator; bits 16..30
// of the state are the output, which have a far longer period than the low bits.
constexpr uint32_t MULTIPLIER = 214013u;
constexpr uint32_t INCREMENT = 2531011u;

thread_local uint32_t rand_state = 1u;

}  // namespace

void Rand_Seed(uint32_t seed) { rand_state = seed; }

int Rand() {
  rand_state = rand_state * MULTIPLIER + INCREMENT;
  return int((rand_state >> 16) & uint32_t(RAND_LIMIT));
}
