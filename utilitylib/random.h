// Pseudo-random integers 0..RAND_LIMIT with one generator state per thread.
//
// The C runtime's rand() shares one state between threads; the window thread
// and the texture worker each seed and draw from their own sequence here.
#pragma once

#include <cstdint>

constexpr int RAND_LIMIT = 32767;

// Restarts the calling thread's sequence. A thread that never seeds starts
// as if seeded with 1.
void Rand_Seed(uint32_t seed);

// The next value of the calling thread's sequence, 0 to RAND_LIMIT inclusive.
int Rand();
