// CRegistryInt: a signed 32-bit option kept in the options store as a word.
#pragma once

#include <cstdint>

#include "utilitylib/registry.h"

class CRegistryInt {
 public:
  CRegistryInt(const char* registry_location, const char* key_name, int32_t default_value);

  int32_t Get() const;
  void Set(int32_t value);
  void Reset_To_Default();
  int32_t Get_Default() const;
  // For this run only: Get returns value from now on, the store keeps its own.
  void Override(int32_t value);
  // The value's name in the store.
  const char* Get_Name() const;

 private:
  char registry_location[REGISTRY_TEXT_SIZE];
  char key_name[REGISTRY_TEXT_SIZE];
  int32_t value;
  int32_t default_value;
};
