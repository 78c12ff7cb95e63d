// Latin-1 <-> UTF-8 at the edges where the program's single-byte text meets
// UTF-8 (toolkits, file names, terminals).
#pragma once

#include <optional>
#include <string>

namespace platform {

std::string latin1_to_utf8(const std::string& latin1);
// Empty when the text holds a character outside Latin-1 or is not UTF-8.
std::optional<std::string> utf8_to_latin1(const std::string& utf8);

}  // namespace platform
