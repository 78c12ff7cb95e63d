// The periodic terms of the abridged lunar series: ecliptic longitude,
// ecliptic latitude and horizontal parallax.
#pragma once

#include <cstdint>

// One term: coefficient (degrees) times the sine or cosine of
// d*D + m*M + mp*M' + f*F. A term whose argument holds the Sun's mean
// anomaly M once carries the eccentricity factor E, twice E squared.
struct LunarTerm {
  int8_t d;
  int8_t m;
  int8_t mp;
  int8_t f;
  double coefficient;
};

constexpr int NUM_LONGITUDE_TERMS = 50;
constexpr int NUM_LATITUDE_TERMS = 45;
constexpr int NUM_PARALLAX_TERMS = 30;

// Sine terms.
extern const LunarTerm LONGITUDE_TERMS[NUM_LONGITUDE_TERMS];
// Sine terms, scaled afterwards by the node correction.
extern const LunarTerm LATITUDE_TERMS[NUM_LATITUDE_TERMS];
// Cosine terms.
extern const LunarTerm PARALLAX_TERMS[NUM_PARALLAX_TERMS];
