// CTga: the uncompressed true-colour TGA layout of the module's sprite images.
#pragma once

#include <cstddef>
#include <cstdint>

class CTga {
 public:
  static const size_t HEADER_SIZE = 18;

  struct Header {
    int Width;
    int Height;
    int BitsPerPixel;
  };

  // Width (bytes 12-13), height (14-15) and bits per pixel (16), little-endian.
  // False when the block is shorter than the header.
  static bool Read_Header(const uint8_t* data, size_t size, Header* header);

  // Bytes per pixel of the stored rows: 4 for exactly 32 bits, 3 otherwise.
  static int Bytes_Per_Pixel(const Header& header) { return header.BitsPerPixel == 32 ? 4 : 3; }

  // The pixels from byte 18 on, rows in stored order whatever the origin bit
  // says, each pixel turned from B, G, R (, A) into R, G, B (, A). Null when
  // the block is too short for the pixels its header promises or empty; the
  // caller frees the buffer with free().
  static uint8_t* Copy_Pixels(const uint8_t* data, size_t size, const Header& header);
};
