// Fuzz target: the memory JPEG decoder and the two layout steps of the upload
// form. Any input must give either a clean refusal or a buffer of the
// reported size; nothing may crash, leak or read outside the input.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "textures/jpg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const uint8_t empty = 0;
  if (size > size_t(INT_MAX)) return 0;
  int width = 0, height = 0;
  uint8_t* decoded = CJpg::Decode_Memory(data ? data : &empty, int(size), &width, &height);
  if (!decoded) return 0;
  CJpg::Flip_Rows(decoded, width * 3, height);
  int stride = 0;
  uint8_t* aligned = CJpg::Align_Rows(decoded, width, height, &stride);
  free(decoded);
  free(aligned);
  return 0;
}
