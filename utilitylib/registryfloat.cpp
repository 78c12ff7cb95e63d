// CRegistryFloat: a single-precision option stored as its IEEE-754 bits.
#include "utilitylib/registryfloat.h"

#include <bit>
#include <cstdint>

#include "utilitylib/utility.h"

CRegistryFloat::CRegistryFloat(const char* registry_location, const char* key_name,
                               float default_value) {
  ASSERT(registry_location != NULL);
  ASSERT(key_name != NULL);
  CRegistry::Copy_Text(this->registry_location, registry_location);
  CRegistry::Copy_Text(this->key_name, key_name);
  this->default_value = default_value;
  value = std::bit_cast<float>(
      CRegistry::Load_Dword(registry_location, key_name, std::bit_cast<uint32_t>(default_value)));
}

float CRegistryFloat::Get() const { return value; }

void CRegistryFloat::Set(float new_value) {
  value = new_value;
  CRegistry::Store_Dword(registry_location, key_name, std::bit_cast<uint32_t>(value));
}

void CRegistryFloat::Reset_To_Default() { Set(default_value); }

float CRegistryFloat::Get_Default() const { return default_value; }

void CRegistryFloat::Override(float new_value) { value = new_value; }

const char* CRegistryFloat::Get_Name() const { return key_name; }
