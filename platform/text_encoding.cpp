// Latin-1 is the first 256 code points of Unicode, so each byte maps to one
// code point and back.
#include "platform/text_encoding.h"

namespace platform {

std::string latin1_to_utf8(const std::string& latin1) {
  std::string utf8;
  utf8.reserve(latin1.size() * 2);
  for (unsigned char c : latin1) {
    if (c < 0x80) {
      utf8 += char(c);
    } else {
      utf8 += char(0xC0 | (c >> 6));
      utf8 += char(0x80 | (c & 0x3F));
    }
  }
  return utf8;
}

std::optional<std::string> utf8_to_latin1(const std::string& utf8) {
  std::string latin1;
  latin1.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size(); ++i) {
    unsigned char c = utf8[i];
    if (c < 0x80) {
      latin1 += char(c);
      continue;
    }
    // Two-byte sequences C2 80 .. C3 BF are U+0080 .. U+00FF.
    if ((c != 0xC2 && c != 0xC3) || i + 1 >= utf8.size()) return std::nullopt;
    unsigned char next = utf8[i + 1];
    if ((next & 0xC0) != 0x80) return std::nullopt;
    latin1 += char(((c & 0x03) << 6) | (next & 0x3F));
    ++i;
  }
  return latin1;
}

}  // namespace platform
