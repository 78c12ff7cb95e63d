#include "support/offscreen_gl.h"

#include <GL/gl.h>

#include "platform/platform.h"

OffscreenGl::OffscreenGl(int width, int height) : width_(width), height_(height) {
  platform::connect_offscreen_context(context_);
  ok_ = context_.create(0, width, height, platform::ContextRequest{}, &info_);
}

OffscreenGl::~OffscreenGl() {
  if (ok_) context_.destroy();
}

void OffscreenGl::resize(int width, int height) {
  context_.resize(width, height);
  width_ = width;
  height_ = height;
}

std::vector<uint8_t> OffscreenGl::read_pixels() const {
  std::vector<uint8_t> pixels(size_t(width_) * height_ * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

uint32_t OffscreenGl::pixel(int x, int y) const {
  uint8_t rgba[4] = {0, 0, 0, 0};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return uint32_t(rgba[0]) << 24 | uint32_t(rgba[1]) << 16 | uint32_t(rgba[2]) << 8 | rgba[3];
}
