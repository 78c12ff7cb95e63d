// Grows the nebula texture of the space backdrop on the texture worker:
// coloured plasma layers added up on black.
#pragma once

#include <atomic>

#include "textures/generated_texture.h"

class CVector4;

// How the nebulae are coloured (the NebulaColorEnum option).
enum NebulaColorMode {
  NEBULA_COLOR_CUSTOM = 0,   // CustomNebulaColor for every layer
  NEBULA_COLOR_RANDOM = 1,   // one random colour for every layer
  NEBULA_COLOR_MIXTURE = 2,  // a new random colour after each layer that showed enough
};

// The options the nebula texture depends on, copied before the worker starts.
struct CNebulaSettings {
  // Wanted mean of red + green + blue (0..765); layers are added until it is reached.
  int min_nebulae_quantity = 40;
  int nebula_color_enum = NEBULA_COLOR_MIXTURE;
  // 0x00BBGGRR, red in the low byte; the default is dark blue.
  int custom_nebula_color = 0x660000;
  // Non-zero: the camera hangs over a city and may look at the poles, so the
  // polar rows are blended to black.
  int geo_location_crc = 0;
};

class CNebulaGenerator {
 public:
  // No pixel's red + green + blue grows beyond this, half of full white.
  static constexpr double MAX_PIXEL_SUM = 382.5;
  // Component bounds of random colours: each below its limit, sum within the range.
  static constexpr int RED_LIMIT = 53;
  static constexpr int GREEN_LIMIT = 65;
  static constexpr int BLUE_LIMIT = 76;
  static constexpr double MIN_COLOR_SUM = 38.8;
  static constexpr double MAX_COLOR_SUM = 155.2;

  // Returns a 256 x 256 RGB image (coverage = mean of red + green + blue). A
  // set `bail` stops it between layers; it then returns what it has, without
  // the polar blending.
  static CGeneratedImage Create_Space_Data(const CNebulaSettings& settings,
                                           const std::atomic<bool>& bail);

  // A dark random colour with a bias to blue, full alpha, from the calling
  // thread's generator.
  static void Choose_Random_Color(CVector4& colour);
};
