// The layer loop shared by the cloud and nebula generators.
#include "textures/noise_layers.h"

#include <memory>

#include "utilitylib/random.h"
#include "utilitylib/utility.h"

namespace noise_layers {

int Grow(int min_quantity, const std::atomic<bool>& bail, const LayerStep& add_layer,
         double& coverage) {
  const auto scratch = std::make_unique<unsigned char[]>(RGBA_BYTES);
  coverage = 0;
  int layers = 0;
  while (min_quantity > coverage && layers < MAX_LAYERS && !bail.load(std::memory_order_relaxed)) {
    coverage = add_layer(scratch.get());
    ++layers;
  }
  return layers;
}

int Random_Shift() { return Rand() % SIZE; }

int Source_Row(int i, int shift) {
  int x_src = i + shift;
  if (x_src >= SIZE) x_src -= SIZE;
  const int width = SIZE;
  ASSERT((x_src >= 0) && (x_src < width));
  return x_src;
}

}  // namespace noise_layers
