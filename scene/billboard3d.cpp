// CBillboard3d: a square at a scene position that always faces the camera, drawn in the 3D pass.
#include "scene/billboard3d.h"

#include "astro/camera3d.h"
#include "utilitylib/utility.h"

namespace {

// position + size * (a * right + b * up)
CVector3 Offset(const CVector3& position, double size, const CVector3& right, double a,
                const CVector3& up, double b) {
  return CVector3(position.x + size * (a * right.x + b * up.x),
                  position.y + size * (a * right.y + b * up.y),
                  position.z + size * (a * right.z + b * up.z));
}

}  // namespace

void CBillboard3d::Get_Corners(const CVector3& right, const CVector3& up, CVector3 corners[4]) const {
  const double size = Get_Size();
  ASSERT(size > 0);
  const double s = size;
  corners[0] = Offset(position, s, right, -1, up, -1);
  corners[1] = Offset(position, s, right, +1, up, -1);
  corners[2] = Offset(position, s, right, +1, up, +1);
  corners[3] = Offset(position, s, right, -1, up, +1);
}

void CBillboard3d::Special_Render_3d() {
  if (color.w == 0) return;
  CBillboard::Special_Render_3d();
  // The model-view matrix's rows are the camera's axes in world coordinates.
  float m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  const CVector3 right(m[0], m[4], m[8]);
  const CVector3 up(m[1], m[5], m[9]);
  CVector3 corners[4];
  Get_Corners(right, up, corners);
  culled = false;
  if (TheCamera.Is_Sphere_Outside(position, Get_Size())) {
    culled = true;
    return;
  }
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glDisable(GL_DEPTH_TEST);
  Draw_Quad(corners);
  glEnable(GL_DEPTH_TEST);
  glPopMatrix();
}
