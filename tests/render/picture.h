// A PNG picture read back for tests, with measures over parts of it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // top row first

  // Reads an 8-bit PNG; false when it is missing or unreadable.
  bool Load(const std::string& path);
  // Mean of (r + g + b) / 3 over the box of normalised corners (x0, y0) to
  // (x1, y1), y downward from the top edge.
  double Mean_Brightness(double x0, double y0, double x1, double y1) const;
  // Pixels in that box whose brightest channel is above threshold.
  int Count_Bright(double x0, double y0, double x1, double y1, int threshold) const;
  // How many pixels in a row, starting at pixel (x, y) and stepping by (dx,
  // dy), have a brightest channel above threshold; the walk stops at the
  // first dark pixel or at the edge.
  int Lit_Run(int x, int y, int dx, int dy, int threshold) const;

 private:
  template <typename Visit>
  void For_Box(double x0, double y0, double x1, double y1, Visit visit) const;
};
