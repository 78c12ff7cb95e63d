// An offscreen GL context for render tests: EGL on Mesa's surfaceless
// platform, so tests draw and read pixels back with no display.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/gl_context.h"

// Creates a context of the given size and makes it current on the calling
// thread; releases and deletes it at scope exit.
class OffscreenGl {
 public:
  OffscreenGl(int width = 64, int height = 64);
  ~OffscreenGl();
  OffscreenGl(const OffscreenGl&) = delete;
  OffscreenGl& operator=(const OffscreenGl&) = delete;

  bool ok() const { return ok_; }
  int width() const { return width_; }
  int height() const { return height_; }
  const platform::ContextInfo& info() const { return info_; }
  // Replaces the drawable with one of the new size; the context stays current.
  void resize(int width, int height);

  // The whole framebuffer as RGBA, bottom row first (glReadPixels order).
  std::vector<uint8_t> read_pixels() const;
  // One pixel as 0xRRGGBBAA, x from the left, y from the bottom.
  uint32_t pixel(int x, int y) const;

 private:
  platform::ContextApi context_{};
  platform::ContextInfo info_{};
  int width_;
  int height_;
  bool ok_ = false;
};

// Fixture: every test gets a fresh current context of 64 x 64 pixels.
class OffscreenGlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl_.ok()) << "no offscreen GL context (EGL surfaceless)";
  }
  OffscreenGl gl_;
};
