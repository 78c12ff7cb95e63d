// CRegistry: one key of the per-user options store, opened for one read or
// write and closed again.
#pragma once

#include <cstdint>

#include "platform/store.h"

// Capacity, with the terminating NUL, of every key path, value name and
// string value.
constexpr int REGISTRY_TEXT_SIZE = 500;
// Longest string value that reads back: a read fails at REGISTRY_TEXT_SIZE
// bytes with the NUL.
constexpr int REGISTRY_STRING_MAX_LENGTH = REGISTRY_TEXT_SIZE - 2;

class CRegistry {
 public:
  CRegistry();
  ~CRegistry();
  CRegistry(const CRegistry&) = delete;
  CRegistry& operator=(const CRegistry&) = delete;

  // Opens parent_key\subkey_name, creating the key when it does not exist.
  void Open(const platform::StoreRoot* parent_key, const char* subkey_name);
  // Closes the key; a second Close does nothing.
  void Close();

  void Set_Dword(const char* value_name, uint32_t value);
  void Set_String(const char* name, const char* value);
  // Fills *value whenever the value exists in at most 4 bytes; true only when
  // its type is REG_DWORD or REG_BINARY. *canonical, when asked for, tells
  // whether it is stored exactly as Set_Dword would store it.
  bool Get_Dword(const char* name, uint32_t* value, bool* canonical = nullptr);
  // value has REGISTRY_TEXT_SIZE bytes. True when the value exists and fits
  // with its NUL; a REG_DWORD comes back as its signed decimal text.
  // *canonical, when asked for, tells whether it is stored exactly as
  // Set_String would store that text.
  bool Get_String(const char* name, char* value, bool* canonical = nullptr);

  // Construction of the value classes: reads the word under
  // HKEY_CURRENT_USER\registry_location, falling back to fallback when it is
  // missing, too long or not a word, writes the result straight back unless
  // it is stored in that form already, and returns it.
  static uint32_t Load_Dword(const char* registry_location, const char* key_name,
                             uint32_t fallback);
  // The same for a string: value (REGISTRY_TEXT_SIZE bytes) receives the text.
  static void Load_String(const char* registry_location, const char* key_name,
                          const char* initial_value, char* value);
  // One write-through of a value under HKEY_CURRENT_USER\registry_location.
  static void Store_Dword(const char* registry_location, const char* key_name, uint32_t value);
  static void Store_String(const char* registry_location, const char* key_name,
                           const char* value);
  // Copies a NUL-terminated text of at most REGISTRY_TEXT_SIZE - 1 characters.
  static void Copy_Text(char* destination, const char* source);

 private:
  platform::StoreKey* RegKey;
};
