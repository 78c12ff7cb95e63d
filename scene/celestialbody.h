// CCelestialBody: a scene object with a diameter, a distance from the Earth's
// centre and a material; the common base of the Earth, the Moon and the Sun.
#pragma once

#include <functional>

#include "astro/material.h"
#include "scene/smartobject.h"

struct GLUquadric;

class CCelestialBody : public CSmartObject {
 public:
  CCelestialBody();
  ~CCelestialBody() override = default;

  // Scene units (1000 km); must be positive.
  void Set_Diameter(double diameter);
  // From the Earth's centre, scene units; must not be negative.
  void Set_Distance(double distance);
  double Get_Diameter() const { return diameter; }
  double Get_Distance() const { return distance; }

  // 1 (true scale) to 25 by FactorBodySize, read on every call. Every body's
  // diameter is its true diameter times this; distances are never scaled.
  static double Get_Size_Multiplier();

 protected:
  // A new GL texture name, bound while fill uploads the image; then glFinish.
  static int Create_Texture(const std::function<void()>& fill);
  // fade raised by rate per real second of this frame, at most cap.
  static double Fade_In(double fade, double rate, double cap);

  // Grey diffuse at opacity 0 and ambient at FactorDarkSideBrightness, so the
  // dark side keeps that much of its texture.
  void Init_Surface_Material();
  // The diffuse alpha, for fading in.
  void Set_Surface_Opacity(double opacity);
  // Blending for a body that has not faded in fully (opacity below 1); End
  // takes the same opacity as Begin.
  static void Begin_Fade_Blend(double opacity);
  static void End_Fade_Blend(double opacity);
  // Lit, textured sphere of the body's diameter around the current origin.
  // Lighting stays on for the caller to switch off.
  void Draw_Lit_Sphere(GLUquadric* quadric, int texture_id, int slices) const;

  CMaterial material;

 private:
  double diameter = 0;
  double distance = 0;
};
