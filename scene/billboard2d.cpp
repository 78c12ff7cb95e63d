// CBillboard2d: a sprite in normalised window coordinates, drawn in the overlay pass.
#include "scene/billboard2d.h"

#include <GL/glu.h>

#include "host/resolution.h"
#include "utilitylib/utility.h"

// The height follows the window's aspect, so that a sprite keeps its shape in
// a window of any shape.
void CBillboard2d::Get_Corners(double window_width, double window_height, CVector3 corners[4]) const {
  const double size = Get_Size();
  ASSERT(size > 0);
  ASSERT(Get_Size_X() > 0);
  const double h = size / 2;
  const double hy = window_width * (size_y * h / size_x) / window_height;
  const double x = position.x;
  const double y = 1 - position.y;
  corners[0].Set(x - h, y - hy, 0);
  corners[1].Set(x + h, y - hy, 0);
  corners[2].Set(x + h, y + hy, 0);
  corners[3].Set(x - h, y + hy, 0);
}

void CBillboard2d::Render_2d() {
  if (color.w == 0) return;
  CVector3 corners[4];
  Get_Corners(CResolution::Get_Window_Width(), CResolution::Get_Window_Height(), corners);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluOrtho2D(0, 1, 0, 1);
  Draw_Quad(corners);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
}
