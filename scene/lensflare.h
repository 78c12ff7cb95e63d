// CLensFlare: one element of the lens-flare chain, a scene object that places
// and tints its own 2D sprite along the line from the Sun through the screen centre.
#pragma once

#include "scene/smartobject.h"
#include "utilitylib/vector3.h"

class CBillboard2d;

class CLensFlare : public CSmartObject {
 public:
  // Draws size, sprite, brightness and tint at random and creates the
  // additive sprite (owned by the object manager).
  CLensFlare();

  // Follows TheSun: position, tint and the manager's shared intensity.
  void Update() override;

  // Places and tints the sprite for a Sun at sun_screen (normalised window
  // coordinates) with the given colour and fade-in level; every colour
  // component is clamped to [0, 1].
  void Follow_Sun(const CVector3& sun_screen, const CVector3& sun_color, double sun_fade,
                  double intensity);

  CBillboard2d* Get_Billboard() const { return PBillboard; }

  // 1 on the Sun, 0 at the screen centre, negative beyond it.
  double Offset = 0;
  double Brightness = 1;
  double RedFactor = 1;
  double GreenFactor = 1;
  double BlueFactor = 1;

 private:
  CBillboard2d* PBillboard = nullptr;
};
