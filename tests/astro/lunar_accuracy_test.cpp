// The lunar series against an independent modern ephemeris (the table in
// lunar_reference.h, 400 instants from 1990 to 2037).
//
// Two checks. The sub-lunar point as the scene gets it must stay within the
// error of an abridged theory plus the lag from feeding it universal time
// where the theory wants terrestrial time (TT - UT is about a minute, in
// which the Moon moves up to 0.013 degrees in right ascension). And the
// series fed terrestrial time must match term by term: projecting its
// residuals onto each term's argument measures that term's coefficient
// error, so a mistyped coefficient or multiplier shows up even when it is
// far smaller than the overall error.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "astro/lunar.h"
#include "astro/lunar_reference.h"
#include "astro/lunar_terms.h"

namespace {

constexpr double DEG = 57.29577951308232;
constexpr double JD_1970 = 2440587.5;
constexpr double EARTH_RADIUS_KM = 6378.14;

double Julian_Day_Of(int64_t seconds, double extra_seconds) {
  return JD_1970 + (double(seconds) + extra_seconds) / 86400.0;
}

double Angle_Difference(double a, double b) { return std::remainder(a - b, 360.0); }

double Parallax_Deg(double distance_km) { return std::asin(EARTH_RADIUS_KM / distance_km) * DEG; }

// Approximate mean arguments (degrees) at a Julian Day, from the modern J2000
// linear rates: an independent way to evaluate each term's argument.
struct Arguments {
  double d, m, mp, f;
};

Arguments Arguments_At(double jd) {
  const double t = (jd - 2451545.0) / 36525;
  return {297.8501921 + 445267.1114034 * t, 357.5291092 + 35999.0502909 * t,
          134.9633964 + 477198.8675055 * t, 93.2720950 + 483202.0175233 * t};
}

struct Residuals {
  std::vector<Arguments> arguments;
  std::vector<double> longitude;  // degrees
  std::vector<double> latitude;   // degrees
  std::vector<double> parallax;   // degrees
};

Residuals Series_Residuals_At_Terrestrial_Time() {
  Residuals r;
  for (const LunarReference& ref : LUNAR_REFERENCE) {
    const double jd_tt = Julian_Day_Of(ref.seconds, ref.delta_t_s);
    const EclipticPosition moon = Moon_Ecliptic_Position(jd_tt);
    r.arguments.push_back(Arguments_At(jd_tt));
    r.longitude.push_back(Angle_Difference(moon.lambda * DEG, ref.ecliptic_longitude));
    r.latitude.push_back(moon.beta * DEG - ref.ecliptic_latitude);
    r.parallax.push_back(Parallax_Deg(moon.distance_km) - Parallax_Deg(ref.distance_km));
  }
  return r;
}

double Largest_Magnitude(const std::vector<double>& values) {
  double largest = 0;
  for (double v : values) largest = std::fmax(largest, std::fabs(v));
  return largest;
}

// Least-squares amplitude of the residuals along one term's sine or cosine.
double Term_Error(const LunarTerm& term, const Residuals& r, const std::vector<double>& residual,
                  bool cosine) {
  double along = 0;
  double norm = 0;
  for (size_t i = 0; i < residual.size(); ++i) {
    const Arguments& a = r.arguments[i];
    const double argument = (term.d * a.d + term.m * a.m + term.mp * a.mp + term.f * a.f) / DEG;
    const double basis = cosine ? std::cos(argument) : std::sin(argument);
    along += residual[i] * basis;
    norm += basis * basis;
  }
  return along / norm;
}

template <int N>
void Expect_Terms_Match(const char* table, const LunarTerm (&terms)[N], const Residuals& r,
                        const std::vector<double>& residual, bool cosine, double tolerance) {
  for (int k = 0; k < N; ++k) {
    EXPECT_LT(std::fabs(Term_Error(terms[k], r, residual, cosine)), tolerance)
        << table << " term " << k + 1;
  }
}

TEST(lunar_accuracy, sub_lunar_point_within_series_error_and_time_lag) {
  ASSERT_GE(std::size(LUNAR_REFERENCE), 300u);
  for (const LunarReference& ref : LUNAR_REFERENCE) {
    double latitude = 0;
    double longitude = 0;
    double distance = 0;
    Sub_Lunar_Point(ref.seconds, latitude, longitude, distance);
    EXPECT_NEAR(latitude, ref.latitude, 0.01) << ref.seconds;
    EXPECT_NEAR(Angle_Difference(longitude, ref.longitude), 0, 0.02) << ref.seconds;
    EXPECT_NEAR(distance, ref.distance_km, 60) << ref.seconds;
  }
}

TEST(lunar_accuracy, series_at_terrestrial_time_within_abridged_error) {
  const Residuals r = Series_Residuals_At_Terrestrial_Time();
  EXPECT_LT(Largest_Magnitude(r.longitude), 0.005);
  EXPECT_LT(Largest_Magnitude(r.latitude), 0.003);
  EXPECT_LT(Largest_Magnitude(r.parallax), 0.00015);  // about 60 km
}

TEST(lunar_accuracy, every_term_matches_the_modern_ephemeris) {
  const Residuals r = Series_Residuals_At_Terrestrial_Time();
  Expect_Terms_Match("longitude", LONGITUDE_TERMS, r, r.longitude, false, 0.0004);
  Expect_Terms_Match("latitude", LATITUDE_TERMS, r, r.latitude, false, 0.00012);
  Expect_Terms_Match("parallax", PARALLAX_TERMS, r, r.parallax, true, 0.00001);
}

}  // namespace
