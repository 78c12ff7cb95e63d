#include "default_options.h"

#include <initializer_list>

#include "config/options.h"

void Reset_All_Options() {
  for (CRegistryBool* option :
       {&COptions::ShowEarth, &COptions::ShowSun, &COptions::ShowMoon, &COptions::ShowNebulae,
        &COptions::ShowStars, &COptions::ShowClouds, &COptions::ShowAtmosphere,
        &COptions::ShowLensFlare, &COptions::ShowLatLong, &COptions::ShowLines,
        &COptions::ShowLabel, &COptions::ShowLocalTime, &COptions::ShowUniversalTime,
        &COptions::ShowCities, &COptions::ShowCityNames, &COptions::ShowStateNames,
        &COptions::ShowCountryNames, &COptions::PixelAlignedText, &COptions::ShowFramerate,
        &COptions::IsEarthTransparent, &COptions::RotateEast, &COptions::UseDaylightCompensation,
        &COptions::ReleaseLogging, &COptions::PlayMusic})
    option->Reset_To_Default();
  for (CRegistryFloat* option :
       {&COptions::FactorBodySize, &COptions::FactorCameraFov, &COptions::FactorCameraRotationSpeed,
        &COptions::FactorDarkSideBrightness, &COptions::FactorCitiesPersistence,
        &COptions::FactorTimeAcceleration})
    option->Reset_To_Default();
  for (CRegistryInt* option :
       {&COptions::SunColorEnum, &COptions::NebulaColorEnum, &COptions::CustomSunColor,
        &COptions::CustomNebulaColor, &COptions::CurrentConfigureSheet, &COptions::VersionMajor,
        &COptions::VersionMinor, &COptions::GeoLocationCrc, &COptions::UsageCount,
        &COptions::MinCloudQuantity, &COptions::MinNebulaeQuantity, &COptions::BailCountdownS})
    option->Reset_To_Default();
  for (CRegistryString* option :
       {&COptions::CitiesHeading, &COptions::M3uFilename, &COptions::AppDir})
    option->Set("");
}
