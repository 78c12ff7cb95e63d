// PNG files through libpng's simplified write interface.
#include "platform/png_writer.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace platform {

bool Write_Png(const std::string& path, int width, int height, const unsigned char* rgba,
               std::string* error) {
  if (width <= 0 || height <= 0 || !rgba) {
    *error = "no picture to write";
    return false;
  }
  png_image image;
  memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(width);
  image.height = png_uint_32(height);
  image.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> rgb(size_t(width) * size_t(height) * 3);
  for (size_t i = 0, n = size_t(width) * size_t(height); i < n; ++i) {
    memcpy(&rgb[i * 3], rgba + i * 4, 3);
  }
  // A negative row stride starts at the last row: GL's bottom-up order.
  const png_int_32 stride = -png_int_32(width * 3);
  const std::string partial = path + ".partial";
  if (!png_image_write_to_file(&image, partial.c_str(), 0, rgb.data(),
                               stride, nullptr)) {
    *error = image.message[0] ? image.message : "cannot write the file";
    png_image_free(&image);
    remove(partial.c_str());
    return false;
  }
  // std::filesystem::rename replaces an existing file on Windows too, where
  // the C library's rename refuses to.
  std::error_code renamed;
  std::filesystem::rename(partial, path, renamed);
  if (renamed) {
    *error = "cannot replace the file: " + renamed.message();
    remove(partial.c_str());
    return false;
  }
  return true;
}

}  // namespace platform
