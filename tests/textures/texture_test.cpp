#include <GL/gl.h>
#include <gtest/gtest.h>

#include "support/offscreen_gl.h"

TEST(OffscreenGl, ClearsAndReadsBackAndFollowsResize) {
  OffscreenGl gl(32, 16);
  ASSERT_TRUE(gl.ok());
  EXPECT_GE(gl.info().depth_bits, 16);
  glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  EXPECT_EQ(gl.pixel(31, 15), 0xff0000ffu);

  gl.resize(100, 50);
  glViewport(0, 0, 100, 50);
  glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  EXPECT_EQ(gl.pixel(99, 49), 0x0000ffffu);
  EXPECT_EQ(gl.read_pixels().size(), 100u * 50u * 4u);
}
