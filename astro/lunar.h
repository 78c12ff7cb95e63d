// Where the Moon is: an abridged trigonometric lunar theory (mean elements
// referred to 1900 January 0.5), turned into the sub-lunar point on the
// Earth-fixed frame with Greenwich mean sidereal time.
//
// Pure functions without state; safe from any thread.
#pragma once

#include <cstdint>

// Julian Day at 0h UT of a date; Julian calendar before 1582-10-15.
double Julian_Day(int year, int month, int day);

// Greenwich mean sidereal time in radians, not reduced to one turn.
double Greenwich_Sidereal_Time(double jd);

// Mean obliquity of the ecliptic in radians; T in Julian centuries from 1900.0.
double Mean_Obliquity(double t);

// Nutation in obliquity in radians; T in Julian centuries from 1900.0.
double Nutation_In_Obliquity(double t);

// Ecliptic latitude and longitude (radians) to right ascension in [0, 2 pi)
// and declination (radians).
void Ecliptic_To_Equatorial(double t, double beta, double lambda, double& alpha, double& delta);

// The Moon's geocentric right ascension and declination (radians) and its
// distance from the Earth's centre (km) at a Julian Day.
void Moon_Position(double jd, double& alpha, double& delta, double& distance_km);

// The Moon's ecliptic coordinates: longitude in [0, 2 pi) and latitude in
// radians, distance in km.
struct EclipticPosition {
  double lambda;
  double beta;
  double distance_km;
};
EclipticPosition Moon_Ecliptic_Position(double jd);

// The point of the Earth under the Moon at a time in seconds since
// 1970-01-01 00:00 UTC: latitude and longitude in degrees (the longitude is
// east positive and not reduced to a range) and the distance in km.
void Sub_Lunar_Point(int64_t seconds, double& latitude, double& longitude, double& distance_km);
