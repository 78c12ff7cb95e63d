// CStar: one point star on a shell around the Earth.
#include "scene/star.h"

#include <GL/gl.h>

#include <cmath>

#include "astro/camera3d.h"
#include "config/options.h"
#include "host/saver_host.h"
#include "utilitylib/kvmath.h"
#include "utilitylib/timer.h"
#include "utilitylib/utility.h"

namespace {

const double MIN_POINT_SIZE = 0.5;
const double MAX_POINT_SIZE = 1.6;
const double MIN_TINT = 0.6;
// Larger stars are brighter: the unit colour is scaled by the size times these.
const double SIZE_BRIGHTNESS = 0.625;
const double BRIGHTNESS_BOOST = 1.3;
const double FADE_PER_SECOND = 2;

double Random_Shell_Radius() { return Random_Range(CStar::MIN_RADIUS, CStar::MAX_RADIUS); }

}  // namespace

CStar::CStar() {
  Pick_Size_And_Tint();
  if (COptions::GeoLocationCrc.Get() != 0) {
    Place_On_Sphere();
  } else {
    Place_In_Band();
  }
  ++Count;
}

// Sizes of 0.5 to 1.6 pixels, brighter the larger, rounded to 1 or 2 pixels
// (always 1 in the small preview).
void CStar::Pick_Size_And_Tint() {
  PointSize = Random_Range(MIN_POINT_SIZE, MAX_POINT_SIZE);
  Color.x = Random_Range(MIN_TINT, 1);
  Color.y = Random_Range(MIN_TINT, 1);
  Color.z = Random_Range(MIN_TINT, 1);
  Color.Normalize();
  Color *= PointSize * SIZE_BRIGHTNESS;
  Color *= BRIGHTNESS_BOOST;
  Color.Clamp(0, 1);
  if (PreviewMode) PointSize = 1.0;
  PointSize = Round(PointSize);
  if (PointSize < 1) PointSize = 1;
}

// Above a city the camera may look anywhere: any point of the shell that lies
// in the current view volume, or the last one tried.
void CStar::Place_On_Sphere() {
  for (int attempt = 1;; ++attempt) {
    do {
      // Drawn in x, y, z order, so that a seed gives the same field everywhere.
      const double x = Random_Range(-0.5, 0.5);
      const double y = Random_Range(-0.5, 0.5);
      const double z = Random_Range(-0.5, 0.5);
      position.Set(x, y, z);
    } while (position.Length() == 0);
    position.Normalize();
    position *= Random_Shell_Radius();
    if (attempt == MAX_PLACEMENT_ATTEMPTS) {
      CUtility::Log("Bailing on star positioning, frame %d\n",
                    static_cast<int>(CTimer::Get_Frame_Count()));
      return;
    }
    if (!TheCamera.Is_Point_Outside(position)) return;
  }
}

// The circling camera looks along the equator: a ring in the x-z plane with
// the height the vertical field of view can see at that distance.
void CStar::Place_In_Band() {
  do {
    const double x = Random_Range(-0.5, 0.5);
    const double z = Random_Range(-0.5, 0.5);
    position.Set(x, 0, z);
  } while (position.Length() == 0);
  position.Normalize();
  const double radius = Random_Shell_Radius();
  position *= radius;
  const double half_height = std::tan(Degrees_To_Radians(TheCamera.Get_FovY() / 2)) * radius;
  position.y = Random_Range(-half_height, half_height);
}

void CStar::Update() {
  CSmartObject::Update();
  Fade += FADE_PER_SECOND * CTimer::Get_Frame_Time_S();
  if (Fade > 1) Fade = 1.0;
}

void CStar::Render_3d() {
  culled = TheCamera.Is_Point_Outside(position);
  if (culled) return;
  const bool blending = Fade < 1;
  if (blending) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  }
  glColor4d(Color.x, Color.y, Color.z, Fade);
  glPointSize(static_cast<GLfloat>(PointSize));
  glBegin(GL_POINTS);
  glVertex3d(position.x, position.y, position.z);
  glEnd();
  if (blending) glDisable(GL_BLEND);
}

bool CStar::Is_Disposable() { return true; }

CStar::~CStar() {
  --Count;
  ASSERT(Count >= 0);
}
