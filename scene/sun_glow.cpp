// The Sun's glow image and its upload.
#include "scene/sun_glow.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#include "utilitylib/utility.h"

namespace {

const double GLOW_RADIUS = 128;
const double GLOW_STEEPNESS = 5;

uint8_t Glow_Alpha(int row, int column) {
  const double di = row - GLOW_RADIUS;
  const double dj = column - GLOW_RADIUS;
  const double q = std::sqrt(di * di + dj * dj);
  const double e5 = std::exp(GLOW_STEEPNESS);
  const double alpha = 255 * (std::exp(GLOW_STEEPNESS * (1 - q / GLOW_RADIUS)) - 1) / e5;
  return static_cast<uint8_t>(std::clamp(alpha, 0.0, 255.0));
}

}  // namespace

std::vector<uint8_t> Build_Sun_Glow_Image() {
  std::vector<uint8_t> rgba(SUN_GLOW_SIZE * SUN_GLOW_SIZE * 4, 255);
  for (int i = 0; i < SUN_GLOW_SIZE; ++i) {
    for (int j = 0; j < SUN_GLOW_SIZE; ++j) rgba[(i * SUN_GLOW_SIZE + j) * 4 + 3] = Glow_Alpha(i, j);
  }
  return rgba;
}

void Upload_Sun_Glow(const std::vector<uint8_t>& rgba, int bits_per_pixel) {
  if (bits_per_pixel == 16) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, SUN_GLOW_SIZE, SUN_GLOW_SIZE, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, rgba.data());
    return;
  }
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  int rc = gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA8, SUN_GLOW_SIZE, SUN_GLOW_SIZE, GL_RGBA,
                             GL_UNSIGNED_BYTE, rgba.data());
  if (rc != 0) {
    rc = gluBuild2DMipmaps(GL_TEXTURE_2D, 4, SUN_GLOW_SIZE, SUN_GLOW_SIZE, GL_RGBA,
                           GL_UNSIGNED_BYTE, rgba.data());
  }
  ASSERT(rc == 0);
}
