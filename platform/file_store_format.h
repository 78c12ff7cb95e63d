// The options store file's text format: parsing into lines and writing back.
//
// A registry-export-like text of Latin-1 bytes, one item per line:
//   Orbalune 3D Options Store 1            the header (first line)
//   [HKEY_CURRENT_USER\Software\...]       a key
//   "Name"=dword:0000007b                  REG_DWORD, 8 hex digits
//   "Name"=hex:01,ff                       REG_BINARY, bytes in hex
//   "Name"="text"                          REG_SZ
//   ; comment
// Names and texts are quoted; \\, \" and \xHH are the escapes. Lines that do
// not parse are kept as they are and written back unchanged.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/store.h"

namespace platform::file {

extern const char STORE_HEADER[];

struct StoreEntry {
  enum class Kind { Key, Value, Verbatim };
  Kind kind;
  std::string text;  // Key: "ROOT\path"; Value: its name; Verbatim: the line
  StoreType type = StoreType::Binary;
  std::string data;  // Value bytes; for a String the text without its NUL
};

struct StoreDocument {
  std::vector<StoreEntry> entries;
  int first_unparsed_line = 0;  // 1-based; 0 when every line parsed
  std::string first_unparsed_text;

  // Key paths and value names compare without regard to ASCII case, as the
  // registry compares them. Null when the value does not exist.
  const StoreEntry* find(const std::string& key, const std::string& name) const;
  // Replaces the value or adds it to its key, adding the key when missing.
  // True when the document changed.
  bool set(const std::string& key, const std::string& name, StoreType type,
           const std::string& data);

 private:
  // Index of the value, or entries.size() when it does not exist.
  size_t find_index(const std::string& key, const std::string& name) const;
};

StoreDocument parse_store(const std::string& text);
std::string format_store(const StoreDocument& document);

// A line as it may be shown on a terminal or in the log: control bytes and
// bytes from 0x7f up (Latin-1, which a UTF-8 terminal would garble, and C1
// controls) become \xHH; everything else stays as it is.
std::string printable_line(const std::string& line);

}  // namespace platform::file
