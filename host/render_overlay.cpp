// The overlay pass of the frame driver.
#include "host/render_overlay.h"

#include <GL/gl.h>

#include <cstdio>
#include <ctime>
#include <string>

#include "astro/camera3d.h"
#include "astro/gmt.h"
#include "config/options.h"
#include "host/render_scene.h"
#include "host/render_texts.h"
#include "host/resolution.h"
#include "host/saver_host.h"
#include "host/saver_window.h"
#include "host/texturefont.h"
#include "platform/platform.h"
#include "scene/smartobjectmgr.h"
#include "textures/texturemgr.h"
#include "utilitylib/kvmath.h"
#include "utilitylib/timer.h"
#include "utilitylib/utility.h"
#include "utilitylib/vector4.h"

namespace {

const CVector4 WHITE(1, 1, 1, 1);
const CVector4 CYAN(0, 1, 1, 1);
// Overlays are always drawn on whole pixels.
const bool ALIGNED = true;
const double LABEL_FADE_PER_S = 0.1;
const double NO_ACCELERATION_NOTE_S = 15.0;
const int SIXTEEN_BIT_DEPTH = 16;
const char PRODUCT_NAME[] = "Orbalune 3D";
const char PRODUCT_MAKER[] = "   Vantrel";

double LabelAlpha = 1.0;
int ProgressDots = 0;
uint32_t ProgressTick = 0;

bool Textures_Ready() { return CTextureMgr::Get_Stage() == CTextureMgr::STAGE_READY; }

void Begin_Overlay_Projection() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, 1, 1, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
}

void Print_Preview_Title() {
  CTextureFont::Print_Centered(0.3, "Vantrel", ALIGNED, WHITE);
  CTextureFont::Print_Centered(0.5, "presents", ALIGNED, WHITE);
  CTextureFont::Print_Centered(0.7, "Orbalune 3D", ALIGNED, WHITE);
}

void Print_Progress_Line() {
  const uint32_t now = platform::api().clock.get_tick_count();
  if (now != ProgressTick) {
    ProgressTick = now;
    ProgressDots = Next_Progress_Dots(ProgressDots);
  }
  const std::string text = Progress_Line_Text(CTextureMgr::Get_Stage(), ProgressDots);
  CTextureFont::Print(0.02, 0.965, text.c_str(), ALIGNED, WHITE);
}

void Print_Frame_Rate() {
  char text[32];
  snprintf(text, sizeof text, "%d", Round(CTimer::Get_Sample_Frame_Rate()));
  const double x = Frame_Rate_X(CTextureFont::Get_Text_Width(text), CResolution::Get_Window_Width());
  CTextureFont::Print(x, 0.055, text, ALIGNED, WHITE);
}

void Print_Local_Time() {
  const time_t simulation_time = time_t(CTimer::Get_Simulation_Time());
  tm local_storage{};
  const tm* local_time = localtime_r(&simulation_time, &local_storage);
  ASSERT(local_time != NULL);
  CTextureFont::Print_Centered(0.055, Local_Time_Text(*local_time).c_str(), ALIGNED, CYAN);
}

// The triangle above the solar time, apex upward.
void Draw_Solar_Time_Marker(double fade) {
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4d(0.5, 0.5, 0.7, fade);
  glBegin(GL_TRIANGLES);
  glVertex2d(0.49, 0.945);
  glVertex2d(0.51, 0.945);
  glVertex2d(0.5, 0.923);
  glEnd();
  glDisable(GL_BLEND);
}

void Print_Solar_Time(double earth_fade) {
  const double longitude = TheCamera.Get_Longitude();
  const std::string text =
      Solar_Time_Text(Get_Local_Hour(longitude), Get_Local_Day_Of_Week(longitude));
  CTextureFont::Print_Centered(0.965, text.c_str(), ALIGNED, CVector4(1, 1, 1, earth_fade));
  // Print leaves the projection matrix current; the marker is drawn in it.
  glMatrixMode(GL_MODELVIEW);
  Draw_Solar_Time_Marker(earth_fade);
}

void Print_Longitude(double earth_fade) {
  char text[32];
  snprintf(text, sizeof text, "Longitude: %4d", int(TheCamera.Get_Longitude()));
  CTextureFont::Print_Centered(0.985, text, ALIGNED, CVector4(1, 1, 1, earth_fade));
}

void Print_Earth_Overlays() {
  double earth_fade = 0;
  const bool has_earth = Get_Earth_Fade(&earth_fade);
  if (!has_earth) return;
  if (COptions::ShowUniversalTime.Get()) Print_Solar_Time(earth_fade);
  if (COptions::ShowLatLong.Get()) Print_Longitude(earth_fade);
}

void Print_Notes() {
  if (!HardwareAccelerated && CTimer::Get_Elapsed_Time_S() < NO_ACCELERATION_NOTE_S) {
    CTextureFont::Print_Centered(
        0.835, "NOTE: No 3D graphics acceleration. Please update your videocard drivers.",
        ALIGNED, WHITE);
  }
  if (CResolution::Get_Bits_Per_Pixel() == SIXTEEN_BIT_DEPTH && !Textures_Ready()) {
    CTextureFont::Print_Centered(
        0.86, "NOTE: 16-bit color detected - use 24 or 32 bit color if available.", ALIGNED,
        WHITE);
  }
}

void Print_Product_Label() {
  const LabelPlace place =
      Product_Label_Place(CTextureFont::Get_Text_Width(PRODUCT_NAME),
                          CResolution::Get_Window_Width(), CResolution::Get_Window_Height());
  const CVector4 colour(1, 1, 1, LabelAlpha);
  CTextureFont::Print(place.x, place.name_y, PRODUCT_NAME, ALIGNED, colour);
  CTextureFont::Print(place.x, place.maker_y, PRODUCT_MAKER, ALIGNED, colour);
}

void Print_Overlay_Table() {
  if (COptions::ShowFramerate.Get()) Print_Frame_Rate();
  if (COptions::ShowLocalTime.Get()) Print_Local_Time();
  Print_Earth_Overlays();
  Print_Notes();
  const char* heading = COptions::CitiesHeading.Get();
  if (*heading) CTextureFont::Print_Centered(0.09, heading, ALIGNED, WHITE);
  Print_Product_Label();
}

}  // namespace

void Reset_Overlays() {
  LabelAlpha = 1.0;
  ProgressDots = 0;
  ProgressTick = 0;
}

void Update_Label_Fade() {
  if (COptions::ShowLabel.Get() || !Textures_Ready()) return;
  LabelAlpha -= LABEL_FADE_PER_S * CTimer::Get_Frame_Time_S();
  if (LabelAlpha < 0) LabelAlpha = 0;
}

void Render_Overlays(bool with_texts) {
  Begin_Overlay_Projection();
  glColor4d(1, 1, 1, 1);
  CSmartObjectMgr::Render_2d_All();
  if (!with_texts) return;
  if (PreviewMode) {
    Print_Preview_Title();
    return;
  }
  if (!Textures_Ready()) Print_Progress_Line();
  Print_Overlay_Table();
}
