// CEarth: the textured globe at the origin.
#include "scene/earth.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "config/options.h"
#include "host/saver_host.h"
#include "textures/texture.h"
#include "utilitylib/utility.h"

CEarth* TheEarth = nullptr;
int CEarth::TextureId = -1;

namespace {

const double EARTH_TRUE_DIAMETER = 12.756;
const char EARTH_MAP_FILE[] = "ob3d_earth.jpg";
const int EARTH_MAP_RESOURCE = 149;
const int EARTH_PREVIEW_RESOURCE = 170;
const double FADE_RATE = 0.3;  // per real second
const double TRANSPARENT_FADE_CAP = 0.5;
const float GRID_GREY = 0.6f;
const int GLOBE_SLICES = 35;  // and as many stacks
// Meridians and parallels every 10 degrees, 2 percent above the surface.
const int GRID_SLICES = 36;
const int GRID_STACKS = 18;
const double GRID_RADIUS_FACTOR = 0.51;

void Load_Earth_Map() {
  CTexture::Load_Jpg(EARTH_MAP_FILE, PreviewMode ? EARTH_PREVIEW_RESOURCE : EARTH_MAP_RESOURCE);
}

}  // namespace

CEarth::CEarth() {
  CUtility::Log("CEarth::CEarth\n");
  TextureId = Create_Texture(Load_Earth_Map);
  ASSERT(TheEarth == NULL);
  TheEarth = this;
  Set_Name("Earth");
  Set_Diameter(Get_Earth_Diameter());
  Set_Distance(0);
  Init_Surface_Material();
  quadric = gluNewQuadric();
  gluQuadricTexture(quadric, GL_TRUE);
  if (COptions::ShowLatLong.Get()) {
    grid_quadric = gluNewQuadric();
    gluQuadricDrawStyle(grid_quadric, GLU_LINE);
  }
}

CEarth::~CEarth() {
  gluDeleteQuadric(quadric);
  if (grid_quadric) gluDeleteQuadric(grid_quadric);
  TheEarth = nullptr;
}

double CEarth::Get_Earth_Diameter() { return EARTH_TRUE_DIAMETER * Get_Size_Multiplier(); }

void CEarth::Update() {
  const double cap = COptions::IsEarthTransparent.Get() ? TRANSPARENT_FADE_CAP : 1;
  fade = Fade_In(fade, FADE_RATE, cap);
  Set_Surface_Opacity(fade);
}

void CEarth::Special_Render_3d() {
  CCelestialBody::Special_Render_3d();
  if (!COptions::ShowEarth.Get()) return;
  glPushMatrix();
  // GLU's sphere axis (+Z) onto the north axis (+Y): the map's north edge at
  // the pole, longitude 0 toward +Z and east toward +X.
  glRotated(-90, 1, 0, 0);
  Begin_Fade_Blend(fade);
  ASSERT(TextureId >= 0);
  Draw_Lit_Sphere(quadric, TextureId, GLOBE_SLICES);
  if (grid_quadric) Draw_Grid();
  End_Fade_Blend(fade);
  glDisable(GL_LIGHTING);
  glPopMatrix();
}

void CEarth::Draw_Grid() const {
  glColor4d(GRID_GREY, GRID_GREY, GRID_GREY, fade);
  gluSphere(grid_quadric, Get_Diameter() * GRID_RADIUS_FACTOR, GRID_SLICES, GRID_STACKS);
}
