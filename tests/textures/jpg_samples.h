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

struct JpegSample {
  int width = 16;
  int height = 8;
  int components = 3;  // 1 grey, 3 RGB, 4 CMYK
  bool progressive = false;
  int quality = 95;
  // Colour of pixel (x, y), y from the top; grey images use r.
  std::function<Rgb(int x, int y)> pixel = [](int x, int y) {
    return Rgb{uint8_t(x * 15), uint8_t(y * 30), 128};
  };
};

Bytes Encode_Jpeg(const JpegSample& sample);

// A JPEG of four flat quadrants: red top left, green top right, blue bottom
// left, white bottom right.
Bytes Encode_Quadrants(int width, int height);

// Rewrites the frame header's width and height (the stream stays otherwise
// intact, so only the size check can refuse it).
void Patch_Frame_Size(Bytes& jpeg, int width, int height);

std::string As_String(const Bytes& bytes);

// A decoder buffer, freed at scope exit.
struct FreeBuffer {
  void operator()(uint8_t* buffer) const;
};
using Pixels = std::unique_ptr<uint8_t, FreeBuffer>;
