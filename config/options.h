// COptions: every persistent setting of the program, one store-backed value
// per option, named as its value in the options store.
#pragma once

#include "utilitylib/registrybool.h"
#include "utilitylib/registryfloat.h"
#include "utilitylib/registryint.h"
#include "utilitylib/registrystring.h"

class COptions {
 public:
  // Constructed before main in this order; each reads its value and writes
  // it straight back, so after one start every value is in the store.
  static CRegistryBool ShowEarth;
  static CRegistryBool ShowSun;
  static CRegistryBool ShowMoon;
  static CRegistryBool ShowNebulae;
  static CRegistryBool ShowStars;
  static CRegistryBool ShowClouds;
  static CRegistryBool ShowAtmosphere;
  static CRegistryBool ShowLensFlare;
  static CRegistryBool ShowLatLong;
  static CRegistryBool ShowLines;
  static CRegistryBool ShowLabel;
  static CRegistryBool ShowLocalTime;
  static CRegistryBool ShowUniversalTime;
  static CRegistryBool ShowCities;
  static CRegistryBool ShowCityNames;
  static CRegistryBool ShowStateNames;
  static CRegistryBool ShowCountryNames;
  static CRegistryBool PixelAlignedText;
  static CRegistryBool ShowFramerate;
  static CRegistryBool IsEarthTransparent;
  static CRegistryBool RotateEast;
  static CRegistryBool UseDaylightCompensation;
  static CRegistryBool ReleaseLogging;
  static CRegistryBool PlayMusic;
  static CRegistryFloat FactorBodySize;
  static CRegistryFloat FactorCameraFov;
  static CRegistryFloat FactorCameraRotationSpeed;
  static CRegistryFloat FactorDarkSideBrightness;
  static CRegistryFloat FactorCitiesPersistence;
  static CRegistryFloat FactorTimeAcceleration;
  static CRegistryInt SunColorEnum;
  static CRegistryInt NebulaColorEnum;
  static CRegistryInt CustomSunColor;
  static CRegistryInt CustomNebulaColor;
  static CRegistryInt CurrentConfigureSheet;
  static CRegistryInt VersionMajor;
  static CRegistryInt VersionMinor;
  static CRegistryInt GeoLocationCrc;
  static CRegistryInt UsageCount;
  static CRegistryInt MinCloudQuantity;
  static CRegistryInt MinNebulaeQuantity;
  static CRegistryInt BailCountdownS;
  static CRegistryString CitiesHeading;
  static CRegistryString M3uFilename;
  static CRegistryString AppDir;

  // Writes "COptions::Dump_To_Logfile:" and one line per option to the log.
  static void Dump_To_Logfile();
};
