// The Sun's colour rules.
#include "scene/sun_color.h"

namespace {

const double BYTE_TO_UNIT = 0.00392156862745098;  // 1 / 255
const int RANDOM_ATTEMPTS = 50;
const double MIN_BRIGHTNESS = 1.5;
const double MIN_DRIFT_LENGTH = 1.2;
const double BRIGHTEN_STEP = 1.01;

// Turns the rate round when the component has reached either end.
void Bounce(double component, double& rate) {
  if (!(component > 0) || component >= 1) rate = -rate;
}

}  // namespace

CVector3 Sun_Color_From_Word(uint32_t word) {
  return CVector3((word & 255) * BYTE_TO_UNIT, ((word >> 8) & 255) * BYTE_TO_UNIT,
                  ((word >> 16) & 255) * BYTE_TO_UNIT);
}

bool Is_Purplish(const CVector3& c) {
  const bool red_near_blue = 0.85 * c.z < c.x && c.x < 1.6 * c.z;
  const bool green_near_both = c.x <= 1.1 * c.y && c.z <= 1.1 * c.y;
  return red_near_blue && !green_near_both;
}

CVector3 Random_Sun_Color() {
  CVector3 color;
  for (int attempt = 0; attempt < RANDOM_ATTEMPTS; ++attempt) {
    color.Randomize();
    if (color.x + color.y + color.z >= MIN_BRIGHTNESS && !Is_Purplish(color)) break;
  }
  return color;
}

CVector3 Initial_Sun_Drift_Rates() { return CVector3(0.1, 0.11, 0.12); }

void Drift_Sun_Color(CVector3& color, CVector3& rates, double seconds) {
  CVector3 step = rates;
  step *= seconds;
  color += step;
  // A zero colour never grows by scaling; leave it to the drift.
  while (color.Length() > 0 && color.Length() < MIN_DRIFT_LENGTH) color *= BRIGHTEN_STEP;
  Bounce(color.x, rates.x);
  Bounce(color.y, rates.y);
  Bounce(color.z, rates.z);
  color.Clamp(0, 1);
}
