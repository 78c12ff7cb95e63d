// Writing a picture as a PNG file (libpng).
#pragma once

#include <string>

namespace platform {

// Writes width x height RGBA pixels, given bottom row first as GL reads
// them, as an 8-bit RGB PNG with the top row first. False with a reason in
// *error when the file cannot be written; no partial file is left behind.
bool Write_Png(const std::string& path, int width, int height, const unsigned char* rgba,
               std::string* error);

}  // namespace platform
