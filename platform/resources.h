// The module's embedded resources, found by numeric id and type name.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// The bytes of one resource. They belong to the program and stay valid and
// unchanged for the whole run; data is null when no such resource exists.
struct ResourceView {
  const uint8_t* data;
  size_t size;
};

struct ResourceApi {
  // The resource with this numeric id and type name ("JPG", "TGA", "BITMAP",
  // "ICON"); type names are compared without regard to case.
  ResourceView (*find)(int id, const char* type);
};

namespace embedded {
// Resources compiled into the program at build time (resources/embed.cmake).
// A Win32 backend will find the same ids and types among the module's own
// resources instead.
void connect_resources(ResourceApi& resources);
}  // namespace embedded

}  // namespace platform
