// CJpg: JPEG files and memory blocks decoded into RGB buffers for texture upload.
#pragma once

#include <cstddef>
#include <cstdint>

struct jpeg_decompress_struct;

class CJpg {
 public:
  // Decoded buffers larger than this are refused before they are allocated.
  static const size_t MAX_PIXEL_BYTES = size_t(256) << 20;
  // Images with more scans than this are refused once the next scan starts:
  // real progressive files have about ten, and every scan is a pass over the
  // whole image, so a file repeating one scan could keep a decode busy for
  // minutes.
  static constexpr int MAX_SCANS = 100;

  // Upload form: bottom row first, 3 bytes per pixel (R, G, B), each row
  // padded to a multiple of 4 bytes. The rows are decoded straight into
  // place, so the buffer is the only image-sized one the decode allocates
  // (besides the library's coefficients of a progressive image). The caller
  // frees the buffer with free().
  // A file that cannot be opened or decoded yields null (and a log line).
  static uint8_t* Load_File(const char* filename, int* width, int* height);
  // As Load_File for an image held in memory; a failed decode is an assertion
  // failure, since the program's own images are the only callers.
  static uint8_t* Load_Memory(const uint8_t* buffer, int size, int* width, int* height);

  // Decoder form: top row first, rows tightly packed (3 x width bytes), R, G, B.
  // Null when the image cannot be decoded; width and height are then 0.
  static uint8_t* Decode_File(const char* filename, int* width, int* height);
  static uint8_t* Decode_Memory(const uint8_t* membuf, int size, int* width, int* height);

  // Installs the memory input source into a decompressor: the bytes are handed
  // over through a 4096-byte staging buffer, and an end-of-image marker is
  // supplied once they run out.
  static void Set_Memory_Source(jpeg_decompress_struct* cinfo, const uint8_t* buffer, int size);
};
