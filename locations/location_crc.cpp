// The CRC-32 that identifies a location by its description text.
#include "locations/location_crc.h"

#include <array>
#include <cstring>

namespace {

constexpr uint32_t POLYNOMIAL = 0xEDB88320u;

constexpr std::array<uint32_t, 256> make_table() {
  std::array<uint32_t, 256> table{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? POLYNOMIAL ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

constexpr std::array<uint32_t, 256> TABLE = make_table();

}  // namespace

uint32_t Location_Crc32(const char* bytes, size_t size) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) {
    crc = TABLE[(crc ^ static_cast<unsigned char>(bytes[i])) & 0xFF] ^ (crc >> 8);
  }
  return crc ^ 0xFFFFFFFFu;
}

uint32_t Location_Crc32(const char* text) { return Location_Crc32(text, strlen(text)); }
