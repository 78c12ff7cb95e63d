// Midpoint-displacement plasma textures and the blending of polar rows.
//
// Both operations fill caller-owned RGBA byte images in memory and touch no
// GL state, so the texture worker can run them off the window thread. The
// plasma lattice is one shared array: calls must not overlap.
#pragma once

class CVector4;

class CProceduralTexture {
 public:
  // Lattice points per side: one more than the 256-pixel image, so that the
  // last row and column can repeat the first and the image tiles seamlessly.
  static constexpr int LATTICE_SIZE = 257;
  // Rows blended towards the colour at the first pole (the second gets one less).
  static constexpr int POLE_ROWS = 32;

  // Fills `data` (width x height pixels of `components` bytes, rows without
  // padding) with a tileable plasma mapped onto the ramp from `low` to `high`
  // (0..255 per component). Returns the mean ramp position, 0 to 1.
  static float Create_Midpoint_Texture(unsigned char* data, int width, int height, int components,
                                       const CVector4& low, const CVector4& high);

  // Blends rows 0..31 and the last 31 rows towards `colour`; the outermost
  // rows become exactly `colour`.
  static void Clear_Poles(unsigned char* data, int width, int height, int components,
                          const CVector4& colour);

  // The lattice after the last Create_Midpoint_Texture call (for inspection).
  static const float* Get_Lattice();
  // Fills the lattice with UNSET, zeroes the corners and subdivides it: the
  // first stage of Create_Midpoint_Texture, before squaring.
  static void Generate_Lattice();
  // True when the lattice point holds the "no value yet" marker.
  static bool Is_Unset(float value);
};
