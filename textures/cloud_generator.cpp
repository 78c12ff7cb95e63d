// Cloud texture: plasma layers combined by maximum, so coverage only grows.
#include "textures/cloud_generator.h"

#include "textures/noise_layers.h"
#include "textures/proceduraltexture.h"
#include "utilitylib/utility.h"
#include "utilitylib/vector4.h"

namespace {

using noise_layers::SIZE;

// Clear where the plasma is low, white cloud where it is high.
const CVector4 CLEAR_WHITE(255, 255, 255, 0);
const CVector4 OPAQUE_WHITE(255, 255, 255, 255);

// Raises every byte of the clouds to the layer's, rows shifted with wrap-around.
void Combine_By_Maximum(unsigned char* clouds, const unsigned char* layer, int shift) {
  for (int i = 0; i < SIZE; ++i) {
    const unsigned char* source = layer + noise_layers::Source_Row(i, shift) * SIZE * 4;
    unsigned char* destination = clouds + i * SIZE * 4;
    for (int b = 0; b < SIZE * 4; ++b) {
      if (source[b] > destination[b]) destination[b] = source[b];
    }
  }
}

double Mean_Alpha(const unsigned char* clouds) {
  long sum = 0;
  for (int p = 0; p < noise_layers::PIXELS; ++p) sum += clouds[p * 4 + 3];
  return double(sum) / noise_layers::PIXELS;
}

}  // namespace

CGeneratedImage CCloudGenerator::Create_Cloud_Data(const CCloudSettings& settings,
                                                   const std::atomic<bool>& bail) {
  CGeneratedImage clouds;
  clouds.pixels = std::make_unique<unsigned char[]>(noise_layers::RGBA_BYTES);
  unsigned char* data = clouds.pixels.get();
  if (settings.show_clouds) {
    clouds.layers = noise_layers::Grow(
        settings.min_cloud_quantity, bail,
        [data](unsigned char* scratch) {
          CProceduralTexture::Create_Midpoint_Texture(scratch, SIZE, SIZE, 4, CLEAR_WHITE,
                                                      OPAQUE_WHITE);
          Combine_By_Maximum(data, scratch, noise_layers::Random_Shift());
          return Mean_Alpha(data);
        },
        clouds.coverage);
    if (bail.load(std::memory_order_relaxed)) return clouds;
    // Alpha fades to 0 towards the poles, where the sphere's seams meet.
    CProceduralTexture::Clear_Poles(data, SIZE, SIZE, 4, CLEAR_WHITE);
  }
  if (!bail.load(std::memory_order_relaxed) && settings.show_atmosphere &&
      settings.first_cloud_layer) {
    Add_Atmosphere(data, SIZE, SIZE, 4);
    clouds.coverage = Mean_Alpha(data);
  }
  return clouds;
}

void CCloudGenerator::Add_Atmosphere(unsigned char* CloudData, int width, int height,
                                     int components) {
  ASSERT(CloudData != NULL);
  ASSERT(width > 0);
  ASSERT(height > 0);
  ASSERT(components == 4);
  ASSERT(width == height);
  CUtility::Log("CCloudLayer::Add_Atmosphere(%d, %d, %d)\n", width, height, components);
  for (int p = 0; p < width * height; ++p) {
    unsigned char* pixel = CloudData + p * 4;
    pixel[0] = pixel[1] = pixel[2] = 255;
    if (pixel[3] < ATMOSPHERE_ALPHA) pixel[3] = ATMOSPHERE_ALPHA;
  }
}
