// The --snapshot mode: the normal start-up and a number of frames drawn
// offscreen (headless windows, EGL), the last one written as a PNG file.
//
// Every frame advances the program's clocks by exactly FRAME_STEP_S, and
// after the first frame the run waits for the texture worker, so a picture
// depends on the frame count and the start time, not on the speed of the
// machine.
#pragma once

#include <cstdint>
#include <string>

struct SnapshotRequest {
  std::string file;
  int width = 1024;
  int height = 768;
  // Seconds since 1970-01-01 00:00 UTC at which the simulation clock starts.
  int64_t start_time = 0;
  bool start_time_given = false;
  int frames = 150;
};

constexpr double FRAME_STEP_S = 1.0 / 30.0;

// Reads "--snapshot FILE.png [--size WxH] [--time YYYY-MM-DDTHH:MM:SSZ]
// [--frames N]" from argv[0..argc). False with the reason in *error.
bool Parse_Snapshot_Arguments(int argc, char** argv, SnapshotRequest* request,
                              std::string* error);
// "YYYY-MM-DDTHH:MM:SSZ" as seconds since the epoch; false when malformed.
bool Parse_Utc_Time(const char* text, int64_t* seconds);

// Runs the saver offscreen and writes the picture; the process exit code.
int Run_Snapshot(const SnapshotRequest& request);
