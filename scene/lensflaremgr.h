// CLensFlareMgr: the flare sprites, the chain of CLensFlare elements and the
// intensity they share, which follows whether the Sun can be seen.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "textures/texturedata.h"
#include "utilitylib/vector3.h"

class CLensFlare;

class CLensFlareMgr {
 public:
  static constexpr int NUM_FLARE_TEXTURES = 5;
  static constexpr int MIN_FLARES = 10;
  static constexpr int MAX_FLARES = 35;

  // Loads the five sprite textures; needs a current GL context.
  static void Init();
  // Frees the chain's array; the object manager has deleted the elements.
  static void Close();
  // Makes the random chain of 10 to 35 elements; TheSun must exist.
  static void Create_Flares();
  // Creates count elements with evenly spaced, jittered offsets from next to
  // the Sun down to about three Sun distances beyond the screen centre.
  static void Create_Chain(int count);
  // Raises or lowers the shared intensity by whether the Sun is visible.
  static void Update_Visibility();

  // Whether the chain shows: ShowSun and ShowLensFlare on, the Sun on screen,
  // and, unless the Earth is transparent, the infinite line from eye through
  // sun_position clear of the Earth's sphere of earth_radius at the origin
  // (a tangent meets it).
  static bool Is_Sun_Visible(bool sun_on_screen, const CVector3& eye,
                             const CVector3& sun_position, double earth_radius);
  // Intensity rises or falls by 2 per real second, within [0, MaxIntensity].
  static void Step_Intensity(bool visible, double frame_time_s);

  // How one view sees the Sun: where (normalised view coordinates), whether
  // the flare may show there, and the Sun's colour and fade-in level.
  struct SunSight {
    CVector3 screen;
    bool visible = false;
    CVector3 color;
    double fade = 0;
  };
  // Several views (one per monitor, each of its own shape) see the Sun in
  // different places. Before a view's 2D pass the chain follows the Sun as
  // that view's last 3D pass projected it, at an intensity of the view's
  // own, which rises and falls with whether that view sees the Sun.
  static void Follow_Sun_In_View(size_t view);
  static void Follow_Sun_In_View(size_t view, const SunSight& sun, double frame_time_s);

  static const CTextureData& Get_Texture_Data(int index);

  static CTextureData TextureData[NUM_FLARE_TEXTURES];
  static int32_t FlareCount;
  static CLensFlare** Flares;
  static double Intensity;
  static double MaxIntensity;
  static std::vector<double> ViewIntensities;
};
