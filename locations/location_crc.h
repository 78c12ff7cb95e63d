// The CRC-32 that identifies a location by its description text.
#pragma once

#include <cstddef>
#include <cstdint>

// The standard reflected CRC-32 of IEEE 802.3 (polynomial 0xEDB88320, initial
// value and final XOR 0xFFFFFFFF) over the bytes as they are: texts are
// Latin-1, so an accented letter is one byte.
uint32_t Location_Crc32(const char* bytes, size_t size);
// The CRC of a NUL-terminated text, without the terminator.
uint32_t Location_Crc32(const char* text);
