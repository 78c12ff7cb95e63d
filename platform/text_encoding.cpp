// Windows-1252 text and UTF-8. Windows-1252 is Latin-1 (the first 256 code
// points of Unicode) except in the bytes 0x80 to 0x9F.
#include "platform/text_encoding.h"

namespace platform {

namespace {

// Windows-1252's characters for the bytes 0x80 to 0x9F; above them it is
// Latin-1, below them ASCII.
constexpr char32_t HIGH_CONTROL_RANGE[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t windows1252_character(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? HIGH_CONTROL_RANGE[byte - 0x80] : char32_t(byte);
}

void append_utf8(std::string& utf8, char32_t c) {
  if (c < 0x80) {
    utf8 += char(c);
  } else if (c < 0x800) {
    utf8 += char(0xC0 | (c >> 6));
    utf8 += char(0x80 | (c & 0x3F));
  } else {
    utf8 += char(0xE0 | (c >> 12));
    utf8 += char(0x80 | ((c >> 6) & 0x3F));
    utf8 += char(0x80 | (c & 0x3F));
  }
}

// The code point that starts at utf8[at], advancing at past it; empty for a
// malformed, overlong or surrogate sequence.
std::optional<char32_t> next_code_point(const std::string& utf8, size_t& at) {
  unsigned char lead = utf8[at++];
  if (lead < 0x80) return lead;
  int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || at + length - 1 > utf8.size()) return std::nullopt;
  char32_t c = lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    unsigned char next = utf8[at++];
    if ((next & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (next & 0x3F);
  }
  constexpr char32_t SHORTEST[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < SHORTEST[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
  return c;
}

}  // namespace

std::optional<unsigned char> windows1252_byte(char32_t code_point) {
  if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF))
    return static_cast<unsigned char>(code_point);
  for (int i = 0; i < 32; ++i) {
    if (HIGH_CONTROL_RANGE[i] == code_point) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

std::string windows1252_to_utf8(const std::string& text) {
  std::string utf8;
  utf8.reserve(text.size() * 2);
  for (unsigned char byte : text) append_utf8(utf8, windows1252_character(byte));
  return utf8;
}

std::optional<std::string> utf8_to_windows1252(const std::string& utf8) {
  std::string text;
  text.reserve(utf8.size());
  for (size_t at = 0; at < utf8.size();) {
    std::optional<char32_t> c = next_code_point(utf8, at);
    std::optional<unsigned char> byte = c ? windows1252_byte(*c) : std::nullopt;
    if (!byte) return std::nullopt;
    text += char(*byte);
  }
  return text;
}

}  // namespace platform
