// The general math helpers; every precondition is an assertion.
#include "utilitylib/kvmath.h"

#include <cmath>

#include "utilitylib/random.h"
#include "utilitylib/utility.h"
#include "utilitylib/vector3.h"

namespace {

double Dot(const CVector3& a, const CVector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

CVector3 Difference(CVector3 a, const CVector3& b) { return a -= b; }

CVector3 Scaled(CVector3 v, double factor) { return v *= factor; }

CVector3 Sum(CVector3 a, const CVector3& b) { return a += b; }

}  // namespace

void Clamp(double& x, double lower, double upper) {
  ASSERT(upper - lower > -EPSILON);
  if (x < lower) {
    x = lower;
  } else if (x > upper) {
    x = upper;
  }
}

void Wrap(double& x, double lower, double upper) {
  ASSERT(upper > lower);
  const double period = upper - lower;
  while (x < lower) x += period;
  while (x > upper) x -= period;
}

void Wrap_Int(int& x, int lower, int upper) {
  ASSERT(upper >= lower);
  const int period = upper - lower + 1;
  while (x < lower) x += period;
  while (x > upper) x -= period;
}

int Round(double x) {
  if (x > EPSILON) return int(x + 0.5);
  if (x < -EPSILON) return int(x - 0.5);
  return 0;
}

double Degrees_To_Radians(double x) { return x * PI * (1.0 / 180.0); }

double Radians_To_Degrees(double x) { return (180.0 / PI) * x; }

double Random_Range(double lower, double upper) {
  ASSERT(upper - lower > -EPSILON);
  const double x = lower + Rand() * (upper - lower) / RAND_LIMIT;
  ASSERT(x - lower > -EPSILON && upper - x > -EPSILON);
  return x;
}

double Random_Unit() { return Random_Range(0.0, 1.0); }

int Random_Int(int lower, int upper) {
  ASSERT(lower <= upper);
  const int x = lower + Rand() % (upper - lower + 1);
  ASSERT(x >= lower && upper >= x);
  return x;
}

// Draws from the rising half and folds rejected draws onto the falling half,
// which mirrors the rising half's density.
double Random_Triangular(double lower, double upper) {
  ASSERT(upper - lower > -EPSILON);
  double h = upper - lower;
  if (std::fabs(h) < EPSILON) return lower;
  h = h / 2;
  double x = Random_Range(lower, lower + h);
  const double e = Random_Range(0.0, 1.0 / h);
  if (e > (x - lower) / (h * h)) x += h;
  ASSERT(x - lower > -EPSILON && upper - x > -EPSILON);
  return x;
}

bool Line_Hits_Sphere(const CVector3& point, const CVector3& direction, const CVector3& centre,
                      double radius) {
  const CVector3 w = Difference(point, centre);
  const double b = 2 * Dot(w, direction);
  return b * b - 4 * (Dot(w, w) - radius * radius) * Dot(direction, direction) >= 0;
}

bool Segment_Hits_Sphere(const CVector3& a, const CVector3& b, const CVector3& centre,
                         double radius) {
  const CVector3 v = Difference(b, a);
  const double qa = Dot(v, v);
  const CVector3 w = Difference(a, centre);
  const double qb = 2 * Dot(w, v);
  const double disc = qb * qb - 4 * qa * (Dot(w, w) - radius * radius);
  if (disc <= 0) return false;
  const double root = std::sqrt(disc);
  const double t1 = (root - qb) / (2 * qa);
  const double t2 = (-qb - root) / (2 * qa);
  const CVector3 mid = Sum(a, Scaled(v, 0.5));
  const double half_length = v.Length() / 2;
  return Difference(Sum(a, Scaled(v, t1)), mid).Length() < half_length ||
         Difference(Sum(a, Scaled(v, t2)), mid).Length() < half_length;
}
