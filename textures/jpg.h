// CJpg: JPEG files and memory blocks decoded into RGB buffers for texture upload.
#pragma once

#include <cstddef>
#include <cstdint>

struct jpeg_decompress_struct;

class CJpg {
 public:
  // Decoded buffers larger than this are refused before they are allocated.
  static const size_t MAX_PIXEL_BYTES = size_t(256) << 20;

  // Upload form: bottom row first, 3 bytes per pixel (R, G, B), each row
  // padded to a multiple of 4 bytes. The caller frees the buffer with free().
  // A file that cannot be opened or decoded yields null (and a log line).
  static uint8_t* Load_File(const char* filename, int* width, int* height);
  // As Load_File for an image held in memory; a failed decode is an assertion
  // failure, since the program's own images are the only callers.
  static uint8_t* Load_Memory(const uint8_t* buffer, int size, int* width, int* height);

  // Decoder form: top row first, rows tightly packed (3 x width bytes), R, G, B.
  // Null when the image cannot be decoded; width and height are then 0.
  static uint8_t* Decode_File(const char* filename, int* width, int* height);
  static uint8_t* Decode_Memory(const uint8_t* membuf, int size, int* width, int* height);

  // Exchanges rows top to bottom in place. False for a null buffer or when
  // the scratch rows cannot be allocated (the rows are then left as they were).
  static bool Flip_Rows(uint8_t* buffer, int bytes_per_row, int rows);
  // A new buffer whose rows are padded to 4 bytes; null for a null buffer or
  // when out of memory. The padding bytes are left unwritten.
  static uint8_t* Align_Rows(const uint8_t* buffer, int width, int height, int* stride);

  // Installs the memory input source into a decompressor: the bytes are handed
  // over through a 4096-byte staging buffer, and an end-of-image marker is
  // supplied once they run out.
  static void Set_Memory_Source(jpeg_decompress_struct* cinfo, const uint8_t* buffer, int size);
};
