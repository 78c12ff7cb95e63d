// The per-user options store: named 32-bit words, byte blocks and strings
// under key paths, each value keeping its registry type.
//
// The Linux backend (file_store.cpp) keeps one text file in the options
// folder; a Win32 backend maps these calls onto the registry one to one.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// Stored value types, numbered as the registry numbers them.
enum class StoreType : uint32_t {
  String = 1,  // REG_SZ: text, read back with its terminating NUL
  Binary = 3,  // REG_BINARY: any bytes
  Dword = 4,   // REG_DWORD: 4 bytes, little-endian
};

// A predefined root below which keys are opened.
struct StoreRoot {
  const char* name;
};
inline constexpr StoreRoot CURRENT_USER{"HKEY_CURRENT_USER"};

// An open key; its layout belongs to the backend.
struct StoreKey;

struct StoreApi {
  // Opens the key root\path, creating it when missing; null on failure.
  StoreKey* (*open_key)(const StoreRoot& root, const char* path);
  void (*close_key)(StoreKey* key);
  // Writes one value. String data may include its terminating NUL. False only
  // for a malformed request (a Dword that is not 4 bytes): a store that cannot
  // be saved is reported by the backend and keeps the value in memory.
  bool (*set_value)(StoreKey* key, const char* name, StoreType type, const void* data,
                    size_t size);
  // Reads one value into buffer, whose capacity is *size. True when the value
  // exists and fits: then *type is its type, *size its byte count (strings
  // with their NUL) and the buffer holds it. False when missing or too large.
  bool (*query_value)(StoreKey* key, const char* name, void* buffer, size_t* size,
                      StoreType* type);
};

namespace file {
void connect_store(StoreApi& store);
}

}  // namespace platform
