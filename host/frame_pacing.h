// Frame pacing: frames run back to back, each paint asking for the next.
// Where the buffer swap waits for the display (a swap interval), that alone
// paces them; where it does not, the frame loop waits after the swap so that
// frames do not come faster than the display shows them. Window thread only.
#pragma once

#include <cstdint>

enum class FramePacing {
  None,           // no display shows the frames: as fast as they are drawn
  BufferSwap,     // the swap waits for the display's vertical blank
  WaitAfterSwap,  // the frame loop sleeps out the rest of each frame interval
};

FramePacing Choose_Frame_Pacing(int swap_interval, double refresh_hz);

// When the next frame may start, on the counter of `now`: one interval after
// the previous frame's start, or at once when that has passed. Starts are
// kept on that schedule, so a sleep that overshoots shortens the next one.
int64_t Next_Frame_Start(int64_t previous_start, int64_t now, int64_t interval);

// Chooses the pacing for the context's swap interval and the display's
// refresh rate, and logs it.
void Start_Frame_Pacing(int swap_interval, double refresh_hz);
// After each swap: sleeps until the next frame is due.
void Pace_Frame();
