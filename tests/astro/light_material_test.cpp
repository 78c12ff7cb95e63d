// CLight and CMaterial: the white positional light through the current view, the
// material's terms on both faces, bad values fatal.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <array>

#include "astro/light.h"
#include "astro/material.h"
#include "support/death_message.h"
#include "support/offscreen_gl.h"
#include "utilitylib/vector3.h"

namespace {

using Rgba = std::array<float, 4>;

// Four values of GL state through glGetLightfv or glGetMaterialfv (which
// share their type, calling convention included on Windows).
Rgba Read(decltype(&glGetLightfv) get, GLenum which, GLenum term) {
  Rgba value{};
  get(which, term, value.data());
  return value;
}

float Shininess(GLenum face) {
  float value = -1;
  glGetMaterialfv(face, GL_SHININESS, &value);
  return value;
}

using LightTest = OffscreenGlTest;
using MaterialTest = OffscreenGlTest;

TEST_F(LightTest, init_enables_a_white_light) {
  CLight light;
  light.Init(GL_LIGHT1);
  EXPECT_TRUE(glIsEnabled(GL_LIGHT1));
  EXPECT_EQ(Read(glGetLightfv, GL_LIGHT1, GL_AMBIENT), (Rgba{1, 1, 1, 1}));
  EXPECT_EQ(Read(glGetLightfv, GL_LIGHT1, GL_DIFFUSE), (Rgba{1, 1, 1, 1}));
  EXPECT_EQ(Read(glGetLightfv, GL_LIGHT1, GL_SPECULAR), (Rgba{1, 1, 1, 1}));
}

TEST_F(LightTest, position_is_positional_and_taken_through_the_model_view_matrix) {
  CLight light;
  light.Init(GL_LIGHT0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  light.Set_Position(CVector3(0, 0, 149600));
  EXPECT_EQ(Read(glGetLightfv, GL_LIGHT0, GL_POSITION), (Rgba{0, 0, 149600, 1}));
  glTranslatef(0, 0, -300);
  light.Set_Position(CVector3(10, 20, 30));
  EXPECT_EQ(Read(glGetLightfv, GL_LIGHT0, GL_POSITION), (Rgba{10, 20, -270, 1}));
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



TEST_F(MaterialTest, default_material_restores_the_gl_default_material) {
  const Rgba gl_ambient = Read(glGetMaterialfv, GL_FRONT, GL_AMBIENT);
  const Rgba gl_diffuse = Read(glGetMaterialfv, GL_FRONT, GL_DIFFUSE);
  const Rgba gl_specular = Read(glGetMaterialfv, GL_FRONT, GL_SPECULAR);
  const Rgba gl_emission = Read(glGetMaterialfv, GL_FRONT, GL_EMISSION);
  CMaterial changed;
  changed.Set_Ambient(1, 0, 0, 1);
  changed.Set_Diffuse(0, 1, 0, 1);
  changed.Set_Specular(0, 0, 1, 1);
  changed.Set_Emission(0.5f, 0.5f, 0.5f, 1);
  changed.Set_Shininess(64);
  changed.Apply();
  CMaterial().Apply();
  for (GLenum face : {GL_FRONT, GL_BACK}) {
    EXPECT_EQ(Read(glGetMaterialfv, face, GL_AMBIENT), gl_ambient);
    EXPECT_EQ(Read(glGetMaterialfv, face, GL_DIFFUSE), gl_diffuse);
    EXPECT_EQ(Read(glGetMaterialfv, face, GL_SPECULAR), gl_specular);
    EXPECT_EQ(Read(glGetMaterialfv, face, GL_EMISSION), gl_emission);
    EXPECT_EQ(Shininess(face), 0);
  }
}

TEST(MaterialDeathTest, components_and_shininess_outside_their_ranges_are_fatal) {
  CMaterial material;
  EXPECT_EXIT(material.Set_Ambient(-0.1f, 0, 0, 1), ::testing::ExitedWithCode(1),
              "material " ASSERTION_LINE_RE " Assert: r >= 0 && r <= 1");
  EXPECT_EXIT(material.Set_Diffuse(0, 1.5f, 0, 1), ::testing::ExitedWithCode(1), "Assert: g >= 0 && g <= 1");
  EXPECT_EXIT(material.Set_Specular(0, 0, 2, 1), ::testing::ExitedWithCode(1), "Assert: b >= 0 && b <= 1");
  EXPECT_EXIT(material.Set_Emission(0, 0, 0, -1), ::testing::ExitedWithCode(1), "Assert: a >= 0 && a <= 1");
  EXPECT_EXIT(material.Set_Shininess(129), ::testing::ExitedWithCode(1),
              "Assert: shininess >= 0 && shininess <= 128");
}

}  // namespace
