// CRegistryString: a text option stored as a string.
#include "utilitylib/registrystring.h"

#include <algorithm>
#include <cstring>

#include "utilitylib/utility.h"

CRegistryString::CRegistryString(const char* registry_location, const char* key_name,
                                 const char* initial_value) {
  ASSERT(registry_location != NULL);
  ASSERT(key_name != NULL);
  ASSERT(initial_value != NULL);
  CRegistry::Copy_Text(this->registry_location, registry_location);
  CRegistry::Copy_Text(this->key_name, key_name);
  CRegistry::Copy_Text(this->initial_value, initial_value);
  CRegistry::Load_String(registry_location, key_name, initial_value, value);
}

const char* CRegistryString::Get() const { return value; }

void CRegistryString::Set(const char* value) {
  ASSERT(value != NULL);
  const size_t length = strlen(value);
  const size_t kept = std::min(length, size_t(REGISTRY_STRING_MAX_LENGTH));
  if (kept < length) {
    CUtility::Log("CRegistryString::Set: %s cut from %zu to %zu characters\n", key_name, length,
                  kept);
  }
  memmove(this->value, value, kept);
  this->value[kept] = '\0';
  CRegistry::Store_String(registry_location, key_name, this->value);
}
