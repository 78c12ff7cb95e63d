// CTimer: real frame timing, frame rates and the accelerated simulation clock.
//
// One timer for the whole program, used on the window thread only. Frame
// times come from the performance counter, the simulation clock from the
// timeGetTime-style millisecond clock, the slow-frame warning from the
// GetTickCount-style one.
#pragma once

#include <cstdint>

class CTimer {
 public:
  static void Init();
  // normalized_scalar 0..1 maps linearly onto 1..30000 times real time.
  static void Set_Time_Acceleration(double normalized_scalar);
  // Once per frame, before anything updates.
  static void Tick();

  // Seconds since 1970-01-01 00:00 UTC as the scene shows them. 64-bit, so
  // that the saver keeps working once the real clock is past January 2038.
  static int64_t Get_Simulation_Time();
  // True exactly while the frame count is DIAGNOSTIC_FRAME.
  static bool Is_Diagnostic_Frame();

  static double Get_Frame_Time_S();
  static double Get_Frame_Sim_Time_S();
  static double Get_Elapsed_Time_S();
  static uint32_t Get_Frame_Count();
  static double Get_Sample_Frame_Rate();
  static double Get_Average_Frame_Rate();
  static double Get_Time_Acceleration();

  static constexpr uint32_t DIAGNOSTIC_FRAME = 500;
  static constexpr double MAX_TIME_ACCELERATION = 30000.0;
  static constexpr uint32_t SLOW_FRAME_MS = 200;
};
