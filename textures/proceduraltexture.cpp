// Midpoint-displacement plasma on a 257 x 257 lattice, and polar blending.
//
// The lattice is filled depth first: a point's neighbours in squares not yet
// visited are still UNSET when it is computed, and the value functions average
// only the neighbours already set. The texture statistics depend on that
// order, so Subdivide visits the quarters in a fixed sequence.
#include "textures/proceduraltexture.h"

#include <cfloat>
#include <cstdint>
#include <cstring>

#include "utilitylib/kvmath.h"
#include "utilitylib/utility.h"
#include "utilitylib/vector4.h"

namespace {

constexpr int N = CProceduralTexture::LATTICE_SIZE;
constexpr int LAST = N - 1;  // index of the row and column that repeat 0

// Bit pattern of the smallest positive normal float: a value noise never makes.
constexpr uint32_t UNSET_BITS = 0x00800000u;
// Largest random displacement per unit of square size, for centres and edges.
constexpr double CENTRE_DISPLACEMENT = 0.0441875;
constexpr double EDGE_DISPLACEMENT = 0.03125;
constexpr float INVERSE_255 = 0.003921569f;

float Lattice[N][N];

float Unset_Value() {
  float value;
  std::memcpy(&value, &UNSET_BITS, sizeof value);
  return value;
}

bool Is_Set(float value) { return !CProceduralTexture::Is_Unset(value); }

// Brings the pair (c - h, c + h) back onto the lattice. Only one end is
// corrected, and by the lattice width rather than the 256 period.
void Wrap_Pair(int c, int h, int& lo, int& hi) {
  lo = c - h;
  hi = c + h;
  if (lo < 0) {
    lo += N;
  } else if (hi > LAST) {
    hi -= N;
  }
}

// The neighbour coordinates at half the square size around a point.
struct Neighbours {
  int xl, xh, yl, yh;
};

Neighbours Neighbours_Of(int x, int y, int range) {
  const int h = range / 2;
  Neighbours n;
  Wrap_Pair(x, h, n.xl, n.xh);
  Wrap_Pair(y, h, n.yl, n.yh);
  return n;
}

// The mean of those of the four points that already have a value, displaced
// by a random amount within +/- spread.
float Displaced_Mean(const float (&points)[4], double spread) {
  float sum = 0;
  int values = 0;
  for (float value : points) {
    if (Is_Set(value)) {
      sum += value;
      ++values;
    }
  }
  ASSERT(values > 0);
  return float(sum / values + Random_Range(-spread, spread));
}

float Centre_Value(int x, int y, int range) {
  ASSERT(range >= 2);
  const Neighbours n = Neighbours_Of(x, y, range);
  const float corners[4] = {Lattice[n.xl][n.yl], Lattice[n.xh][n.yl], Lattice[n.xh][n.yh],
                            Lattice[n.xl][n.yh]};
  return Displaced_Mean(corners, range * CENTRE_DISPLACEMENT);
}

float Edge_Value(int x, int y, int range) {
  ASSERT(range >= 2);
  // The far edges copy the near ones so that the image tiles.
  if (x == LAST) return Lattice[0][y];
  if (y == LAST) return Lattice[x][0];
  const Neighbours n = Neighbours_Of(x, y, range);
  const float sides[4] = {Lattice[n.xl][y], Lattice[x][n.yl], Lattice[n.xh][y], Lattice[x][n.yh]};
  return Displaced_Mean(sides, range * EDGE_DISPLACEMENT);
}

void Set_Edge_If_Unset(int x, int y, int range) {
  if (CProceduralTexture::Is_Unset(Lattice[x][y])) Lattice[x][y] = Edge_Value(x, y, range);
}

// Fills the square [x0, x1] x [y0, y1]: its centre, its edge midpoints, then
// three quarters depth first; the loop carries on with the fourth.
void Subdivide(int x0, int y0, int x1, int y1) {
  int range = x1 - x0;
  while (range >= 2) {
    const int xm = x0 + (x1 - x0) / 2;
    const int ym = y0 + (y1 - y0) / 2;
    if (CProceduralTexture::Is_Unset(Lattice[xm][ym]))
      Lattice[xm][ym] = Centre_Value(xm, ym, range);
    Set_Edge_If_Unset(x0, ym, range);
    Set_Edge_If_Unset(xm, y0, range);
    Set_Edge_If_Unset(x1, ym, range);
    Set_Edge_If_Unset(xm, y1, range);
    Subdivide(x0, y0, xm, ym);
    Subdivide(xm, y0, x1, ym);
    Subdivide(x0, ym, xm, y1);
    x0 = xm;
    y0 = ym;
    range = x1 - xm;
  }
}

void Square_Lattice() {
  for (auto& row : Lattice)
    for (float& v : row) v = v * v;
}

// Stretches the lattice onto 0..255 (left alone when it is flat).
void Normalise_Lattice() {
  float max = Unset_Value();
  float min = FLT_MAX;
  for (const auto& row : Lattice) {
    for (float v : row) {
      if (v > max) max = v;
      if (v < min) min = v;
    }
  }
  const float span = max - min;
  if (!(span > 0)) return;
  for (auto& row : Lattice) {
    for (float& v : row) {
      v = (v - min) / span * 255;
      if (v > 255) v = 255;
      if (v < 0) v = 0;
    }
  }
}

// Keeps only the upper half of the range, stretched back to 0..255.
void Raise_Contrast(int width, int height) {
  for (int i = 0; i < width; ++i) {
    for (int j = 0; j < height; ++j) {
      float& v = Lattice[i][j];
      v = 2 * v - 255;
      if (v < 0) v = 0;
    }
  }
}

// Maps every pixel onto the colour ramp; returns the sum of ramp positions.
double Apply_Ramp(unsigned char* data, int width, int height, const CVector4& low,
                  const CVector4& high) {
  const double lows[4] = {low.x, low.y, low.z, low.w};
  const double spans[4] = {high.x - low.x, high.y - low.y, high.z - low.z, high.w - low.w};
  double sum = 0;
  for (int i = 0; i < height; ++i) {
    for (int j = 0; j < width; ++j) {
      float z = Lattice[i][j] * INVERSE_255;
      if (z < 0) z = 0;
      if (z > 1) z = 1;
      unsigned char* pixel = data + (i * width + j) * 4;
      for (int k = 0; k < 4; ++k) pixel[k] = (unsigned char)int(lows[k] + z * spans[k]);
      sum += z;
    }
  }
  return sum;
}

void Check_Image(const unsigned char* data, int width, int height, int components) {
  ASSERT(data != NULL);
  ASSERT(width > 0);
  ASSERT(height > 0);
  ASSERT(components == 4);
  ASSERT(width == height);
}

// Moves every component of the row towards the colour: f = 0 gives the colour.
void Blend_Row(unsigned char* row, int width, const CVector4& colour, double f) {
  const double target[4] = {colour.x, colour.y, colour.z, colour.w};
  for (int j = 0; j < width; ++j) {
    unsigned char* pixel = row + j * 4;
    for (int k = 0; k < 4; ++k)
      pixel[k] = (unsigned char)int(target[k] + f * (pixel[k] - target[k]));
  }
}

}  // namespace

bool CProceduralTexture::Is_Unset(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits == UNSET_BITS;
}

const float* CProceduralTexture::Get_Lattice() { return &Lattice[0][0]; }

void CProceduralTexture::Generate_Lattice() {
  const float unset = Unset_Value();
  for (auto& row : Lattice)
    for (float& v : row) v = unset;
  Lattice[0][0] = Lattice[LAST][0] = Lattice[0][LAST] = Lattice[LAST][LAST] = 0;
  Subdivide(0, 0, LAST, LAST);
}

float CProceduralTexture::Create_Midpoint_Texture(unsigned char* data, int width, int height,
                                                  int components, const CVector4& low,
                                                  const CVector4& high) {
  Check_Image(data, width, height, components);
  // Pixel (i, j) reads lattice point (i, j).
  ASSERT(width <= LATTICE_SIZE);
  CUtility::Log("  CProceduralTexture::Create_Midpoint_Texture(%d, %d, %d)\n", width, height,
                components);
  Generate_Lattice();
  Square_Lattice();
  Normalise_Lattice();
  Raise_Contrast(width, height);
  const float average_scalar = float(Apply_Ramp(data, width, height, low, high) / (width * height));
  CUtility::Log("  average_scalar = %5.2f\n", average_scalar);
  return average_scalar;
}

void CProceduralTexture::Clear_Poles(unsigned char* data, int width, int height, int components,
                                     const CVector4& colour) {
  Check_Image(data, width, height, components);
  // Both poles must fit into the image.
  ASSERT(height >= POLE_ROWS);
  CUtility::Log("CProceduralTexture::Clear_Poles(%d, %d, %d)\n", width, height, components);
  const int row_bytes = width * 4;
  for (int r = 0; r < POLE_ROWS; ++r) Blend_Row(data + r * row_bytes, width, colour, r / 32.0);
  for (int n = 0; n < POLE_ROWS - 1; ++n)
    Blend_Row(data + (width - 1 - n) * row_bytes, width, colour, n / 32.0);
}
