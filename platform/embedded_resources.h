// The table of resources compiled into the program, generated at build time
// from resources/manifest.txt by resources/embed.cmake.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform::embedded {

struct EmbeddedResource {
  int id;
  const char* type;  // upper case, as the module stores it
  const uint8_t* data;
  size_t size;
};

extern const EmbeddedResource RESOURCE_TABLE[];
extern const size_t RESOURCE_COUNT;

}  // namespace platform::embedded
