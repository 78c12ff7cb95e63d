// CRegistryBool: a boolean option stored as a word.
#include "utilitylib/registrybool.h"

#include "utilitylib/utility.h"

CRegistryBool::CRegistryBool(const char* registry_location, const char* key_name,
                             bool default_value) {
  ASSERT(registry_location != NULL);
  ASSERT(key_name != NULL);
  CRegistry::Copy_Text(this->registry_location, registry_location);
  CRegistry::Copy_Text(this->key_name, key_name);
  this->default_value = default_value;
  value = int32_t(CRegistry::Load_Dword(registry_location, key_name, default_value ? 1 : 0));
}

CRegistryBool::~CRegistryBool() = default;

bool CRegistryBool::Get() const { return value == 1; }

bool CRegistryBool::Set(bool new_value) {
  value = new_value ? 1 : 0;
  CRegistry::Store_Dword(registry_location, key_name, uint32_t(value));
  return Get();
}

void CRegistryBool::Reset_To_Default() { Set(default_value); }

bool CRegistryBool::Get_Default() const { return default_value; }

void CRegistryBool::Override(bool new_value) { value = new_value ? 1 : 0; }

const char* CRegistryBool::Get_Name() const { return key_name; }
