// CVector4 setting and clamping.
#include "utilitylib/vector4.h"

#include "utilitylib/kvmath.h"
#include "utilitylib/utility.h"

void CVector4::Set(double x_value, double y_value, double z_value, double w_value) {
  x = x_value;
  y = y_value;
  z = z_value;
  w = w_value;
}

void CVector4::Clamp(double lower, double upper) {
  ASSERT(upper - lower > -EPSILON);
  ::Clamp(x, lower, upper);
  ::Clamp(y, lower, upper);
  ::Clamp(z, lower, upper);
  ::Clamp(w, lower, upper);
}
