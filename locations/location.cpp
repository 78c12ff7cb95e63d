// CLocation: a named place on the Earth as a scene object, with its marker.
#include "locations/location.h"

#include <GL/gl.h>

#include <string>

#include "astro/camera3d.h"
#include "config/options.h"
#include "host/resolution.h"
#include "host/saver_host.h"
#include "host/texturefont.h"
#include "locations/citymarker.h"
#include "scene/earth.h"
#include "scene/moon.h"
#include "utilitylib/utility.h"
#include "utilitylib/vector4.h"

namespace {

// The label starts this far right of the dot, in window widths.
const double LABEL_OFFSET_X = 0.01;

CityMarkerScene Current_Scene() {
  CityMarkerScene scene;
  scene.preview_mode = PreviewMode;
  scene.has_earth = TheEarth != nullptr;
  scene.show_cities = COptions::ShowCities.Get();
  scene.eye = TheCamera.Get_Eye();
  if (TheMoon) {
    scene.has_moon = true;
    scene.moon_centre = TheMoon->position;
    scene.moon_radius = TheMoon->Get_Diameter() / 2;
  }
  return scene;
}

CityLabelOptions Current_Label_Options() {
  CityLabelOptions options;
  options.show_city_names = COptions::ShowCityNames.Get();
  options.show_state_names = COptions::ShowStateNames.Get();
  options.show_country_names = COptions::ShowCountryNames.Get();
  options.persistence = COptions::FactorCitiesPersistence.Get();
  return options;
}

void Draw_Dot(const CVector3& at, double alpha) {
  glColor4d(1, 1, 1, alpha);
  glPointSize(float(Dot_Size_Pixels(CResolution::Get_Screen_Width())));
  glEnable(GL_POINT_SMOOTH);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glBegin(GL_POINTS);
  glVertex2d(at.x, at.y);
  glEnd();
  glPointSize(1);
  glDisable(GL_POINT_SMOOTH);
  glDisable(GL_BLEND);
}

void Draw_Label(const CVector3& at, const std::string& text, double alpha) {
  CTextureFont::Print(at.x + LABEL_OFFSET_X, at.y, text.c_str(),
                      COptions::PixelAlignedText.Get(), CVector4(1, 1, 1, alpha));
  // Print leaves the projection matrix current; the next dot needs neither.
  glMatrixMode(GL_MODELVIEW);
}

}  // namespace

int CLocation::Count = 0;

CLocation::CLocation(const char* city, const char* state, const char* country, int32_t lat_deg,
                     int32_t lat_min, int32_t dir_ns, int32_t lon_deg, int32_t lon_min,
                     int32_t dir_ew)
    : CLocationData(city, state, country, lat_deg, lat_min, dir_ns, lon_deg, lon_min, dir_ew) {
  ++Count;
}

CLocation::~CLocation() {
  --Count;
  ASSERT(Count >= 0);
}

bool CLocation::Is_Drawn() const { return is_shown && COptions::ShowCities.Get(); }

void CLocation::Update() {
  if (!Is_Drawn()) return;
  position = unit_position;
  position *= TheEarth ? TheEarth->Get_Diameter() / 2 : 0.0;
}

void CLocation::Render_3d() {
  if (!Is_Drawn()) return;
  screen_position = TheCamera.Project_To_Screen(position);
  longitude_distance = Longitude_Distance(TheCamera.Get_Longitude(), longitude);
}

void CLocation::Render_2d() {
  if (!Is_Drawn()) return;
  const CityLabelOptions options = Current_Label_Options();
  const CityMarker marker = Plan_City_Marker(*this, position, Current_Scene(), options);
  if (!marker.draw_dot) return;
  Draw_Dot(screen_position, marker.dot_alpha);
  if (marker.draw_label) {
    Draw_Label(screen_position, Label_Text(*this, options), marker.label_alpha);
  }
}
