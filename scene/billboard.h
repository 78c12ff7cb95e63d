// CBillboard: what the 2D and 3D billboards share, a textured, coloured square drawn with blending.
#pragma once

#include <GL/gl.h>

#include "scene/smartobject.h"
#include "utilitylib/vector4.h"

// position is the centre. The creator keeps a pointer; the object manager
// owns the billboard and deletes it.
class CBillboard : public CSmartObject {
 public:
  CBillboard();

  // 2D: full width as a fraction of the window width. 3D: half the side of
  // the square in scene units. Must be positive.
  void Set_Size(double size);
  double Get_Size() const { return size; }
  void Set_Texture_Id(int id);
  int Get_Texture_Id() const { return texture_id; }
  int Get_Size_X() const { return size_x; }

  CVector4 color{1, 1, 1, 1};  // alpha 0 suppresses drawing entirely
  int size_x = 0;  // texture image width in pixels
  int size_y = 0;  // texture image height in pixels
  GLenum blend_source = GL_SRC_ALPHA;
  GLenum blend_destination = GL_ONE_MINUS_SRC_ALPHA;

 protected:
  // Binds the texture, blends with the billboard's factors and draws one
  // textured quad through the four corners, (0, 0) to (0, 1) anticlockwise.
  void Draw_Quad(const CVector3 corners[4]) const;

 private:
  double size = 0;
  int texture_id = -1;
};
