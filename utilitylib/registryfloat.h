// CRegistryFloat: a single-precision option kept in the options store as
// the word of its IEEE-754 bit pattern.
#pragma once

#include "utilitylib/registry.h"

class CRegistryFloat {
 public:
  CRegistryFloat(const char* registry_location, const char* key_name, float default_value);

  float Get() const;
  void Set(float value);
  void Reset_To_Default();
  float Get_Default() const;
  // For this run only: Get returns value from now on, the store keeps its own.
  void Override(float value);
  // The value's name in the store.
  const char* Get_Name() const;

 private:
  char registry_location[REGISTRY_TEXT_SIZE];
  char key_name[REGISTRY_TEXT_SIZE];
  float value;
  float default_value;
};
