// CVector4: four doubles, used as red, green, blue and alpha.
#pragma once

class CVector4 {
 public:
  CVector4() = default;
  CVector4(double x_value, double y_value, double z_value, double w_value)
      : x(x_value), y(y_value), z(z_value), w(w_value) {}

  void Set(double x_value, double y_value, double z_value, double w_value);
  // Clamps the four components in order.
  void Clamp(double lower, double upper);

  double x = 0;
  double y = 0;
  double z = 0;
  double w = 0;
};
