// The sub-solar point and local solar time from the simulation clock.
//
// Deliberately simple: the noon longitude follows universal time linearly
// (no equation of time) and the declination is a sine of the day of the year.
#pragma once

#include <ctime>

// The simulation time as UTC calendar fields, in one static record that the
// next call overwrites.
tm* Get_Gmtime();

// Recomputes the midnight and noon longitudes; once per frame.
void Update_Solar_Position();

// Longitude of the sub-solar point in [-180, 180], degrees.
double Get_Noon_Longitude();
// Longitude where it is solar midnight in [-180, 180], degrees.
double Get_Midnight_Longitude();

// The Sun's declination in degrees, -23.5 to 23.5, for the current day.
double Get_Sun_Declination();

// Whole hour 0..23 of local solar time at the longitude (degrees east).
int Get_Local_Hour(double longitude);
// Day of the week 0..6 (0 = Sunday) of the solar date at the longitude.
int Get_Local_Day_Of_Week(double longitude);
