// Small JPEG images made on the fly for the decoder and loader tests.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

struct Rgb {
  uint8_t r, g, b;
};

// One scan of a progressive script: components by index, spectral range
// (ss to se) and successive approximation bits (ah, al).
struct ScanSpec {
  std::vector<int> components;
  int ss, se, ah, al;
};

struct JpegSample {
  int width = 16;
  int height = 8;
  int components = 3;  // 1 grey, 3 RGB, 4 CMYK
  bool progressive = false;
  int quality = 95;
  // A progressive scan script of its own; empty: the library's.
  std::vector<ScanSpec> scans;
  // Colour of pixel (x, y), y from the top; grey images use r.
  std::function<Rgb(int x, int y)> pixel = [](int x, int y) {
    return Rgb{uint8_t(x * 15), uint8_t(y * 30), 128};
  };
};

Bytes Encode_Jpeg(const JpegSample& sample);

// A progressive script for three components by spectral selection alone:
// the DC coefficients of all, then all AC coefficients of one component per
// scan, luma last. In an image of flat 8 x 8 tiles that last scan is a few
// bytes that still make the decoder visit every block.
std::vector<ScanSpec> Spectral_Script();

// A JPEG of four flat quadrants: red top left, green top right, blue bottom
// left, white bottom right.
Bytes Encode_Quadrants(int width, int height);

// Rewrites the frame header's width and height (the stream stays otherwise
// intact, so only the size check can refuse it).
void Patch_Frame_Size(Bytes& jpeg, int width, int height);

// The number of scans (start-of-scan markers) in a JPEG stream.
int Count_Scans(const Bytes& jpeg);

// The image with its last scan, and the tables sent just before it, repeated
// until the stream holds `scans` scans: a valid-looking file that keeps a
// decoder redoing the same work, as a crafted "ob3d_earth.jpg" does.
Bytes Repeat_Last_Scan(const Bytes& jpeg, int scans);

std::string As_String(const Bytes& bytes);

// A decoder buffer, freed at scope exit.
struct FreeBuffer {
  void operator()(uint8_t* buffer) const;
};
using Pixels = std::unique_ptr<uint8_t, FreeBuffer>;
