// CMaterial: defaults equal GL's own, the terms reach GL for both faces, bad values are fatal.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <array>

#include "astro/material.h"
#include "support/offscreen_gl.h"

namespace {

using Rgba = std::array<float, 4>;

Rgba Material(GLenum face, GLenum term) {
  Rgba value{};
  glGetMaterialfv(face, term, value.data());
  return value;
}

float Shininess(GLenum face) {
  float value = -1;
  glGetMaterialfv(face, GL_SHININESS, &value);
  return value;
}

using MaterialTest = OffscreenGlTest;

TEST_F(MaterialTest, default_material_restores_the_gl_default_material) {
  const Rgba gl_ambient = Material(GL_FRONT, GL_AMBIENT);
  const Rgba gl_diffuse = Material(GL_FRONT, GL_DIFFUSE);
  const Rgba gl_specular = Material(GL_FRONT, GL_SPECULAR);
  const Rgba gl_emission = Material(GL_FRONT, GL_EMISSION);
  CMaterial changed;
  changed.Set_Ambient(1, 0, 0, 1);
  changed.Set_Diffuse(0, 1, 0, 1);
  changed.Set_Specular(0, 0, 1, 1);
  changed.Set_Emission(0.5f, 0.5f, 0.5f, 1);
  changed.Set_Shininess(64);
  changed.Apply();
  CMaterial().Apply();
  for (GLenum face : {GL_FRONT, GL_BACK}) {
    EXPECT_EQ(Material(face, GL_AMBIENT), gl_ambient);
    EXPECT_EQ(Material(face, GL_DIFFUSE), gl_diffuse);
    EXPECT_EQ(Material(face, GL_SPECULAR), gl_specular);
    EXPECT_EQ(Material(face, GL_EMISSION), gl_emission);
    EXPECT_EQ(Shininess(face), 0);
  }
}

TEST_F(MaterialTest, apply_sends_every_term_to_both_faces) {
  CMaterial material;
  material.Set_Ambient(0.25f, 0.5f, 0.75f, 1);
  material.Set_Diffuse(0.8f, 0.8f, 0.8f, 0.5f);
  material.Set_Shininess(128);
  material.Apply();
  for (GLenum face : {GL_FRONT, GL_BACK}) {
    EXPECT_EQ(Material(face, GL_AMBIENT), (Rgba{0.25f, 0.5f, 0.75f, 1}));
    EXPECT_EQ(Material(face, GL_DIFFUSE), (Rgba{0.8f, 0.8f, 0.8f, 0.5f}));
    EXPECT_EQ(Shininess(face), 128);
  }
}

TEST(MaterialDeathTest, components_and_shininess_outside_their_ranges_are_fatal) {
  CMaterial material;
  EXPECT_EXIT(material.Set_Ambient(-0.1f, 0, 0, 1), ::testing::ExitedWithCode(1),
              "material \\([0-9]+\\) Assert: r >= 0 && r <= 1");
  EXPECT_EXIT(material.Set_Diffuse(0, 1.5f, 0, 1), ::testing::ExitedWithCode(1), "Assert: g >= 0 && g <= 1");
  EXPECT_EXIT(material.Set_Specular(0, 0, 2, 1), ::testing::ExitedWithCode(1), "Assert: b >= 0 && b <= 1");
  EXPECT_EXIT(material.Set_Emission(0, 0, 0, -1), ::testing::ExitedWithCode(1), "Assert: a >= 0 && a <= 1");
  EXPECT_EXIT(material.Set_Shininess(129), ::testing::ExitedWithCode(1),
              "Assert: shininess >= 0 && shininess <= 128");
}

}  // namespace
