// CLight: a white positional light whose position goes through the current view.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <array>

#include "astro/light.h"
#include "support/offscreen_gl.h"
#include "utilitylib/vector3.h"

namespace {

using Rgba = std::array<float, 4>;

Rgba Light(GLenum light, GLenum term) {
  Rgba value{};
  glGetLightfv(light, term, value.data());
  return value;
}

using LightTest = OffscreenGlTest;

TEST_F(LightTest, init_enables_a_white_light) {
  CLight light;
  light.Init(GL_LIGHT1);
  EXPECT_TRUE(glIsEnabled(GL_LIGHT1));
  EXPECT_EQ(Light(GL_LIGHT1, GL_AMBIENT), (Rgba{1, 1, 1, 1}));
  EXPECT_EQ(Light(GL_LIGHT1, GL_DIFFUSE), (Rgba{1, 1, 1, 1}));
  EXPECT_EQ(Light(GL_LIGHT1, GL_SPECULAR), (Rgba{1, 1, 1, 1}));
}

TEST_F(LightTest, position_is_positional_and_taken_through_the_model_view_matrix) {
  CLight light;
  light.Init(GL_LIGHT0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  light.Set_Position(CVector3(0, 0, 149600));
  EXPECT_EQ(Light(GL_LIGHT0, GL_POSITION), (Rgba{0, 0, 149600, 1}));
  glTranslatef(0, 0, -300);
  light.Set_Position(CVector3(10, 20, 30));
  EXPECT_EQ(Light(GL_LIGHT0, GL_POSITION), (Rgba{10, 20, -270, 1}));
}

TEST_F(LightTest, lit_face_toward_the_light_is_brighter_than_one_facing_away) {
  CLight light;
  light.Init(GL_LIGHT0);
  glEnable(GL_LIGHTING);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-1, 1, -1, 1, -10, 10);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  light.Set_Position(CVector3(0, 0, 1000));
  // Left half faces the light (+Z), right half faces away: only ambient.
  glBegin(GL_QUADS);
  glNormal3f(0, 0, 1);
  glVertex2f(-1, -1);
  glVertex2f(0, -1);
  glVertex2f(0, 1);
  glVertex2f(-1, 1);
  glNormal3f(0, 0, -1);
  glVertex2f(0, -1);
  glVertex2f(1, -1);
  glVertex2f(1, 1);
  glVertex2f(0, 1);
  glEnd();
  const uint32_t lit = gl_.pixel(gl_.width() / 4, gl_.height() / 2) >> 24;
  const uint32_t dark = gl_.pixel(3 * gl_.width() / 4, gl_.height() / 2) >> 24;
  EXPECT_GT(lit, 200u);  // 0.2 ambient light term + 0.8 diffuse + global ambient
  EXPECT_LT(dark, 110u);  // ambient terms only
  EXPECT_GT(dark, 0u);
}

}  // namespace
