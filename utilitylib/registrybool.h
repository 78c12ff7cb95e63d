// CRegistryBool: a boolean option kept in the options store as a word.
#pragma once

#include <cstdint>

#include "utilitylib/registry.h"

class CRegistryBool {
 public:
  CRegistryBool(const char* registry_location, const char* key_name, bool default_value);
  virtual ~CRegistryBool();

  // True exactly when the stored word is 1.
  bool Get() const;
  // Stores 0 or 1 and writes it through; returns the new Get().
  bool Set(bool value);
  void Reset_To_Default();
  bool Get_Default() const;
  // The value's name in the store.
  const char* Get_Name() const;
  // For this run only: Get returns value from now on, the store keeps its own.
  void Override(bool value);

 private:
  int32_t value;  // the whole stored word: a stored 2 stays 2 until Set
  char registry_location[REGISTRY_TEXT_SIZE];
  char key_name[REGISTRY_TEXT_SIZE];
  bool default_value;
};
