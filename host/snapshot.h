// The --snapshot mode: the normal start-up and a number of frames drawn
// offscreen (headless windows, EGL), the last one written as a PNG file.
//
// Every frame advances the program's clocks by exactly 1 / frame_rate
// seconds, and after the first frame the run waits for the texture worker,
// so a picture depends on the frame count, the rate and the start time, not
// on the speed of the machine.
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
  // Frames per second of simulated time. The saver sees this as its frame
  // rate, so it also decides how far the star field grows (below 24 it
  // stays at 2000 stars).
  int frame_rate = 30;
};

// Reads "--snapshot FILE.png [--size WxH] [--time YYYY-MM-DDTHH:MM:SSZ]
// [--frames N] [--rate FPS]" from argv[0..argc). False with the reason in *error.
bool Parse_Snapshot_Arguments(int argc, char** argv, SnapshotRequest* request,
                              std::string* error);
// "YYYY-MM-DDTHH:MM:SSZ" as seconds since the epoch; false when malformed.
bool Parse_Utc_Time(const char* text, int64_t* seconds);

// Runs the saver offscreen and writes the picture; the process exit code.
int Run_Snapshot(const SnapshotRequest& request);
