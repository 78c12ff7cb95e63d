// CRegistryString: a text option of Latin-1 characters kept in the options
// store as a string.
#pragma once

#include "utilitylib/registry.h"

class CRegistryString {
 public:
  CRegistryString(const char* registry_location, const char* key_name,
                  const char* initial_value);

  // Points into the object; valid until the next Set.
  const char* Get() const;
  // Copies the text and writes it through. A text longer than
  // REGISTRY_STRING_MAX_LENGTH is cut to that length, so that it still reads
  // back at the next start, and the cut is logged.
  void Set(const char* value);

 private:
  char registry_location[REGISTRY_TEXT_SIZE];
  char key_name[REGISTRY_TEXT_SIZE];
  char value[REGISTRY_TEXT_SIZE];
  char initial_value[REGISTRY_TEXT_SIZE];
};
