// CLight: the scene's one positional GL light, placed at the Sun every frame.
#pragma once

#include <GL/gl.h>

class CVector3;

class CLight {
 public:
  // Enables the GL light with white ambient, diffuse and specular colours.
  void Init(GLenum gl_light);
  // Sends p as a positional light. Call after the camera's Apply, so that the
  // position is taken in world coordinates.
  void Set_Position(const CVector3& p);

 private:
  GLenum light = GL_LIGHT0;
  float position[4] = {0, 0, 0, 1};
};
