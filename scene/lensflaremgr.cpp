// CLensFlareMgr: the flare sprites, the chain and its shared intensity.
#include "scene/lensflaremgr.h"

#include <GL/gl.h>

#include <cstdio>

#include "astro/camera3d.h"
#include "config/options.h"
#include "scene/earth.h"
#include "scene/lensflare.h"
#include "scene/sun.h"
#include "textures/texture.h"
#include "utilitylib/kvmath.h"
#include "utilitylib/timer.h"
#include "utilitylib/utility.h"

CTextureData CLensFlareMgr::TextureData[NUM_FLARE_TEXTURES];
int32_t CLensFlareMgr::FlareCount = 0;
CLensFlare** CLensFlareMgr::Flares = nullptr;
double CLensFlareMgr::Intensity = 0.0;
double CLensFlareMgr::MaxIntensity = 0.0;
std::vector<double> CLensFlareMgr::ViewIntensities;

namespace {

// TGA sprites by index; only the last has an alpha channel of its own.
const int FLARE_RESOURCES[CLensFlareMgr::NUM_FLARE_TEXTURES] = {188, 189, 190, 193, 192};
const double MIN_MAX_INTENSITY = 0.15;
const double MAX_MAX_INTENSITY = 0.2;
const double INTENSITY_PER_SECOND = 2;
// The chain spans four Sun-to-centre distances, from the Sun to three beyond.
const double CHAIN_LENGTH = 4;

int Load_Sprite(int resource_id) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  CTexture::Load_Resource_Tga(resource_id);
  return static_cast<int>(name);
}

double Stepped_Intensity(double intensity, bool visible, double frame_time_s) {
  const double change = INTENSITY_PER_SECOND * frame_time_s;
  intensity += visible ? change : -change;
  Clamp(intensity, 0, CLensFlareMgr::MaxIntensity);
  return intensity;
}

}  // namespace

void CLensFlareMgr::Init() {
  CUtility::Log("CLensFlareMgr::Init\n");
  for (int index = 0; index < NUM_FLARE_TEXTURES; ++index) {
    const int name = Load_Sprite(FLARE_RESOURCES[index]);
    TextureData[index].Set(name, CTexture::Get_Width(), CTexture::Get_Height());
  }
  glFinish();
}

void CLensFlareMgr::Close() {
  CUtility::Log("CLensFlareMgr::Close\n");
  delete[] Flares;
  Flares = nullptr;
  FlareCount = 0;
  Intensity = 0.0;
  ViewIntensities.clear();
}

void CLensFlareMgr::Create_Flares() {
  const CSun* const THE_SUN = TheSun;
  ASSERT(THE_SUN != NULL);
  const int count = Random_Int(MIN_FLARES, MAX_FLARES);
  MaxIntensity = Random_Range(MIN_MAX_INTENSITY, MAX_MAX_INTENSITY);
  Create_Chain(count);
}

void CLensFlareMgr::Create_Chain(int count) {
  ASSERT(count > 0);
  delete[] Flares;
  FlareCount = count;
  Flares = new CLensFlare*[count];
  const double step = CHAIN_LENGTH / count;
  const double half = step / 2;
  for (int i = 0; i < count; ++i) {
    CLensFlare* p_flare = new CLensFlare;
    Flares[i] = p_flare;
    char name[32];
    std::snprintf(name, sizeof(name), "Lens flare #%d", i);
    p_flare->Set_Name(name);
    p_flare->Offset = Random_Range(-half, half) + 1 - (i + 1) * step;
  }
}

namespace {

// Whether the flare may show for the Sun as the last 3D pass saw it.
bool Sun_Seen() {
  const bool sun_on_screen = TheSun && !TheSun->Is_Off_Screen();
  const CVector3 sun_position = TheSun ? TheSun->position : CVector3();
  const double earth_radius = TheEarth ? CEarth::Get_Earth_Diameter() / 2 : 0;
  return CLensFlareMgr::Is_Sun_Visible(sun_on_screen, TheCamera.Get_Eye(), sun_position,
                                       earth_radius);
}

}  // namespace

void CLensFlareMgr::Update_Visibility() {
  if (!Flares) return;
  Step_Intensity(Sun_Seen(), CTimer::Get_Frame_Time_S());
}

void CLensFlareMgr::Follow_Sun_In_View(size_t view) {
  if (!Flares || !TheSun) return;
  const SunSight sun{TheSun->Get_Screen_Position(), Sun_Seen(), TheSun->Get_Color(),
                     TheSun->Get_Fade()};
  Follow_Sun_In_View(view, sun, CTimer::Get_Frame_Time_S());
}

void CLensFlareMgr::Follow_Sun_In_View(size_t view, const SunSight& sun, double frame_time_s) {
  if (ViewIntensities.size() <= view) ViewIntensities.resize(view + 1, 0.0);
  double& intensity = ViewIntensities[view];
  intensity = Stepped_Intensity(intensity, sun.visible, frame_time_s);
  for (int i = 0; i < FlareCount; ++i) {
    Flares[i]->Follow_Sun(sun.screen, sun.color, sun.fade, intensity);
  }
}

bool CLensFlareMgr::Is_Sun_Visible(bool sun_on_screen, const CVector3& eye,
                                   const CVector3& sun_position, double earth_radius) {
  if (!COptions::ShowSun.Get() || !COptions::ShowLensFlare.Get() || !sun_on_screen) return false;
  if (COptions::IsEarthTransparent.Get()) return true;
  CVector3 direction = sun_position;
  direction -= eye;
  return !Line_Hits_Sphere(eye, direction, CVector3(0, 0, 0), earth_radius);
}

void CLensFlareMgr::Step_Intensity(bool visible, double frame_time_s) {
  Intensity = Stepped_Intensity(Intensity, visible, frame_time_s);
}

const CTextureData& CLensFlareMgr::Get_Texture_Data(int index) {
  ASSERT(index >= 0 && index < NUM_FLARE_TEXTURES);
  return TextureData[index];
}
