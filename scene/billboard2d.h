// CBillboard2d: a sprite in normalised window coordinates, drawn in the overlay pass.
#pragma once

#include "scene/billboard.h"

// position.x runs from the left edge (0) to the right (1), position.y from the
// top edge (0) down to the bottom (1). The sprite keeps the texture image's
// aspect ratio on screen.
class CBillboard2d : public CBillboard {
 public:
  void Render_2d() override;

  // Corners in GL's overlay frame (y up), lower left first, anticlockwise,
  // for a window of the given size in pixels.
  void Get_Corners(double window_width, double window_height, CVector3 corners[4]) const;
};
