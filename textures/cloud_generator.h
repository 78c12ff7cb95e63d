// Grows the cloud-shell texture on the texture worker: white clouds in alpha,
// optionally over a uniform atmosphere haze.
#pragma once

#include <atomic>

#include "textures/generated_texture.h"

// The options the cloud texture depends on, copied before the worker starts.
struct CCloudSettings {
  bool show_clouds = true;
  bool show_atmosphere = true;
  // Wanted mean alpha on a 0..255 scale; layers are added until it is reached.
  int min_cloud_quantity = 40;
  // No cloud layer was made before in this process: only the first one
  // gets the haze.
  bool first_cloud_layer = true;
};

class CCloudGenerator {
 public:
  // Alpha the atmosphere haze gives every pixel at least.
  static constexpr int ATMOSPHERE_ALPHA = 45;

  // Returns a 256 x 256 RGBA image (coverage = mean alpha). A set `bail`
  // stops it between layers; it then returns what it has, without the polar
  // blending and the atmosphere.
  static CGeneratedImage Create_Cloud_Data(const CCloudSettings& settings,
                                           const std::atomic<bool>& bail);

  // Makes every pixel white and raises alpha to at least ATMOSPHERE_ALPHA.
  static void Add_Atmosphere(unsigned char* CloudData, int width, int height, int components);
};
