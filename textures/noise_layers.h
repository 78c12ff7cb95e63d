// The layer loop shared by the cloud and nebula generators.
//
// Both textures grow from fresh 256 x 256 plasma images, each shifted by a
// random number of rows with wrap-around before it is combined, until the
// generator's coverage reaches the wanted quantity, the layer limit is hit or
// the worker is asked to stop.
#pragma once

#include <atomic>
#include <functional>

namespace noise_layers {

// Side of every generated texture, in pixels.
constexpr int SIZE = 256;
constexpr int PIXELS = SIZE * SIZE;
// Bytes of one RGBA image of that size.
constexpr int RGBA_BYTES = PIXELS * 4;
// Layers one texture may take at most, so that an unreachable quantity ends.
constexpr int MAX_LAYERS = 199;

// Makes one layer in the scratch RGBA image, combines it and returns the new
// coverage.
using LayerStep = std::function<double(unsigned char* scratch)>;

// Runs `add_layer` while `min_quantity` exceeds the coverage (starting at 0),
// the layer limit allows and `bail` is clear. Returns the layers made and
// leaves the last coverage in `coverage`.
int Grow(int min_quantity, const std::atomic<bool>& bail, const LayerStep& add_layer,
         double& coverage);

// A random whole number of rows, 0 to 255, from the calling thread's generator.
int Random_Shift();

// The scratch row that lands on destination row `i` for the given shift.
int Source_Row(int i, int shift);

}  // namespace noise_layers
