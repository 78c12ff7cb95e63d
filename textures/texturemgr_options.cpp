// Copies the options the texture worker depends on.
#include "config/options.h"
#include "textures/texturemgr.h"

CTextureSettings CTextureSettings::From_Options() {
  CTextureSettings settings;
  settings.clouds.show_clouds = COptions::ShowClouds.Get();
  settings.clouds.show_atmosphere = COptions::ShowAtmosphere.Get();
  settings.clouds.min_cloud_quantity = COptions::MinCloudQuantity.Get();
  settings.show_nebulae = COptions::ShowNebulae.Get();
  settings.nebulae.min_nebulae_quantity = COptions::MinNebulaeQuantity.Get();
  settings.nebulae.nebula_color_enum = COptions::NebulaColorEnum.Get();
  settings.nebulae.custom_nebula_color = COptions::CustomNebulaColor.Get();
  settings.nebulae.geo_location_crc = COptions::GeoLocationCrc.Get();
  return settings;
}

void CTextureMgr::Init() { Init(CTextureSettings::From_Options()); }
