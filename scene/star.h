// CStar: one point star on a shell around the Earth, and the class-wide
// population control that grows and shrinks the star field with the frame rate.
#pragma once

#include <cstdint>

#include "scene/smartobject.h"
#include "utilitylib/vector3.h"

class CStar : public CSmartObject {
 public:
  // Places the star at random where the camera can see it (a band around the
  // equator while circling, the whole shell above a city), with a pale tint
  // and a size of 1 or 2 pixels. It fades in from 0.
  CStar();
  ~CStar() override;

  // Draws the point unless it lies outside the view volume; outside costs one
  // plane test and no GL call.
  void Render_3d() override;
  // Fades in to full brightness over half a second of real time.
  void Update() override;
  // Stars may be removed to save frame time.
  bool Is_Disposable() override;

  const CVector3& Get_Color() const { return Color; }
  double Get_Point_Size() const { return PointSize; }
  double Get_Fade() const { return Fade; }

  // Once per frame, after the lens-flare visibility: grows the field to
  // NORMAL_STARS, beyond it to MAX_STARS while frames are fast, and trims it
  // while they are slow. Reads the millisecond clock and the timer.
  static void Update_Population();
  // One check of the population control with the given clock reading, sample
  // frame rate and real frame time; Update_Population feeds it.
  static void Check_Population(uint32_t now_ms, double sample_frame_rate, double frame_time_s);
  // Creates StarsPerStep stars while Count is below limit (ShowStars only).
  static void Add_Stars(int limit);
  // Removes the newest disposable object while more than NORMAL_STARS exist;
  // from then on one star is created per step.
  static void Reduce_Stars();

  static constexpr double MIN_RADIUS = 140000;
  static constexpr double MAX_RADIUS = 145000;
  static constexpr int NORMAL_STARS = 2000;
  static constexpr int MAX_STARS = 5000;
  static constexpr double FRAME_RATE_THRESHOLD = 24;
  static constexpr int FAST_CHECKS_TO_GROW = 150;
  static constexpr int SLOW_CHECKS_TO_REDUCE = 50;
  static constexpr uint32_t CHECK_INTERVAL_MS = 1;
  static constexpr int MAX_PLACEMENT_ATTEMPTS = 100;
  static constexpr int INITIAL_STARS_PER_STEP = 30;

  static int32_t Count;  // live stars
  static int32_t StarsPerStep;
  static uint32_t LastCheckMs;
  static int32_t FastChecks;
  static int32_t SlowChecks;

 private:
  void Pick_Size_And_Tint();
  void Place_On_Sphere();
  void Place_In_Band();

  CVector3 Color;
  double PointSize = 1;
  double Fade = 0;
};
