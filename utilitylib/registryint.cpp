// CRegistryInt: a signed 32-bit option stored as a word in two's complement.
#include "utilitylib/registryint.h"

#include "utilitylib/utility.h"

CRegistryInt::CRegistryInt(const char* registry_location, const char* key_name,
                           int32_t default_value) {
  ASSERT(registry_location != NULL);
  ASSERT(key_name != NULL);
  CRegistry::Copy_Text(this->registry_location, registry_location);
  CRegistry::Copy_Text(this->key_name, key_name);
  this->default_value = default_value;
  value = int32_t(CRegistry::Load_Dword(registry_location, key_name, uint32_t(default_value)));
}

int32_t CRegistryInt::Get() const { return value; }

void CRegistryInt::Set(int32_t new_value) {
  value = new_value;
  CRegistry::Store_Dword(registry_location, key_name, uint32_t(value));
}

void CRegistryInt::Reset_To_Default() { Set(default_value); }

const char* CRegistryInt::Get_Name() const { return key_name; }

int32_t CRegistryInt::Get_Default() const { return default_value; }

void CRegistryInt::Override(int32_t new_value) { value = new_value; }
