// CMaterial: the colour terms and shininess of a lit surface, applied to both faces.
#include "astro/material.h"

#include <GL/gl.h>

#include "utilitylib/utility.h"

namespace {

void Store_Color(float* target, float r, float g, float b, float a) {
  ASSERT(r >= 0 && r <= 1);
  ASSERT(g >= 0 && g <= 1);
  ASSERT(b >= 0 && b <= 1);
  ASSERT(a >= 0 && a <= 1);
  target[0] = r;
  target[1] = g;
  target[2] = b;
  target[3] = a;
}

}  // namespace

CMaterial::CMaterial() {
  Set_Ambient(0.2f, 0.2f, 0.2f, 1);
  Set_Diffuse(0.8f, 0.8f, 0.8f, 1);
  Set_Specular(0, 0, 0, 1);
  Set_Emission(0, 0, 0, 1);
  Set_Shininess(0);
}

void CMaterial::Set_Ambient(float r, float g, float b, float a) { Store_Color(ambient, r, g, b, a); }

void CMaterial::Set_Diffuse(float r, float g, float b, float a) { Store_Color(diffuse, r, g, b, a); }

void CMaterial::Set_Specular(float r, float g, float b, float a) { Store_Color(specular, r, g, b, a); }

void CMaterial::Set_Emission(float r, float g, float b, float a) { Store_Color(emission, r, g, b, a); }

void CMaterial::Set_Shininess(float shininess) {
  ASSERT(shininess >= 0 && shininess <= 128);
  this->shininess = shininess;
}

void CMaterial::Apply() const {
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, emission);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, shininess);
}
