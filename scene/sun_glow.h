// The Sun's glow image: white, with an alpha that falls exponentially from
// the centre to nothing at a radius of 128 pixels.
#pragma once

#include <cstdint>
#include <vector>

constexpr int SUN_GLOW_SIZE = 256;

// SUN_GLOW_SIZE x SUN_GLOW_SIZE RGBA bytes, row by row.
std::vector<uint8_t> Build_Sun_Glow_Image();

// Uploads the glow into the bound 2D texture: alpha only with plain linear
// filters on 16-bit displays, mipmapped RGBA otherwise.
void Upload_Sun_Glow(const std::vector<uint8_t>& rgba, int bits_per_pixel);
