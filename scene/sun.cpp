// CSun: the Sun at its true direction and distance, with its glow.
#include "scene/sun.h"

#include <GL/gl.h>

#include "astro/camera3d.h"
#include "astro/gmt.h"
#include "config/options.h"
#include "host/resolution.h"
#include "locations/latlon.h"
#include "scene/billboard3d.h"
#include "scene/sun_color.h"
#include "scene/sun_glow.h"
#include "utilitylib/timer.h"
#include "utilitylib/utility.h"

CSun* TheSun = nullptr;
int CSun::TextureId = -1;

namespace {

const double SUN_TRUE_DIAMETER = 1390;
const double SUN_DISTANCE = 149600;
// Half the glow square's side, in diameters.
const double BILLBOARD_DIAMETERS = 6;
const double FADE_RATE = 0.3;  // per real second
const double LINE_RED_GREEN = 0.7;

// The changing mode's drift rates keep their values and signs for the run.
CVector3 DriftRates = Initial_Sun_Drift_Rates();

void Build_Glow_Texture() {
  Upload_Sun_Glow(Build_Sun_Glow_Image(), CResolution::Get_Bits_Per_Pixel());
}

}  // namespace

CSun::CSun() {
  CUtility::Log("CSun::CSun\n");
  TextureId = Create_Texture(Build_Glow_Texture);
  ASSERT(TheSun == NULL);
  TheSun = this;
  Init_Color();
  Set_Diameter(SUN_TRUE_DIAMETER * Get_Size_Multiplier());
  Set_Distance(SUN_DISTANCE);
  if (COptions::ShowSun.Get()) Create_Billboard();
}

CSun::~CSun() {
  CUtility::Log("CSun::~CSun\n");
  TheSun = nullptr;
}

void CSun::Init_Color() {
  CUtility::Log("CSun::Init_Color\n");
  color_mode = COptions::SunColorEnum.Get();
  switch (color_mode) {
    case 0:
      color = Sun_Color_From_Word(static_cast<uint32_t>(COptions::CustomSunColor.Get()));
      break;
    case 1:
      color = Random_Sun_Color();
      break;
    case 2:
      color.Randomize();
      break;
    default:
      CUtility::Assert("DIE", __FILE__, __LINE__);
  }
  CUtility::Log("  Color = %s\n", color.To_String());
}

void CSun::Create_Billboard() {
  const double billboard_size = BILLBOARD_DIAMETERS * Get_Diameter();
  CUtility::Log("  billboard_size = %5.2f\n", billboard_size);
  CBillboard3d* PBillboard = new CBillboard3d;
  ASSERT(PBillboard != NULL);
  PBillboard->Set_Name("Sun");
  PBillboard->Set_Size(billboard_size);
  PBillboard->color = CVector4(color.x, color.y, color.z, 1);
  ASSERT(TextureId >= 0);
  PBillboard->Set_Texture_Id(TextureId);
  billboard = PBillboard;
}

void CSun::Update() {
  CCelestialBody::Update();
  position = CLatLon::To_Unit_Vector(Get_Sun_Declination(), Get_Noon_Longitude());
  position *= Get_Distance();
  if (color_mode == 2) Drift_Sun_Color(color, DriftRates, CTimer::Get_Frame_Time_S());
  if (!billboard) return;
  billboard->position = position;
  fade = Fade_In(fade, FADE_RATE, 1);
  billboard->color = CVector4(color.x, color.y, color.z, fade);
  culled = billboard->culled;
}

void CSun::Special_Render_3d() {
  CCelestialBody::Special_Render_3d();
  screen_position = TheCamera.Project_To_Screen(position);
  off_screen = TheCamera.Is_Point_Outside(position);
  if (!COptions::ShowSun.Get() || !COptions::ShowLines.Get()) return;
  glColor3d(LINE_RED_GREEN, LINE_RED_GREEN, 0);
  glBegin(GL_LINES);
  glVertex3d(0, 0, 0);
  glVertex3d(position.x, position.y, position.z);
  glEnd();
}
