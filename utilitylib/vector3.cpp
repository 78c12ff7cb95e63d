// CVector3 arithmetic, normalisation, clamping and conversions.
#include "utilitylib/vector3.h"

#include <cmath>
#include <cstddef>
#include <cstdio>

#include "utilitylib/kvmath.h"
#include "utilitylib/utility.h"

void CVector3::Set(double x_value, double y_value, double z_value) {
  x = x_value;
  y = y_value;
  z = z_value;
}

CVector3& CVector3::operator+=(const CVector3& other) {
  x += other.x;
  y += other.y;
  z += other.z;
  return *this;
}

CVector3& CVector3::operator-=(const CVector3& other) {
  x -= other.x;
  y -= other.y;
  z -= other.z;
  return *this;
}

CVector3& CVector3::operator*=(double factor) {
  x *= factor;
  y *= factor;
  z *= factor;
  return *this;
}

void CVector3::Randomize() {
  x = Random_Unit();
  y = Random_Unit();
  z = Random_Unit();
}

double CVector3::Length() const { return std::sqrt(x * x + y * y + z * z); }

void CVector3::Normalize() {
  const double length = Length();
  ASSERT(length > 0);
  *this *= 1.0 / length;
}

void CVector3::Clamp(double lower, double upper) {
  ASSERT(upper - lower > -EPSILON);
  ::Clamp(x, lower, upper);
  ::Clamp(y, lower, upper);
  ::Clamp(z, lower, upper);
}

void CVector3::To_Float_Array(float* float_array) const {
  ASSERT(float_array != NULL);
  float_array[0] = float(x);
  float_array[1] = float(y);
  float_array[2] = float(z);
}

const char* CVector3::To_String() const {
  static char text[100];
  snprintf(text, sizeof text, "(%5.2f, %5.2f, %5.2f)", x, y, z);
  return text;
}
