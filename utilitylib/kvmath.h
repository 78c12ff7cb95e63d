// Tolerances, clamping, wrapping, rounding, angle conversion, random ranges
// and line/segment tests against spheres.
#pragma once

class CVector3;

constexpr double EPSILON = 0.00001;
// Deliberately the short value: angles shown and compared throughout the
// scene were tuned with it. The lunar series uses full precision instead.
constexpr double PI = 3.1415927;

// Limits x to [lower, upper].
void Clamp(double& x, double lower, double upper);
// Brings x into [lower, upper] by whole periods (upper - lower); both ends
// stay possible results.
void Wrap(double& x, double lower, double upper);
// Brings x into [lower, upper] by whole periods of (upper - lower + 1).
void Wrap_Int(int& x, int lower, int upper);
// Nearest integer, halves away from zero; anything within EPSILON of 0 is 0.
int Round(double x);

double Degrees_To_Radians(double x);
double Radians_To_Degrees(double x);

// Uniform over [lower, upper], both ends reachable, from the calling thread's
// generator.
double Random_Range(double lower, double upper);
double Random_Unit();
// Uniform integer in [lower, upper], both ends inclusive.
int Random_Int(int lower, int upper);
// Density rising linearly from lower to the midpoint and falling to upper.
double Random_Triangular(double lower, double upper);

// True when the infinite line point + t * direction meets the sphere.
bool Line_Hits_Sphere(const CVector3& point, const CVector3& direction, const CVector3& centre,
                      double radius);
// True when the segment a-b crosses the sphere's surface inside the segment;
// a tangent touch is a miss.
bool Segment_Hits_Sphere(const CVector3& a, const CVector3& b, const CVector3& centre,
                         double radius);
