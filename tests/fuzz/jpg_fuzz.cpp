// Fuzz target: the memory JPEG decoder in both of its row layouts. Any input
// must give either a clean refusal or a buffer of the reported size; nothing
// may crash, leak or read outside the input.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "textures/jpg.h"

namespace {

// Reads every byte, so that a buffer shorter than reported is caught.
void Read_All(const uint8_t* buffer, size_t bytes) {
  volatile uint8_t sum = 0;
  for (size_t i = 0; i < bytes; ++i) sum = uint8_t(sum + buffer[i]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const uint8_t empty = 0;
  if (size > size_t(INT_MAX)) return 0;
  int width = 0, height = 0;
  uint8_t* decoded = CJpg::Decode_Memory(data ? data : &empty, int(size), &width, &height);
  if (!decoded) return 0;
  Read_All(decoded, size_t(width) * 3 * size_t(height));
  free(decoded);
  // Decodable input also goes through the upload layout (Load_Memory asserts
  // on input it cannot decode, hence only now).
  uint8_t* loaded = CJpg::Load_Memory(data, int(size), &width, &height);
  Read_All(loaded, (size_t(width) * 3 + 3) / 4 * 4 * size_t(height));
  free(loaded);
  return 0;
}
