// CVector3: three doubles for positions, directions and RGB colours.
#pragma once

class CVector3 {
 public:
  CVector3() = default;
  CVector3(double x_value, double y_value, double z_value) : x(x_value), y(y_value), z(z_value) {}

  void Set(double x_value, double y_value, double z_value);

  CVector3& operator+=(const CVector3& other);
  CVector3& operator-=(const CVector3& other);
  CVector3& operator*=(double factor);

  // Each component a uniform value in [0, 1], drawn x first, then y, then z.
  void Randomize();
  double Length() const;
  // Scales to unit length; the vector must not be zero.
  void Normalize();
  void Clamp(double lower, double upper);
  // Writes x, y, z as single-precision floats for GL calls.
  void To_Float_Array(float* float_array) const;
  // "(x, y, z)" with two decimals, in one static buffer that the next call
  // overwrites.
  const char* To_String() const;

  double x = 0;
  double y = 0;
  double z = 0;
};
