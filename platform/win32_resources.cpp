// The module's own resources behind platform::ResourceApi.
//
// Implemented: custom types by name ("JPG", "TGA": FindResourceA compares
// them without regard to case), and BITMAP and ICON as the system's own
// resource types (a bitmap without its file header, an icon as its group
// directory), which is how the resource script stores them.

#include <cstring>

#include "platform/win32_connect.h"  // before <windows.h>: see platform/window.h

#include <windows.h>

namespace platform::win32 {
namespace {

// The system's own type for the names it has one for; the name otherwise.
LPCSTR resource_type(const char* type) {
  if (_stricmp(type, "BITMAP") == 0) return MAKEINTRESOURCEA(2);  // RT_BITMAP
  if (_stricmp(type, "ICON") == 0) return MAKEINTRESOURCEA(14);   // RT_GROUP_ICON
  return type;
}

ResourceView find(int id, const char* type) {
  if (!type || id <= 0 || id > 0xFFFF) return {nullptr, 0};
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), resource_type(type));
  if (!found) return {nullptr, 0};
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return {nullptr, 0};
  return {static_cast<const uint8_t*>(data), size_t(SizeofResource(module, found))};
}

}  // namespace

void connect_resources(ResourceApi& resources) { resources.find = find; }

}  // namespace platform::win32
