// CMoon: the textured Moon at its true place.
#include "scene/moon.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "astro/camera3d.h"
#include "astro/lunar.h"
#include "config/options.h"
#include "host/saver_host.h"
#include "locations/latlon.h"
#include "textures/texture.h"
#include "utilitylib/timer.h"
#include "utilitylib/utility.h"

CMoon* TheMoon = nullptr;
int CMoon::TextureId = -1;

namespace {

const double MOON_TRUE_DIAMETER = 3.476;
const double MOON_MEAN_DISTANCE = 384.4;
const double KM_TO_SCENE_UNITS = 0.001;
const int MOON_MAP_RESOURCE = 194;
const int MOON_PREVIEW_RESOURCE = 199;
const double FADE_RATE = 0.2;  // per real second
const double LINE_GREY = 0.7;
const int SPHERE_SLICES = 20;  // and as many stacks

void Load_Moon_Map() {
  CTexture::Load_Resource_Jpg(PreviewMode ? MOON_PREVIEW_RESOURCE : MOON_MAP_RESOURCE);
}

}  // namespace

CMoon::CMoon() {
  CUtility::Log("CMoon::CMoon\n");
  TextureId = Create_Texture(Load_Moon_Map);
  ASSERT(TheMoon == NULL);
  TheMoon = this;
  Set_Name("Moon");
  Set_Diameter(MOON_TRUE_DIAMETER * Get_Size_Multiplier());
  Set_Distance(MOON_MEAN_DISTANCE);
  Init_Surface_Material();
  quadric = gluNewQuadric();
  gluQuadricTexture(quadric, GL_TRUE);
}

CMoon::~CMoon() {
  CUtility::Log("CMoon::~CMoon\n");
  gluDeleteQuadric(quadric);
  TheMoon = nullptr;
}

CVector3 CMoon::Position_At(int64_t seconds, double* latitude, double* longitude) {
  double distance_km = 0;
  Sub_Lunar_Point(seconds, *latitude, *longitude, distance_km);
  CVector3 place = CLatLon::To_Unit_Vector(*latitude, *longitude);
  place *= distance_km * KM_TO_SCENE_UNITS;
  return place;
}

void CMoon::Update() {
  position = Position_At(CTimer::Get_Simulation_Time(), &latitude, &longitude);
  fade = Fade_In(fade, FADE_RATE, 1);
  Set_Surface_Opacity(fade);
}

void CMoon::Special_Render_3d() {
  CCelestialBody::Special_Render_3d();
  culled = TheCamera.Is_Sphere_Outside(position, Get_Diameter());
  if (culled) return;
  Draw_Sphere();
  if (COptions::ShowLines.Get()) {
    glColor3d(LINE_GREY, LINE_GREY, LINE_GREY);
    glBegin(GL_LINES);
    glVertex3d(0, 0, 0);
    glVertex3d(position.x, position.y, position.z);
    glEnd();
  }
}

void CMoon::Draw_Sphere() const {
  glPushMatrix();
  glTranslated(position.x, position.y, position.z);
  // The same fixed orientation as the Earth's map: north at +Y.
  glRotated(-90, 1, 0, 0);
  Begin_Fade_Blend(fade);
  ASSERT(TextureId >= 0);
  Draw_Lit_Sphere(quadric, TextureId, SPHERE_SLICES);
  glDisable(GL_LIGHTING);
  End_Fade_Blend(fade);
  glPopMatrix();
}
