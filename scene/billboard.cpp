// CBillboard: what the 2D and 3D billboards share, a textured, coloured square drawn with blending.
#include "scene/billboard.h"

#include "utilitylib/utility.h"

CBillboard::CBillboard() { CUtility::Log("CBillboard::CBillboard\n"); }

void CBillboard::Set_Size(double size) {
  ASSERT(size > 0);
  this->size = size;
}

void CBillboard::Set_Texture_Id(int id) {
  ASSERT(id >= 0);
  texture_id = id;
}

void CBillboard::Draw_Quad(const CVector3 corners[4]) const {
  static const float TEXTURE_COORDINATES[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  glEnable(GL_TEXTURE_2D);
  ASSERT(Get_Texture_Id() >= 0);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture_id));
  glEnable(GL_BLEND);
  glBlendFunc(blend_source, blend_destination);
  glColor4d(color.x, color.y, color.z, color.w);
  glBegin(GL_QUADS);
  for (int i = 0; i < 4; ++i) {
    glTexCoord2fv(TEXTURE_COORDINATES[i]);
    glVertex3d(corners[i].x, corners[i].y, corners[i].z);
  }
  glEnd();
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
}
