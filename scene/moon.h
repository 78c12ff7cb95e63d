// CMoon: the textured Moon at its true place, over the sub-lunar point at the
// ephemeris distance, lit by the scene light so that its phase shows.
#pragma once

#include <cstdint>

#include "scene/celestialbody.h"

struct GLUquadric;

class CMoon : public CCelestialBody {
 public:
  // Loads the Moon map and becomes TheMoon; there is only ever one.
  CMoon();
  ~CMoon() override;

  // Draws the Moon and, with ShowLines, the line from the Earth's centre,
  // unless the camera cannot see it.
  void Special_Render_3d() override;
  // Moves to the sub-lunar point for the simulation time; fades in.
  void Update() override;

  double Get_Latitude() const { return latitude; }
  double Get_Longitude() const { return longitude; }
  double Get_Fade() const { return fade; }

  // The Moon's place in scene units at a time in seconds since 1970 UTC.
  static CVector3 Position_At(int64_t seconds, double* latitude, double* longitude);

  static int TextureId;

 private:
  void Draw_Sphere() const;

  double latitude = 0;
  double longitude = 0;
  double fade = 0;
  GLUquadric* quadric = nullptr;
};

// The one live Moon, or null.
extern CMoon* TheMoon;
