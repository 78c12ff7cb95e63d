// Pictures of a screen with two monitors side by side, as the monitors
// end-to-end tests read them: a binary PPM, and the Earth's disc at a
// monitor's centre measured by runs of lit pixels from there; and the
// options that leave the Earth alone in the scene.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "config/options.h"

namespace monitors_picture {

// Brighter than the black of space in any channel.
const int LIT = 20;

struct MonitorSize {
  int width;
  int height;
};

struct Pixel {
  int r, g, b;
};

// A binary PPM (P6, 8 bits per channel) of the whole screen.
struct Screen {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> bytes;

  Pixel at(int x, int y) const {
    const size_t i = (size_t(y) * width + x) * 3;
    return Pixel{bytes[i], bytes[i + 1], bytes[i + 2]};
  }
  bool lit(int x, int y) const {
    const Pixel p = at(x, y);
    return std::max({p.r, p.g, p.b}) > LIT;
  }
  // Lit pixels from (x, y) on in the direction (dx, dy), up to limit steps.
  int lit_run(int x, int y, int dx, int dy, int limit) const {
    int steps = 0;
    while (steps < limit && lit(x + dx * steps, y + dy * steps)) ++steps;
    return steps;
  }
  // Cyan (the local time's colour) anywhere in the rectangle.
  bool has_cyan(int left, int top, int width, int height) const {
    for (int y = top; y < top + height; ++y) {
      for (int x = left; x < left + width; ++x) {
        const Pixel p = at(x, y);
        if (p.r < 100 && p.g > 150 && p.b > 150) return true;
      }
    }
    return false;
  }
};

inline Screen read_ppm(const std::string& path) {
  Screen screen;
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int maximum = 0;
  in >> magic >> screen.width >> screen.height >> maximum;
  in.get();
  if (magic != "P6" || maximum != 255 || screen.width <= 0 || screen.height <= 0) return Screen{};
  screen.bytes.resize(size_t(screen.width) * screen.height * 3);
  in.read(reinterpret_cast<char*>(screen.bytes.data()), std::streamsize(screen.bytes.size()));
  return in ? screen : Screen{};
}

struct Disc {
  int left, right, up, down;
};

inline Disc disc_at(const Screen& screen, int x0, int width, int height) {
  const int cx = x0 + width / 2, cy = height / 2;
  return Disc{screen.lit_run(cx, cy, -1, 0, width / 2), screen.lit_run(cx, cy, 1, 0, width / 2),
              screen.lit_run(cx, cy, 0, -1, height / 2), screen.lit_run(cx, cy, 0, 1, height / 2)};
}

// Whole, centred and round inside a monitor width x height, and large
// enough to be the picture's subject.
inline bool is_whole_round_disc(const Disc& disc, int width, int height) {
  const int across = disc.left + disc.right, tall = disc.up + disc.down;
  return disc.left < width / 2 && disc.right < width / 2 && disc.up < height / 2 &&
         disc.down < height / 2 && std::abs(disc.left - disc.right) <= 4 &&
         std::abs(disc.up - disc.down) <= 4 &&
         std::abs(across - tall) <= std::max(4, across / 30) && across > std::min(width, height) / 5;
}

inline std::string describe(const Disc& disc) {
  return "lit from the centre: left " + std::to_string(disc.left) + ", right " +
         std::to_string(disc.right) + ", up " + std::to_string(disc.up) + ", down " +
         std::to_string(disc.down);
}

// A whole, round Earth at the centre of the monitor whose left edge is at x0.
inline bool shows_earth(const Screen& screen, int x0, MonitorSize monitor) {
  return is_whole_round_disc(disc_at(screen, x0, monitor.width, monitor.height), monitor.width,
                             monitor.height);
}

// The parts of the scene that could light the space around the discs.
CRegistryBool* const OTHER_PARTS[] = {&COptions::ShowNebulae, &COptions::ShowStars,
                                      &COptions::ShowLensFlare, &COptions::ShowMoon,
                                      &COptions::ShowSun, &COptions::ShowClouds,
                                      &COptions::ShowUniversalTime, &COptions::ShowCities};

// Logging on, the local time shown, and the Earth lit all round with
// nothing else in the scene.
inline void show_earth_alone() {
  COptions::ReleaseLogging.Set(true);
  COptions::ShowLocalTime.Set(true);
  COptions::FactorDarkSideBrightness.Set(1.0f);
  for (CRegistryBool* part : OTHER_PARTS) part->Set(false);
}

inline void reset_earth_alone() {
  COptions::ReleaseLogging.Reset_To_Default();
  COptions::ShowLocalTime.Reset_To_Default();
  COptions::FactorDarkSideBrightness.Reset_To_Default();
  for (CRegistryBool* part : OTHER_PARTS) part->Reset_To_Default();
}

}  // namespace monitors_picture
