// COptions: the option objects, constructed in this order before main, and
// the option dump.
#include "config/options.h"

#include "utilitylib/utility.h"

namespace {

// Constant-initialised, so that it is ready before any object below.
const char OPTIONS_KEY[] = "Software\\Vantrel\\Orbalune 3D";

}  // namespace

CRegistryBool COptions::ShowEarth(OPTIONS_KEY, "ShowEarth", true);
CRegistryBool COptions::ShowSun(OPTIONS_KEY, "ShowSun", true);
CRegistryBool COptions::ShowMoon(OPTIONS_KEY, "ShowMoon", true);
CRegistryBool COptions::ShowNebulae(OPTIONS_KEY, "ShowNebulae", true);
CRegistryBool COptions::ShowStars(OPTIONS_KEY, "ShowStars", true);
CRegistryBool COptions::ShowClouds(OPTIONS_KEY, "ShowClouds", true);
CRegistryBool COptions::ShowAtmosphere(OPTIONS_KEY, "ShowAtmosphere", true);
CRegistryBool COptions::ShowLensFlare(OPTIONS_KEY, "ShowLensFlare", true);
CRegistryBool COptions::ShowLatLong(OPTIONS_KEY, "ShowLatLong", false);
CRegistryBool COptions::ShowLines(OPTIONS_KEY, "ShowLines", false);
CRegistryBool COptions::ShowLabel(OPTIONS_KEY, "ShowLabel", false);
CRegistryBool COptions::ShowLocalTime(OPTIONS_KEY, "ShowLocalTime", false);
CRegistryBool COptions::ShowUniversalTime(OPTIONS_KEY, "ShowUniversalTime", true);
CRegistryBool COptions::ShowCities(OPTIONS_KEY, "ShowCities", true);
CRegistryBool COptions::ShowCityNames(OPTIONS_KEY, "ShowCityNames", false);
CRegistryBool COptions::ShowStateNames(OPTIONS_KEY, "ShowStateNames", false);
CRegistryBool COptions::ShowCountryNames(OPTIONS_KEY, "ShowCountryNames", false);
CRegistryBool COptions::PixelAlignedText(OPTIONS_KEY, "PixelAlignedText", false);
CRegistryBool COptions::ShowFramerate(OPTIONS_KEY, "ShowFramerate", false);
CRegistryBool COptions::IsEarthTransparent(OPTIONS_KEY, "IsEarthTransparent", false);
CRegistryBool COptions::RotateEast(OPTIONS_KEY, "RotateEast", true);
CRegistryBool COptions::UseDaylightCompensation(OPTIONS_KEY, "UseDaylightCompensation", true);
CRegistryBool COptions::ReleaseLogging(OPTIONS_KEY, "ReleaseLogging", false);
CRegistryBool COptions::PlayMusic(OPTIONS_KEY, "PlayMusic", false);
CRegistryFloat COptions::FactorBodySize(OPTIONS_KEY, "FactorBodySize", 0.33f);
CRegistryFloat COptions::FactorCameraFov(OPTIONS_KEY, "FactorCameraFov", 0.7f);
CRegistryFloat COptions::FactorCameraRotationSpeed(OPTIONS_KEY, "FactorCameraRotationSpeed",
                                                   0.175f);
CRegistryFloat COptions::FactorDarkSideBrightness(OPTIONS_KEY, "FactorDarkSideBrightness", 0.23f);
CRegistryFloat COptions::FactorCitiesPersistence(OPTIONS_KEY, "FactorCitiesPersistence", 0.85f);
CRegistryFloat COptions::FactorTimeAcceleration(OPTIONS_KEY, "FactorTimeAcceleration", 0.0f);
CRegistryInt COptions::SunColorEnum(OPTIONS_KEY, "SunColorEnum", 2);
CRegistryInt COptions::NebulaColorEnum(OPTIONS_KEY, "NebulaColorEnum", 2);
CRegistryInt COptions::CustomSunColor(OPTIONS_KEY, "CustomSunColor", 0x00FFFFFF);
CRegistryInt COptions::CustomNebulaColor(OPTIONS_KEY, "CustomNebulaColor", 0x00660000);
CRegistryInt COptions::CurrentConfigureSheet(OPTIONS_KEY, "CurrentConfigureSheet", 0);
CRegistryInt COptions::VersionMajor(OPTIONS_KEY, "VersionMajor", 3);
CRegistryInt COptions::VersionMinor(OPTIONS_KEY, "VersionMinor", 0);
CRegistryInt COptions::GeoLocationCrc(OPTIONS_KEY, "GeoLocationCrc", 0);
CRegistryInt COptions::UsageCount(OPTIONS_KEY, "UsageCount", 0);
CRegistryInt COptions::MinCloudQuantity(OPTIONS_KEY, "MinCloudQuantity", 40);
CRegistryInt COptions::MinNebulaeQuantity(OPTIONS_KEY, "MinNebulaeQuantity", 40);
CRegistryInt COptions::BailCountdownS(OPTIONS_KEY, "BailCountdownS", 0);
CRegistryString COptions::CitiesHeading(OPTIONS_KEY, "CitiesHeading", "");
CRegistryString COptions::M3uFilename(OPTIONS_KEY, "M3uFilename", "");
CRegistryString COptions::AppDir(OPTIONS_KEY, "AppDir", "");

void COptions::Dump_To_Logfile() {
  CUtility::Log("COptions::Dump_To_Logfile:\n");
  CUtility::Log("  ShowEarth                   %d\n", ShowEarth.Get());
  CUtility::Log("  ShowSun:                    %d\n", ShowSun.Get());
  CUtility::Log("  ShowMoon:                   %d\n", ShowMoon.Get());
  CUtility::Log("  ShowNebulae:                %d\n", ShowNebulae.Get());
  CUtility::Log("  ShowStars:                  %d\n", ShowStars.Get());
  CUtility::Log("  ShowClouds:                 %d\n", ShowClouds.Get());
  CUtility::Log("  ShowAtmosphere:             %d\n", ShowAtmosphere.Get());
  CUtility::Log("  ShowLensFlare:              %d\n", ShowLensFlare.Get());
  CUtility::Log("  ShowLatLong:                %d\n", ShowLatLong.Get());
  CUtility::Log("  ShowLines:                  %d\n", ShowLines.Get());
  CUtility::Log("  ShowLabel:                  %d\n", ShowLabel.Get());
  CUtility::Log("  ShowLocalTime:              %d\n", ShowLocalTime.Get());
  CUtility::Log("  ShowUniversalTime:          %d\n", ShowUniversalTime.Get());
  CUtility::Log("  ShowCities:                 %d\n", ShowCities.Get());
  CUtility::Log("  ShowCityNames:              %d\n", ShowCityNames.Get());
  CUtility::Log("  ShowStateNames:             %d\n", ShowStateNames.Get());
  CUtility::Log("  ShowCountryNames:           %d\n", ShowCountryNames.Get());
  CUtility::Log("  PixelAlignedText:           %d\n", PixelAlignedText.Get());
  CUtility::Log("  ShowFramerate:              %d\n", ShowFramerate.Get());
  CUtility::Log("  IsEarthTransparent:         %d\n", IsEarthTransparent.Get());
  CUtility::Log("  RotateEast:                 %d\n", RotateEast.Get());
  CUtility::Log("  UseDaylightCompensation:    %d\n", UseDaylightCompensation.Get());
  CUtility::Log("  ReleaseLogging:             %d\n", ReleaseLogging.Get());
  CUtility::Log("  PlayMusic:                  %d\n", PlayMusic.Get());
  CUtility::Log("  FactorBodySize:             %-5.2f\n", FactorBodySize.Get());
  CUtility::Log("  FactorCameraFov:            %-5.2f\n", FactorCameraFov.Get());
  CUtility::Log("  FactorCameraRotationSpeed:  %-5.2f\n", FactorCameraRotationSpeed.Get());
  CUtility::Log("  FactorDarkSideBrightness:   %-5.2f\n", FactorDarkSideBrightness.Get());
  CUtility::Log("  FactorCitiesPersistence:    %-5.2f\n", FactorCitiesPersistence.Get());
  CUtility::Log("  FactorTimeAcceleration:     %-5.2f\n", FactorTimeAcceleration.Get());
  CUtility::Log("  SunColorEnum:               %d\n", SunColorEnum.Get());
  CUtility::Log("  NebulaColorEnum:            %d\n", NebulaColorEnum.Get());
  CUtility::Log("  CustomSunColor:             %d\n", CustomSunColor.Get());
  CUtility::Log("  CustomNebulaColor:          %d\n", CustomNebulaColor.Get());
  CUtility::Log("  CurrentConfigureSheet:      %d\n", CurrentConfigureSheet.Get());
  CUtility::Log("  VersionMajor:               %d\n", VersionMajor.Get());
  CUtility::Log("  VersionMinor:               %d\n", VersionMinor.Get());
  CUtility::Log("  GeoLocationCrc:             %d\n", GeoLocationCrc.Get());
  CUtility::Log("  UsageCount:                 %d\n", UsageCount.Get());
  CUtility::Log("  MinCloudQuantity:           %d\n", MinCloudQuantity.Get());
  CUtility::Log("  MinNebulaeQuantity:         %d\n", MinNebulaeQuantity.Get());
  CUtility::Log("  CitiesHeading:              %s\n", CitiesHeading.Get());
  CUtility::Log("  M3uFilename:                %s\n", M3uFilename.Get());
  CUtility::Log("  AppDir:                     %s\n", AppDir.Get());
}
