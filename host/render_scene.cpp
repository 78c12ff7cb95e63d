// The scene objects as the frame driver sees them.
#include "host/render_scene.h"

#include "config/options.h"
#include "textures/texturemgr.h"

#if __has_include("scene/sun.h")
#include "scene/billboard3d.h"
#include "scene/sun.h"
#define OB3D_HAS_SUN 1
#endif
#if __has_include("scene/moon.h")
#include "scene/moon.h"
#define OB3D_HAS_MOON 1
#endif
#if __has_include("scene/earth.h")
#include "scene/earth.h"
#define OB3D_HAS_EARTH 1
#endif
#if __has_include("scene/spacebackdrop.h")
#include "scene/spacebackdrop.h"
#define OB3D_HAS_BACKDROP 1
#endif
#if __has_include("scene/cloudlayer.h")
#include "scene/cloudlayer.h"
#define OB3D_HAS_CLOUDS 1
#endif
#if __has_include("scene/lensflaremgr.h")
#include "scene/lensflaremgr.h"
#define OB3D_HAS_FLARES 1
#endif
#if __has_include("scene/star.h")
#include "scene/star.h"
#define OB3D_HAS_STARS 1
#endif

namespace {
#ifdef OB3D_HAS_CLOUDS
CCloudLayer* PCloudLayer = nullptr;
#endif
}  // namespace

CreationState Current_Creation_State() {
  CreationState state;
  state.has_backdrop = true;
  state.has_sun = true;
  state.has_moon = true;
  state.has_earth = true;
#ifdef OB3D_HAS_BACKDROP
  state.has_backdrop = TheSpaceBackdrop != nullptr;
  state.show_nebulae = COptions::ShowNebulae.Get();
  state.nebula_texture_id = CTextureMgr::NebulaTexture.Get_Texture_Id();
#endif
#ifdef OB3D_HAS_SUN
  state.has_sun = TheSun != nullptr;
#endif
#ifdef OB3D_HAS_MOON
  state.has_moon = TheMoon != nullptr;
  state.show_moon = COptions::ShowMoon.Get();
#endif
#ifdef OB3D_HAS_EARTH
  state.has_earth = TheEarth != nullptr;
#endif
#ifdef OB3D_HAS_FLARES
  state.show_lens_flare = COptions::ShowLensFlare.Get();
  state.flare_count = CLensFlareMgr::FlareCount;
#endif
#ifdef OB3D_HAS_CLOUDS
  state.show_clouds_or_atmosphere = COptions::ShowClouds.Get() || COptions::ShowAtmosphere.Get();
  state.cloud_texture_id = CTextureMgr::CloudTexture.Get_Texture_Id();
#endif
  return state;
}

void Create_Space_Backdrop() {
#ifdef OB3D_HAS_BACKDROP
  new CSpaceBackdrop;
#endif
}

void Create_Sun() {
#ifdef OB3D_HAS_SUN
  new CSun;
#endif
}

void Create_Moon() {
#ifdef OB3D_HAS_MOON
  new CMoon;
#endif
}

void Create_Earth() {
#ifdef OB3D_HAS_EARTH
  new CEarth;
#endif
}

void Create_Lens_Flares() {
#ifdef OB3D_HAS_FLARES
  CLensFlareMgr::Create_Flares();
#endif
}

void Create_Cloud_Layer() {
#ifdef OB3D_HAS_CLOUDS
  if (!PCloudLayer) PCloudLayer = new CCloudLayer;
#endif
}

void Forget_Cloud_Layer() {
#ifdef OB3D_HAS_CLOUDS
  PCloudLayer = nullptr;
#endif
}

void Init_Lens_Flares() {
#ifdef OB3D_HAS_FLARES
  CLensFlareMgr::Init();
#endif
}

void Close_Lens_Flares() {
#ifdef OB3D_HAS_FLARES
  CLensFlareMgr::Close();
#endif
}

void Update_Lens_Flare_Visibility() {
#ifdef OB3D_HAS_FLARES
  CLensFlareMgr::Update_Visibility();
#endif
}

void Follow_Sun_With_Lens_Flares(size_t view) {
#ifdef OB3D_HAS_FLARES
  CLensFlareMgr::Follow_Sun_In_View(view);
#else
  (void)view;
#endif
}

void Update_Star_Population() {
#ifdef OB3D_HAS_STARS
  CStar::Update_Population();
#endif
}

bool Get_Sun_Position(CVector3* position) {
#ifdef OB3D_HAS_SUN
  if (!TheSun) return false;
  *position = TheSun->position;
  return true;
#else
  (void)position;
  return false;
#endif
}

bool Get_Earth_Fade(double* fade) {
#ifdef OB3D_HAS_EARTH
  if (!TheEarth) return false;
  *fade = TheEarth->Get_Fade();
  return true;
#else
  (void)fade;
  return false;
#endif
}

void Render_Space_Backdrop() {
#ifdef OB3D_HAS_BACKDROP
  if (TheSpaceBackdrop) TheSpaceBackdrop->Special_Render_3d();
#endif
}

void Render_Bodies() {
#ifdef OB3D_HAS_SUN
  if (TheSun) {
    if (TheSun->Get_Billboard()) TheSun->Get_Billboard()->Special_Render_3d();
    TheSun->Special_Render_3d();
  }
#endif
#ifdef OB3D_HAS_MOON
  if (TheMoon) TheMoon->Special_Render_3d();
#endif
#ifdef OB3D_HAS_EARTH
  if (!TheEarth) return;
  TheEarth->Special_Render_3d();
#ifdef OB3D_HAS_CLOUDS
  if (PCloudLayer) PCloudLayer->Special_Render_3d();
#endif
#endif
}
