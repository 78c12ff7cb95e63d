// Resource lookup over the table generated into the build at compile time.
#include "platform/embedded_resources.h"

#include <strings.h>

#include "platform/resources.h"

namespace platform::embedded {
namespace {

ResourceView find(int id, const char* type) {
  if (!type) return {nullptr, 0};
  for (size_t i = 0; i < RESOURCE_COUNT; ++i) {
    const EmbeddedResource& resource = RESOURCE_TABLE[i];
    if (resource.id == id && strcasecmp(resource.type, type) == 0)
      return {resource.data, resource.size};
  }
  return {nullptr, 0};
}

}  // namespace

void connect_resources(ResourceApi& resources) { resources.find = find; }

}  // namespace platform::embedded
