// Single-byte text <-> UTF-8 at the edges where the program's text meets
// UTF-8 (toolkits, terminals). The program's text is Windows-1252; file
// names stay the file system's bytes and are not converted.
#pragma once

#include <optional>
#include <string>

namespace platform {

// The byte that stands for the code point in Windows-1252; empty when the
// code page has none. The five bytes that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of the
// same number, as Windows converts them, so every byte has a character.
std::optional<unsigned char> windows1252_byte(char32_t code_point);
std::string windows1252_to_utf8(const std::string& text);
// Empty when the text is not UTF-8 or holds a character that Windows-1252
// cannot hold.
std::optional<std::string> utf8_to_windows1252(const std::string& utf8);

}  // namespace platform
