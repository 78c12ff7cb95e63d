// The lunar series, the ecliptic-to-equatorial turn and the sub-lunar point.
#include "astro/lunar.h"

#include <cmath>

#include "astro/lunar_terms.h"
#include "utilitylib/kvmath.h"

namespace {

// Full precision here: the series is far more sensitive than the scene's
// own angle conversions.
constexpr double RADIANS_PER_DEGREE = 0.017453292519943295;
constexpr double RADIANS_PER_ARCSECOND = 0.00000484813681109536;
constexpr double FULL_PI = 3.14159265358979323846;
constexpr double TWO_PI = 2 * FULL_PI;
constexpr double JD_1900 = 2415020.0;
constexpr double JD_2000 = 2451545.0;
constexpr double DAYS_PER_CENTURY = 36525.0;
constexpr double SECONDS_PER_DAY = 86400.0;
constexpr double EARTH_EQUATORIAL_RADIUS_KM = 6378.14;
constexpr double MEAN_PARALLAX_DEG = 0.950724;
constexpr double MIN_LATITUDE_COSINE = 1e-20;

double Frac(double x) { return x - std::trunc(x); }

double Sin_Deg(double degrees) { return std::sin(degrees * RADIANS_PER_DEGREE); }
double Cos_Deg(double degrees) { return std::cos(degrees * RADIANS_PER_DEGREE); }

// Brings an angle into [0, 2 pi) by whole turns.
double Reduce_Turns(double alpha) {
  const double k = std::fabs(std::trunc(alpha / TWO_PI));
  return alpha >= 0 ? alpha - k * TWO_PI : alpha + (k + 1) * TWO_PI;
}

// An angle in degrees advancing by a number of revolutions per day.
double Revolutions(double d, double revolutions_per_day) {
  return 360.0 * Frac(d * revolutions_per_day);
}

// The mean elements of the Moon's and the Sun's motion, in degrees, with
// the eccentricity factor of the Earth's orbit.
struct MeanElements {
  double lp;  // Moon's mean longitude L'
  double m;   // Sun's mean anomaly M
  double mp;  // Moon's mean anomaly M'
  double d;   // mean elongation D
  double f;   // argument of latitude F
  double omega;
  double a3;
  double e;
};

MeanElements Mean_Elements(double d, double t) {
  const double t2 = t * t;
  const double t3 = t2 * t;
  const double sin_a1 = Sin_Deg(51.2 + 20.2 * t);
  const double sin_a2 = Sin_Deg(346.56 + 132.87 * t - 0.0091731 * t2);
  MeanElements el{};
  el.omega = 259.183275 - Revolutions(d, 0.00014709422766069893) + 0.002078 * t2 +
             0.0000022 * t3;
  el.a3 = el.omega + 275.05 - 2.30 * t;
  const double sin_omega = Sin_Deg(el.omega);
  const double sin_a3 = Sin_Deg(el.a3);
  el.lp = 270.434164 + Revolutions(d, 0.03660110147508504) - 0.001133 * t2 + 0.0000019 * t3 +
          0.000233 * sin_a1 + 0.001964 * sin_omega + 0.003964 * sin_a2;
  el.m = 358.475833 + Revolutions(d, 0.0027377785240207627) - 0.00015 * t2 - 0.0000033 * t3 -
         0.001778 * sin_a1;
  el.mp = 296.104608 + Revolutions(d, 0.03629164569502507) + 0.009192 * t2 + 0.0000144 * t3 +
          0.000817 * sin_a1 + 0.002541 * sin_omega + 0.003964 * sin_a2;
  el.d = 350.737486 + Revolutions(d, 0.03386319219153473) - 0.001436 * t2 + 0.0000019 * t3 +
         0.002011 * sin_a1 + 0.001964 * sin_omega + 0.003964 * sin_a2;
  el.f = 11.250889 + Revolutions(d, 0.036748195688121134) - 0.003211 * t2 - 0.0000003 * t3 +
         0.003964 * sin_a2 - 0.024691 * sin_omega - 0.004328 * sin_a3;
  el.e = 1 - 0.002495 * t - 0.00000752 * t2;
  return el;
}

// Sum of coefficient * E^|m| * trig(argument) over a table.
template <int N>
double Series(const LunarTerm (&terms)[N], const MeanElements& el, double (*trig)(double)) {
  double sum = 0;
  for (const LunarTerm& term : terms) {
    const double argument = term.d * el.d + term.m * el.m + term.mp * el.mp + term.f * el.f;
    double factor = 1;
    for (int i = 0; i < std::abs(term.m); ++i) factor *= el.e;
    sum += term.coefficient * factor * trig(argument);
  }
  return sum;
}

}  // namespace

double Julian_Day(int year, int month, int day) {
  int y = year;
  int m = month;
  if (month <= 2) {
    y = year - 1;
    m = month + 12;
  }
  const bool gregorian = year > 1582 || (year == 1582 && month > 10) ||
                         (year == 1582 && month == 10 && day >= 15);
  const int b = gregorian ? y / 400 - y / 100 : -2;
  return std::floor(365.25 * y) + std::floor(30.6001 * (m + 1)) + b + day + 1720996.5;
}

// The IAU 1982 expression, with the whole days split off so that the large
// daily rate does not swallow the fraction.
double Greenwich_Sidereal_Time(double jd) {
  const double d = jd - JD_2000;
  const double t2 = d * (1.0 / DAYS_PER_CENTURY);
  const double whole_days = std::floor(d);
  const double theta = 280.46061837 + 0.98564736629 * whole_days +
                       360.98564736629 * (d - whole_days) +
                       (0.000387933 - t2 / 38710000) * t2 * t2;
  return Degrees_To_Radians(theta);
}

double Mean_Obliquity(double t) {
  const double epsilon0 =
      23.45229444 - (46.845 * t + 0.0059 * t * t - 0.00181 * t * t * t) / 3600;
  return epsilon0 * RADIANS_PER_DEGREE;
}

double Nutation_In_Obliquity(double t) {
  const double t2 = t * t;
  const double omega = 259.183 - 360 * Frac(5.372616667 * t) + 0.002078 * t2;
  const double l = 279.697 + 360 * Frac(100.0021358 * t) + 0.000303 * t2;
  const double lp = 270.434 + 360 * Frac(1336.855231 * t) - 0.001133 * t2;
  const double m = 358.476 + 360 * Frac(99.99736056 * t) - 0.00015 * t2;
  const double mp = 296.105 + 360 * Frac(1325.552359 * t) + 0.009192 * t2;
  const double arcseconds =
      (9.21 + 0.00091 * t) * Cos_Deg(omega) + (0.5522 - 0.00029 * t) * Cos_Deg(2 * l) -
      0.0904 * Cos_Deg(2 * omega) + 0.0884 * Cos_Deg(2 * lp) + 0.0216 * Cos_Deg(2 * l + m) +
      0.0183 * Cos_Deg(2 * lp - omega) + 0.0113 * Cos_Deg(2 * lp + mp) -
      0.0093 * Cos_Deg(2 * l - m) - 0.0066 * Cos_Deg(2 * l - omega);
  return arcseconds * RADIANS_PER_ARCSECOND;
}

void Ecliptic_To_Equatorial(double t, double beta, double lambda, double& alpha, double& delta) {
  const double epsilon = Mean_Obliquity(t) + Nutation_In_Obliquity(t);
  double cos_beta = std::cos(beta);
  if (std::fabs(cos_beta) < MIN_LATITUDE_COSINE) cos_beta = MIN_LATITUDE_COSINE;
  delta = std::asin(std::sin(beta) * std::cos(epsilon) +
                    cos_beta * std::sin(epsilon) * std::sin(lambda));
  alpha = std::atan((std::sin(lambda) * std::cos(epsilon) -
                     (std::sin(beta) / cos_beta) * std::sin(epsilon)) /
                    std::cos(lambda));
  if (std::cos(lambda) < 0) alpha += FULL_PI;
  alpha = Reduce_Turns(alpha);
}

EclipticPosition Moon_Ecliptic_Position(double jd) {
  const double d = jd - JD_1900;
  const double t = d * (1.0 / DAYS_PER_CENTURY);
  const MeanElements el = Mean_Elements(d, t);
  const double longitude_deg = el.lp + Series(LONGITUDE_TERMS, el, Sin_Deg);
  const double latitude_deg = Series(LATITUDE_TERMS, el, Sin_Deg) *
                              (1 - 0.0004664 * Cos_Deg(el.omega) - 0.0000754 * Cos_Deg(el.a3));
  const double parallax_deg = MEAN_PARALLAX_DEG + Series(PARALLAX_TERMS, el, Cos_Deg);
  return {Reduce_Turns(longitude_deg * RADIANS_PER_DEGREE), latitude_deg * RADIANS_PER_DEGREE,
          EARTH_EQUATORIAL_RADIUS_KM / Sin_Deg(parallax_deg)};
}

void Moon_Position(double jd, double& alpha, double& delta, double& distance_km) {
  const EclipticPosition ecliptic = Moon_Ecliptic_Position(jd);
  const double t = (jd - JD_1900) * (1.0 / DAYS_PER_CENTURY);
  Ecliptic_To_Equatorial(t, ecliptic.beta, ecliptic.lambda, alpha, delta);
  distance_km = ecliptic.distance_km;
}

void Sub_Lunar_Point(int64_t seconds, double& latitude, double& longitude, double& distance_km) {
  const double jd = Julian_Day(1970, 1, 1) + double(seconds) * (1.0 / SECONDS_PER_DAY);
  double alpha = 0;
  double delta = 0;
  Moon_Position(jd, alpha, delta, distance_km);
  const double theta = Greenwich_Sidereal_Time(jd);
  latitude = Radians_To_Degrees(delta);
  longitude = Radians_To_Degrees(alpha) - Radians_To_Degrees(theta);
}
