// PNG reading for picture tests through libpng's simplified interface.
#include "picture.h"

#include <png.h>

#include <algorithm>
#include <cstring>

bool Picture::Load(const std::string& path) {
  png_image image;
  memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  rgb.assign(PNG_IMAGE_SIZE(image), 0);
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  width = int(image.width);
  height = int(image.height);
  return true;
}

template <typename Visit>
void Picture::For_Box(double x0, double y0, double x1, double y1, Visit visit) const {
  const int left = std::clamp(int(x0 * width), 0, width);
  const int right = std::clamp(int(x1 * width), 0, width);
  const int top = std::clamp(int(y0 * height), 0, height);
  const int bottom = std::clamp(int(y1 * height), 0, height);
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) visit(&rgb[(size_t(y) * width + x) * 3]);
}

double Picture::Mean_Brightness(double x0, double y0, double x1, double y1) const {
  double sum = 0;
  int count = 0;
  For_Box(x0, y0, x1, y1, [&](const uint8_t* p) {
    sum += (p[0] + p[1] + p[2]) / 3.0;
    ++count;
  });
  return count ? sum / count : 0;
}

int Picture::Count_Bright(double x0, double y0, double x1, double y1, int threshold) const {
  int count = 0;
  For_Box(x0, y0, x1, y1, [&](const uint8_t* p) {
    if (std::max({p[0], p[1], p[2]}) > threshold) ++count;
  });
  return count;
}

int Picture::Lit_Run(int x, int y, int dx, int dy, int threshold) const {
  int count = 0;
  for (; x >= 0 && x < width && y >= 0 && y < height; x += dx, y += dy, ++count) {
    const uint8_t* p = &rgb[(size_t(y) * width + x) * 3];
    if (std::max({p[0], p[1], p[2]}) <= threshold) break;
  }
  return count;
}
