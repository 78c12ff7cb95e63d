// CRegistry: opens one key of the options store and reads or writes one value.
#include "utilitylib/registry.h"

#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "utilitylib/utility.h"

namespace {

const size_t DWORD_SIZE = 4;

// The store's outcome in the registry's terms, which the assertion texts use.
enum StoreResult { ERROR_SUCCESS = 0, ERROR_STORE_FAILED = 1 };

StoreResult result_of(bool succeeded) { return succeeded ? ERROR_SUCCESS : ERROR_STORE_FAILED; }

uint32_t word_from_bytes(const unsigned char* bytes) {
  return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
         uint32_t(bytes[3]) << 24;
}

void bytes_from_word(uint32_t word, unsigned char* bytes) {
  for (size_t i = 0; i < DWORD_SIZE; ++i) bytes[i] = (unsigned char)(word >> (8 * i));
}

bool is_word_type(platform::StoreType type) {
  return type == platform::StoreType::Dword || type == platform::StoreType::Binary;
}

}  // namespace

CRegistry::CRegistry() : RegKey(nullptr) {}

CRegistry::~CRegistry() { Close(); }

void CRegistry::Open(const platform::StoreRoot* parent_key, const char* subkey_name) {
  ASSERT(parent_key != NULL);
  ASSERT(subkey_name != NULL);
  Close();
  RegKey = platform::api().store.open_key(*parent_key, subkey_name);
  const StoreResult result = result_of(RegKey != nullptr);
  ASSERT(result == ERROR_SUCCESS);
}

void CRegistry::Close() {
  if (!RegKey) return;
  platform::api().store.close_key(RegKey);
  RegKey = nullptr;
}

void CRegistry::Set_Dword(const char* value_name, uint32_t value) {
  ASSERT(value_name != NULL);
  ASSERT(RegKey != NULL);
  unsigned char bytes[DWORD_SIZE];
  bytes_from_word(value, bytes);
  const StoreResult retcode = result_of(platform::api().store.set_value(
      RegKey, value_name, platform::StoreType::Dword, bytes, DWORD_SIZE));
  ASSERT(retcode == ERROR_SUCCESS);
}

void CRegistry::Set_String(const char* name, const char* value) {
  ASSERT(name != NULL);
  ASSERT(value != NULL);
  ASSERT(RegKey != NULL);
  const StoreResult retcode = result_of(platform::api().store.set_value(
      RegKey, name, platform::StoreType::String, value, strlen(value) + 1));
  ASSERT(retcode == ERROR_SUCCESS);
}

// The stored bytes replace the word's low bytes whatever the value's type,
// as the registry fills a query's buffer.
bool CRegistry::Get_Dword(const char* name, uint32_t* value, bool* canonical) {
  ASSERT(name != NULL);
  ASSERT(value != NULL);
  ASSERT(RegKey != NULL);
  unsigned char bytes[DWORD_SIZE];
  bytes_from_word(*value, bytes);
  size_t size = DWORD_SIZE;
  platform::StoreType type;
  if (canonical) *canonical = false;
  if (!platform::api().store.query_value(RegKey, name, bytes, &size, &type)) return false;
  *value = word_from_bytes(bytes);
  if (canonical) *canonical = type == platform::StoreType::Dword && size == DWORD_SIZE;
  return is_word_type(type);
}

// Queries with one byte kept for a terminating NUL, so that the text always
// ends inside the buffer even when the stored data has none.
bool CRegistry::Get_String(const char* name, char* value, bool* canonical) {
  ASSERT(name != NULL);
  ASSERT(value != NULL);
  ASSERT(RegKey != NULL);
  size_t size = REGISTRY_TEXT_SIZE - 1;
  platform::StoreType type;
  if (canonical) *canonical = false;
  if (!platform::api().store.query_value(RegKey, name, value, &size, &type)) return false;
  value[size] = '\0';
  if (type == platform::StoreType::Dword) {
    const int32_t number = int32_t(word_from_bytes(reinterpret_cast<unsigned char*>(value)));
    snprintf(value, REGISTRY_TEXT_SIZE, "%d", number);
  }
  if (canonical) *canonical = type == platform::StoreType::String && size == strlen(value) + 1;
  return true;
}

// A value already stored in the form the write-back would give is not
// written again: a start whose values are all in place then only reads.
uint32_t CRegistry::Load_Dword(const char* registry_location, const char* key_name,
                               uint32_t fallback) {
  CRegistry registry;
  registry.Open(&platform::CURRENT_USER, registry_location);
  uint32_t word = fallback;
  bool canonical = false;
  // A value of another type (a short string) is not a word: the fallback
  // stands and is written back in place of it.
  if (!registry.Get_Dword(key_name, &word, &canonical)) word = fallback;
  if (!canonical) registry.Set_Dword(key_name, word);
  return word;
}

void CRegistry::Load_String(const char* registry_location, const char* key_name,
                            const char* initial_value, char* value) {
  CRegistry registry;
  registry.Open(&platform::CURRENT_USER, registry_location);
  Copy_Text(value, initial_value);
  bool canonical = false;
  if (!registry.Get_String(key_name, value, &canonical)) Copy_Text(value, initial_value);
  if (!canonical) registry.Set_String(key_name, value);
}

void CRegistry::Store_Dword(const char* registry_location, const char* key_name,
                            uint32_t value) {
  CRegistry registry;
  registry.Open(&platform::CURRENT_USER, registry_location);
  registry.Set_Dword(key_name, value);
}

void CRegistry::Store_String(const char* registry_location, const char* key_name,
                             const char* value) {
  CRegistry registry;
  registry.Open(&platform::CURRENT_USER, registry_location);
  registry.Set_String(key_name, value);
}

void CRegistry::Copy_Text(char* destination, const char* source) {
  ASSERT(strlen(source) < REGISTRY_TEXT_SIZE);
  strcpy(destination, source);
}
