// CCloudLayer: the translucent shell of clouds and atmosphere haze around the
// Earth. It uploads the texture the worker grew, tumbles slowly (only with a
// hardware-accelerated renderer), fades in and is drawn right after the Earth.
// It is a sphere lit like the Earth, so it shares the bodies' surface helpers.
#pragma once

#include "scene/celestialbody.h"
#include "utilitylib/vector3.h"

struct GLUquadric;

class CCloudLayer : public CCelestialBody {
 public:
  // The shell is this much larger than the Earth.
  static constexpr double DIAMETER_FACTOR = 1.025;
  // Tumble rates about each axis lie within +-this, degrees per simulated second.
  static constexpr double MAX_ROTATION_RATE = 2.15;
  // Fade gained per real second.
  static constexpr double FADE_RATE = 0.3;

  // Needs TheEarth and a ready CTextureMgr::CloudTexture; takes its buffer and
  // uploads it as a mipmapped GL texture. Window thread, GL context current.
  CCloudLayer();
  ~CCloudLayer() override;

  // Draws the lit, textured shell, blended over the Earth, depth test off.
  void Special_Render_3d() override;
  // Tumbles by the frame's simulated time and fades in by its real time.
  void Update() override;

  // Frees the cloud buffer if no cloud layer took it. Call after the texture
  // worker has stopped.
  static void Prevent_Memory_Leak();

  // Cloud layers constructed so far in this process.
  static int Get_Layer_Count() { return LayerCount; }

  double Get_Fade() const { return Fade; }
  const CVector3& Get_Rotation_Rate() const { return RotationRate; }
  const CVector3& Get_Rotation_Angle() const { return RotationAngle; }

 private:
  static int LayerCount;

  CVector3 RotationRate;
  CVector3 RotationAngle;
  GLUquadric* PQuadric = nullptr;
  double Fade = 0;
};
