// CBillboard3d: a square at a scene position that always faces the camera, drawn in the 3D pass.
#pragma once

#include "scene/billboard.h"

// Drawn without depth test, so it neither hides nor is hidden by what came
// before it; anything drawn later with the depth test covers it.
class CBillboard3d : public CBillboard {
 public:
  void Special_Render_3d() override;

  // Corners of the square of half side Get_Size() around position, spanned by
  // the camera's right and up vectors; lower left first, anticlockwise.
  void Get_Corners(const CVector3& right, const CVector3& up, CVector3 corners[4]) const;
};
