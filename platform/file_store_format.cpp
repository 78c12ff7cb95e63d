// Parsing and writing the options store's text (format in file_store_format.h).
#include "platform/file_store_format.h"

#include <cstdio>
#include <cstring>
#include <optional>

namespace platform::file {

const char STORE_HEADER[] = "Orbalune 3D Options Store 1";

namespace {

StoreEntry make_entry(StoreEntry::Kind kind, std::string text,
                      StoreType type = StoreType::Binary, std::string data = "") {
  StoreEntry entry;
  entry.kind = kind;
  entry.text = std::move(text);
  entry.type = type;
  entry.data = std::move(data);
  return entry;
}

char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool same_name(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
  }
  return true;
}

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Two hex digits at line[pos]; -1 when there are none.
int hex_byte(const std::string& line, size_t pos) {
  if (pos + 1 >= line.size()) return -1;
  const int high = hex_digit(line[pos]);
  const int low = hex_digit(line[pos + 1]);
  return high < 0 || low < 0 ? -1 : high * 16 + low;
}

// Reads a quoted, escaped text starting at line[pos] == '"'; pos moves past
// the closing quote.
std::optional<std::string> parse_quoted(const std::string& line, size_t& pos) {
  if (pos >= line.size() || line[pos] != '"') return std::nullopt;
  std::string text;
  for (++pos; pos < line.size(); ++pos) {
    const char c = line[pos];
    if (c == '"') {
      ++pos;
      return text;
    }
    if (c != '\\') {
      text += c;
      continue;
    }
    if (++pos >= line.size()) return std::nullopt;
    if (line[pos] == '\\' || line[pos] == '"') {
      text += line[pos];
    } else if (line[pos] == 'x') {
      const int byte = hex_byte(line, pos + 1);
      if (byte < 0) return std::nullopt;
      text += char(byte);
      pos += 2;
    } else {
      return std::nullopt;
    }
  }
  return std::nullopt;
}

bool starts_with_at(const std::string& line, size_t pos, const char* prefix) {
  return line.compare(pos, strlen(prefix), prefix) == 0;
}

// "dword:" followed by exactly 8 hex digits up to the line's end, so that a
// cut line does not pass for a smaller number.
std::optional<std::string> parse_dword(const std::string& line, size_t pos) {
  const size_t digits = line.size() - pos;
  if (digits != 8) return std::nullopt;
  uint32_t word = 0;
  for (; pos < line.size(); ++pos) {
    const int digit = hex_digit(line[pos]);
    if (digit < 0) return std::nullopt;
    word = word * 16 + uint32_t(digit);
  }
  std::string data(4, '\0');
  for (int i = 0; i < 4; ++i) data[i] = char((word >> (8 * i)) & 0xFF);
  return data;
}

// "hex:" followed by comma-separated byte pairs up to the line's end.
std::optional<std::string> parse_hex(const std::string& line, size_t pos) {
  std::string data;
  while (pos < line.size()) {
    if (!data.empty()) {
      if (line[pos] != ',') return std::nullopt;
      ++pos;
    }
    const int byte = hex_byte(line, pos);
    if (byte < 0) return std::nullopt;
    data += char(byte);
    pos += 2;
  }
  return data;
}

std::optional<StoreEntry> parse_value(const std::string& line) {
  size_t pos = 0;
  std::optional<std::string> name = parse_quoted(line, pos);
  if (!name || pos >= line.size() || line[pos] != '=') return std::nullopt;
  ++pos;
  StoreEntry entry = make_entry(StoreEntry::Kind::Value, *name);
  std::optional<std::string> data;
  if (starts_with_at(line, pos, "\"")) {
    entry.type = StoreType::String;
    data = parse_quoted(line, pos);
    if (pos != line.size()) return std::nullopt;
  } else if (starts_with_at(line, pos, "dword:")) {
    entry.type = StoreType::Dword;
    data = parse_dword(line, pos + 6);
  } else if (starts_with_at(line, pos, "hex:")) {
    entry.type = StoreType::Binary;
    data = parse_hex(line, pos + 4);
  }
  if (!data) return std::nullopt;
  entry.data = *data;
  return entry;
}

// Classifies one line; an empty result means the line does not parse.
std::optional<StoreEntry> parse_line(const std::string& line, bool inside_key) {
  if (line[0] == ';') return make_entry(StoreEntry::Kind::Verbatim, line);
  if (line[0] == '[') {
    if (line.size() < 3 || line.back() != ']') return std::nullopt;
    return make_entry(StoreEntry::Kind::Key, line.substr(1, line.size() - 2));
  }
  if (line[0] == '"' && inside_key) return parse_value(line);
  return std::nullopt;
}

bool needs_escape(unsigned char c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

void append_hex_escape(std::string& out, unsigned char c) {
  char escape[5];
  snprintf(escape, sizeof escape, "\\x%02x", c);
  out += escape;
}

void append_quoted(std::string& out, const std::string& text) {
  out += '"';
  for (const char c : text) {
    if (c == '\\' || c == '"') {
      out += '\\';
      out += c;
    } else if (needs_escape((unsigned char)c)) {
      append_hex_escape(out, (unsigned char)c);
    } else {
      out += c;
    }
  }
  out += '"';
}

void append_value_data(std::string& out, const StoreEntry& entry) {
  char hex[16];
  if (entry.type == StoreType::String) {
    append_quoted(out, entry.data);
  } else if (entry.type == StoreType::Dword) {
    uint32_t word = 0;
    for (int i = 3; i >= 0; --i) word = (word << 8) | (unsigned char)entry.data[i];
    snprintf(hex, sizeof hex, "dword:%08x", (unsigned)word);
    out += hex;
  } else {
    out += "hex:";
    for (size_t i = 0; i < entry.data.size(); ++i) {
      snprintf(hex, sizeof hex, i ? ",%02x" : "%02x", (unsigned char)entry.data[i]);
      out += hex;
    }
  }
}

}  // namespace

std::string printable_line(const std::string& line) {
  std::string out;
  for (const char c : line) {
    const unsigned char byte = (unsigned char)c;
    if (byte < 0x20 || byte >= 0x7F) {
      append_hex_escape(out, byte);
    } else {
      out += c;
    }
  }
  return out;
}

StoreDocument parse_store(const std::string& text) {
  StoreDocument document;
  bool inside_key = false;
  size_t start = 0;
  for (int number = 1; start < text.size(); ++number) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    // Every CR at the end goes, so that a rewrite, which ends lines in LF
    // alone, reads back the same.
    while (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || (number == 1 && line == STORE_HEADER)) continue;
    std::optional<StoreEntry> entry = parse_line(line, inside_key);
    if (!entry) {
      entry = make_entry(StoreEntry::Kind::Verbatim, line);
      if (!document.first_unparsed_line) {
        document.first_unparsed_line = number;
        document.first_unparsed_text = line;
      }
    }
    inside_key = inside_key || entry->kind == StoreEntry::Kind::Key;
    document.entries.push_back(std::move(*entry));
  }
  return document;
}

std::string format_store(const StoreDocument& document) {
  std::string out = std::string(STORE_HEADER) + "\n";
  for (const StoreEntry& entry : document.entries) {
    if (entry.kind == StoreEntry::Kind::Key) {
      out += "\n[" + entry.text + "]";
    } else if (entry.kind == StoreEntry::Kind::Value) {
      append_quoted(out, entry.text);
      out += '=';
      append_value_data(out, entry);
    } else {
      out += entry.text;
    }
    out += '\n';
  }
  return out;
}

size_t StoreDocument::find_index(const std::string& key, const std::string& name) const {
  bool in_key = false;
  for (size_t i = 0; i < entries.size(); ++i) {
    const StoreEntry& entry = entries[i];
    if (entry.kind == StoreEntry::Kind::Key) in_key = same_name(entry.text, key);
    if (in_key && entry.kind == StoreEntry::Kind::Value && same_name(entry.text, name)) return i;
  }
  return entries.size();
}

const StoreEntry* StoreDocument::find(const std::string& key, const std::string& name) const {
  const size_t index = find_index(key, name);
  return index < entries.size() ? &entries[index] : nullptr;
}

bool StoreDocument::set(const std::string& key, const std::string& name, StoreType type,
                        const std::string& data) {
  const size_t found = find_index(key, name);
  if (found < entries.size()) {
    StoreEntry& entry = entries[found];
    if (entry.type == type && entry.data == data) return false;
    entry.type = type;
    entry.data = data;
    return true;
  }
  StoreEntry value = make_entry(StoreEntry::Kind::Value, name, type, data);
  // After the last value of the first matching key, so that comments that
  // introduce the next key stay in front of it.
  size_t insert_at = entries.size();
  bool in_key = false;
  for (size_t i = 0; i < entries.size(); ++i) {
    const StoreEntry& entry = entries[i];
    if (entry.kind == StoreEntry::Kind::Key) {
      if (in_key) break;
      in_key = same_name(entry.text, key);
      if (in_key) insert_at = i + 1;
    } else if (in_key && entry.kind == StoreEntry::Kind::Value) {
      insert_at = i + 1;
    }
  }
  if (!in_key) {
    entries.push_back(make_entry(StoreEntry::Kind::Key, key));
    insert_at = entries.size();
  }
  entries.insert(entries.begin() + insert_at, std::move(value));
  return true;
}

}  // namespace platform::file
