// CEarth: the textured globe at the origin, lit from the Sun, with an optional
// latitude/longitude grid; it fades in after creation.
#pragma once

#include "scene/celestialbody.h"

struct GLUquadric;

class CEarth : public CCelestialBody {
 public:
  // Loads the Earth map and becomes TheEarth; there is only ever one.
  CEarth();
  ~CEarth() override;

  // The Earth's true diameter 12.756 times the body-size multiplier.
  static double Get_Earth_Diameter();

  // Draws the globe (and grid) unless ShowEarth is off.
  void Special_Render_3d() override;
  // Fades in at 0.3 per real second up to 1, or 0.5 when transparent.
  void Update() override;

  // Opacity of the globe, 0 at creation.
  double Get_Fade() const { return fade; }

  static int TextureId;

 private:
  void Draw_Grid() const;

  double fade = 0;
  GLUquadric* quadric = nullptr;
  GLUquadric* grid_quadric = nullptr;
};

// The one live Earth, or null.
extern CEarth* TheEarth;
