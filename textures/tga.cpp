// CTga: reads the three header fields the loader uses and converts the pixels.
// The id length, colour map, image type, descriptor and footer are ignored:
// the module's own images are all uncompressed true colour.
#include "textures/tga.h"

#include <cstdlib>
#include <cstring>

namespace {

int Read_U16(const uint8_t* bytes) { return bytes[0] | bytes[1] << 8; }

}  // namespace

bool CTga::Read_Header(const uint8_t* data, size_t size, Header* header) {
  if (!data || size < HEADER_SIZE) return false;
  header->Width = Read_U16(data + 12);
  header->Height = Read_U16(data + 14);
  header->BitsPerPixel = data[16];
  return true;
}

uint8_t* CTga::Copy_Pixels(const uint8_t* data, size_t size, const Header& header) {
  const size_t pixel_size = size_t(Bytes_Per_Pixel(header));
  const size_t bytes = size_t(header.Width) * size_t(header.Height) * pixel_size;
  if (!data || bytes == 0 || size < HEADER_SIZE || size - HEADER_SIZE < bytes) return nullptr;
  uint8_t* pixels = static_cast<uint8_t*>(malloc(bytes));
  if (!pixels) return nullptr;
  memcpy(pixels, data + HEADER_SIZE, bytes);
  for (size_t i = 0; i < bytes; i += pixel_size) {
    const uint8_t blue = pixels[i];
    pixels[i] = pixels[i + 2];
    pixels[i + 2] = blue;
  }
  return pixels;
}
