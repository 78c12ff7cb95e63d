// The options store as the Windows registry behind platform::StoreApi.
//
// Implemented: keys below HKEY_CURRENT_USER created on first open
// (RegCreateKeyExA, KEY_ALL_ACCESS), values written and read with their
// registry types (RegSetValueExA, RegQueryValueExA). The type numbers are
// the registry's own, so they pass through unchanged.

#include <cstring>

#include "platform/win32_connect.h"  // before <windows.h>: see platform/window.h

#include <windows.h>

namespace platform::registry {
namespace {

HKEY to_hkey(StoreKey* key) { return reinterpret_cast<HKEY>(key); }

StoreKey* open_key(const StoreRoot& root, const char* path) {
  if (!path || !root.name || strcmp(root.name, CURRENT_USER.name) != 0) return nullptr;
  HKEY key = nullptr;
  char no_class[] = "";
  const LONG result = RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, no_class,
                                      REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                                      nullptr);
  return result == ERROR_SUCCESS ? reinterpret_cast<StoreKey*>(key) : nullptr;
}

void close_key(StoreKey* key) {
  if (key) RegCloseKey(to_hkey(key));
}

bool set_value(StoreKey* key, const char* name, StoreType type, const void* data, size_t size) {
  if (!key || (type == StoreType::Dword && size != 4) || size > MAXDWORD) return false;
  return RegSetValueExA(to_hkey(key), name, 0, DWORD(type), static_cast<const BYTE*>(data),
                        DWORD(size)) == ERROR_SUCCESS;
}

bool query_value(StoreKey* key, const char* name, void* buffer, size_t* size, StoreType* type) {
  if (!key || *size > MAXDWORD) return false;
  DWORD stored_type = 0;
  DWORD stored_size = DWORD(*size);
  if (RegQueryValueExA(to_hkey(key), name, nullptr, &stored_type, static_cast<BYTE*>(buffer),
                       &stored_size) != ERROR_SUCCESS) {
    return false;
  }
  *size = stored_size;
  *type = StoreType(stored_type);
  return true;
}

}  // namespace

void connect_store(StoreApi& store) {
  store.open_key = open_key;
  store.close_key = close_key;
  store.set_value = set_value;
  store.query_value = query_value;
}

}  // namespace platform::registry
