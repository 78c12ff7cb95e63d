// CLight: the scene's one positional GL light, placed at the Sun every frame.
#include "astro/light.h"

#include "utilitylib/utility.h"
#include "utilitylib/vector3.h"

void CLight::Init(GLenum gl_light) {
  CUtility::Log("CLight::Init\n");
  light = gl_light;
  glEnable(light);
  const float white[4] = {1, 1, 1, 1};
  glLightfv(light, GL_DIFFUSE, white);
  glLightfv(light, GL_AMBIENT, white);
  glLightfv(light, GL_SPECULAR, white);
  position[0] = position[1] = position[2] = 0;
  position[3] = 1;
}

void CLight::Set_Position(const CVector3& p) {
  p.To_Float_Array(position);
  glLightfv(light, GL_POSITION, position);
}
