// Nebula texture: coloured plasma layers added on black, each pixel kept at
// or below half of full white so that every layer keeps its hue.
#include "textures/nebula_generator.h"

#include "textures/noise_layers.h"
#include "textures/proceduraltexture.h"
#include "utilitylib/random.h"
#include "utilitylib/utility.h"
#include "utilitylib/vector4.h"

namespace {

using noise_layers::PIXELS;
using noise_layers::SIZE;

const CVector4 OPAQUE_BLACK(0, 0, 0, 255);
// A layer whose mean ramp position exceeds this showed enough colour to earn
// the next layer a new one in the mixture mode.
constexpr double MIXTURE_CHANGE_AVERAGE = 0.035;

CVector4 Custom_Color(int bgr) {
  return CVector4(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF, 255);
}

// Adds the layer's colour to one accumulated pixel, then scales the pixel
// down when its component sum exceeds the limit.
void Add_Pixel(unsigned char* sum, const unsigned char* layer) {
  int total = 0;
  for (int k = 0; k < 3; ++k) {
    const int value = sum[k] + layer[k];
    sum[k] = (unsigned char)(value > 255 ? 255 : value);
    total += sum[k];
  }
  if (total > CNebulaGenerator::MAX_PIXEL_SUM) {
    const double scale = CNebulaGenerator::MAX_PIXEL_SUM / total;
    for (int k = 0; k < 3; ++k) sum[k] = (unsigned char)int(sum[k] * scale);
  }
}

// Adds the layer, rows shifted with wrap-around; returns the new coverage.
double Add_Layer(unsigned char* nebulae, const unsigned char* layer, int shift) {
  long total = 0;
  for (int i = 0; i < SIZE; ++i) {
    const unsigned char* source = layer + noise_layers::Source_Row(i, shift) * SIZE * 4;
    unsigned char* destination = nebulae + i * SIZE * 4;
    for (int j = 0; j < SIZE; ++j) {
      Add_Pixel(destination + j * 4, source + j * 4);
      total += destination[j * 4] + destination[j * 4 + 1] + destination[j * 4 + 2];
    }
  }
  return double(total) / PIXELS;
}

std::unique_ptr<unsigned char[]> Drop_Alpha(const unsigned char* rgba) {
  auto rgb = std::make_unique<unsigned char[]>(PIXELS * 3);
  for (int p = 0; p < PIXELS; ++p) {
    for (int k = 0; k < 3; ++k) rgb[p * 3 + k] = rgba[p * 4 + k];
  }
  return rgb;
}

}  // namespace

CGeneratedImage CNebulaGenerator::Create_Space_Data(const CNebulaSettings& settings,
                                                    const std::atomic<bool>& bail) {
  const auto accumulation = std::make_unique<unsigned char[]>(noise_layers::RGBA_BYTES);
  unsigned char* data = accumulation.get();
  CVector4 high = Custom_Color(settings.custom_nebula_color);
  if (settings.nebula_color_enum != NEBULA_COLOR_CUSTOM) Choose_Random_Color(high);

  CGeneratedImage nebulae;
  nebulae.layers = noise_layers::Grow(
      settings.min_nebulae_quantity, bail,
      [&](unsigned char* scratch) {
        const float a =
            CProceduralTexture::Create_Midpoint_Texture(scratch, SIZE, SIZE, 4, OPAQUE_BLACK, high);
        const double coverage = Add_Layer(data, scratch, noise_layers::Random_Shift());
        if (settings.nebula_color_enum == NEBULA_COLOR_MIXTURE && a > MIXTURE_CHANGE_AVERAGE)
          Choose_Random_Color(high);
        return coverage;
      },
      nebulae.coverage);
  if (!bail.load(std::memory_order_relaxed) && settings.geo_location_crc != 0)
    CProceduralTexture::Clear_Poles(data, SIZE, SIZE, 4, OPAQUE_BLACK);
  nebulae.pixels = Drop_Alpha(data);
  return nebulae;
}

void CNebulaGenerator::Choose_Random_Color(CVector4& colour) {
  CUtility::Log("Choose_Random_Color\n");
  int r, g, b;
  do {
    r = Rand() % RED_LIMIT;
    g = Rand() % GREEN_LIMIT;
    b = Rand() % BLUE_LIMIT;
  } while (r + g + b < MIN_COLOR_SUM || r + g + b > MAX_COLOR_SUM);
  colour.Set(r, g, b, 255);
}
