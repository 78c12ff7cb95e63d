// CSpaceBackdrop: the huge surface carrying the nebula texture behind
// everything else, drawn first in every frame. While the camera circles the
// equator it is an open tube around the Earth's axis; with a geostationary
// viewpoint (GeoLocationCrc non-zero) it is a full sphere whose poles the
// worker blended to black.
#pragma once

#include "scene/smartobject.h"

struct GLUquadric;

class CSpaceBackdrop : public CSmartObject {
 public:
  // Radius of the sphere and of the tube, scene units.
  static constexpr double RADIUS = 160000;
  // Length of the tube, about once around it.
  static constexpr double TUBE_LENGTH = 1005440;
  // Fade gained per real second.
  static constexpr double FADE_RATE = 0.3;

  // Needs a ready CTextureMgr::NebulaTexture; takes its buffer, uploads it as
  // a mipmapped GL texture and becomes TheSpaceBackdrop (there is only ever
  // one). Window thread, GL context current.
  CSpaceBackdrop();
  ~CSpaceBackdrop() override;

  // Draws the tube or the sphere with the nebula texture, no lighting.
  void Special_Render_3d() override;
  // Fades in by the frame's real time.
  void Update() override;

  // Frees the nebula buffer if no backdrop took it. Call after the texture
  // worker has stopped.
  static void Prevent_Memory_Leak();

  double Get_Fade() const { return Fade; }

 private:
  GLUquadric* PQuadric = nullptr;
  double Fade = 0;
};

// The one live backdrop, or null.
extern CSpaceBackdrop* TheSpaceBackdrop;
