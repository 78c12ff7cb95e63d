// CCamera3d: the scene's one viewer, orbiting the equator or hanging above a city.
#include "astro/camera3d.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "config/options.h"
#include "locations/latlon.h"
#include "locations/location.h"
#include "scene/earth.h"
#include "scene/smartobjectmgr.h"
#include "utilitylib/kvmath.h"
#include "utilitylib/utility.h"

CCamera3d TheCamera;

namespace {

const double MIN_FOV = 40;
const double MAX_FOV = 100;
// The vertical field of view is Fov / aspect ratio within these limits. The
// widest is the widest the slider gives on a square window: tall windows
// would otherwise pass 180 degrees (a fish-eye, then an inverted projection).
// The narrowest still shows the whole Earth, which the orbit keeps at 23
// degrees across, with a margin: very wide windows would otherwise cut it.
const double MIN_FOV_Y = 26;
const double MAX_FOV_Y = MAX_FOV;
const double MAX_ROTATION_SPEED = 45;  // degrees per real second
const double SPIN_UP_RATE = 0.5;  // per simulated second
const double ORBIT_DIAMETERS = 2.5;

// result = ma * mb for column-major 4 x 4 matrices.
void Multiply_Matrices(double* result, const double* ma, const double* mb) {
  ASSERT(result != NULL);
  ASSERT(ma != NULL);
  ASSERT(mb != NULL);
  for (int column = 0; column < 4; ++column) {
    for (int row = 0; row < 4; ++row) {
      double sum = 0;
      for (int k = 0; k < 4; ++k) sum += ma[k * 4 + row] * mb[column * 4 + k];
      result[column * 4 + row] = sum;
    }
  }
}

}  // namespace

CCamera3d::CCamera3d() { CUtility::Log("CCamera3d::CCamera3d\n"); }

CCamera3d::~CCamera3d() { CUtility::Log("CCamera3d::~CCamera3d\n"); }

void CCamera3d::Init(bool hardware_accelerated) {
  CUtility::Log("CCamera3d::Init\n");
  Fov = MIN_FOV + (MAX_FOV - MIN_FOV) * COptions::FactorCameraFov.Get();
  // A first run on software rendering starts without orbiting.
  if (!hardware_accelerated && COptions::UsageCount.Get() <= 1) {
    COptions::FactorCameraRotationSpeed.Set(0);
  }
  RotationSpeed = MAX_ROTATION_SPEED * COptions::FactorCameraRotationSpeed.Get();
  if (!COptions::RotateEast.Get()) RotationSpeed = -RotationSpeed;
  // The orbit follows the Earth's drawn size, so the Earth fills the same
  // part of the view whatever the body size.
  Distance = ORBIT_DIAMETERS * CEarth::Get_Earth_Diameter();
}

void CCamera3d::Set_Aspect_Ratio(double ratio) {
  CUtility::Log("CCamera3d::Set_Aspect_Ratio\n");
  Switch_Aspect_Ratio(ratio);
  CUtility::Log("  AspectRatio = %5.2f\n", AspectRatio);
}

void CCamera3d::Switch_Aspect_Ratio(double ratio) {
  ASSERT(ratio > 0);
  AspectRatio = ratio;
  FovY = std::clamp(Fov / AspectRatio, MIN_FOV_Y, MAX_FOV_Y);
}

void CCamera3d::Update(bool textures_ready, double frame_time_s, double frame_sim_time_s) {
  const uint32_t geo_crc = static_cast<uint32_t>(COptions::GeoLocationCrc.Get());
  if (geo_crc != 0) {
    // A viewpoint that no longer exists leaves the camera where it was.
    if (const CLocation* location = CSmartObjectMgr::Find_Location_By_Crc(geo_crc)) {
      Latitude = location->latitude;
      Longitude = location->longitude;
      RotationSpeed = 0;
    }
  } else if (textures_ready) {
    Follow_Orbit(frame_time_s, frame_sim_time_s);
  }
  Place_Eye();
}

// Eases in over two simulated seconds, then approaches RotationSpeed without
// overshooting it.
void CCamera3d::Follow_Orbit(double frame_time_s, double frame_sim_time_s) {
  spin_up += SPIN_UP_RATE * frame_sim_time_s;
  if (spin_up > 1) spin_up = 1;
  angular_velocity += frame_time_s * RotationSpeed * spin_up;
  if (std::fabs(RotationSpeed) < std::fabs(angular_velocity)) angular_velocity = RotationSpeed;
  Longitude += frame_time_s * angular_velocity;
  Wrap(Longitude, -180, 180);
}

void CCamera3d::Place_Eye() {
  Eye = CLatLon::To_Unit_Vector(Latitude, Longitude);
  Eye *= Distance;
}

void CCamera3d::Set_Clip_Distance_Far(double distance) {
  ASSERT(distance > 0);
  ClipDistanceFar = distance;
}

// Above a pole the view runs along Up and gluLookAt has no sideways axis.
// There the screen's up takes the direction it has just off the pole: along
// the eye's meridian toward the north (away from the eye's longitude over the
// north pole, toward it over the south pole), so the picture does not flip.
CVector3 CCamera3d::View_Up() const {
  if (std::fabs(Latitude) < 90 - EPSILON) return Up;
  const double lon = Degrees_To_Radians(Longitude);
  const double toward = Latitude > 0 ? -1 : 1;
  return CVector3(toward * std::sin(lon), 0, toward * std::cos(lon));
}

void CCamera3d::Apply() {
  ASSERT(AspectRatio > 0);
  ASSERT(FovY > 0);
  ASSERT(ClipDistanceNear > 0);
  ASSERT(ClipDistanceFar > ClipDistanceNear);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(FovY, AspectRatio, ClipDistanceNear, ClipDistanceFar);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  const CVector3 up = View_Up();
  gluLookAt(Eye.x, Eye.y, Eye.z, Center.x, Center.y, Center.z, up.x, up.y, up.z);
  Extract_Planes();
  glEnable(GL_DEPTH_TEST);
}

// The planes of clip = projection * model-view, unnormalised: row 3 plus or
// minus rows 0 (x), 1 (y) and 2 (z).
void CCamera3d::Extract_Planes() {
  double modelview[16];
  double projection[16];
  double clip[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  Multiply_Matrices(clip, projection, modelview);
  static const struct {
    int row;
    double sign;
  } PLANE_ROWS[NUM_PLANES] = {{0, -1}, {0, +1}, {1, +1}, {1, -1}, {2, +1}, {2, -1}};
  for (int plane = 0; plane < NUM_PLANES; ++plane) {
    for (int column = 0; column < 4; ++column) {
      const double* c = clip + column * 4;
      planes[plane][column] = c[3] + PLANE_ROWS[plane].sign * c[PLANE_ROWS[plane].row];
    }
  }
}

void CCamera3d::Get_Plane(int plane, double* peq) const {
  ASSERT(peq != NULL);
  ASSERT(plane >= 0 && plane < NUM_PLANES);
  for (int i = 0; i < 4; ++i) peq[i] = planes[plane][i];
}

double CCamera3d::Plane_Value(int plane, const CVector3& point) const {
  double peq[4];
  Get_Plane(plane, peq);
  return peq[0] * point.x + peq[1] * point.y + peq[2] * point.z + peq[3];
}

bool CCamera3d::Is_Sphere_Outside(const CVector3& centre, double radius) const {
  for (int plane = 0; plane < NUM_PLANES; ++plane) {
    if (Plane_Value(plane, centre) < -radius) return true;
  }
  return false;
}

bool CCamera3d::Is_Point_Outside(const CVector3& point) const { return Is_Sphere_Outside(point, 0); }

CVector3 CCamera3d::Project_To_Screen(const CVector3& point) const {
  GLint viewport[4];
  double modelview[16];
  double projection[16];
  glGetIntegerv(GL_VIEWPORT, viewport);
  glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  double wx = 0;
  double wy = 0;
  double wz = 0;
  // A point in the eye's own plane has no projection: report it off screen.
  if (!gluProject(point.x, point.y, point.z, modelview, projection, viewport, &wx, &wy, &wz)) {
    return CVector3(-1, -1, 1);
  }
  const double width = viewport[2];
  const double height = viewport[3];
  return CVector3((wx - viewport[0]) / width, (height - (wy - viewport[1])) / height, wz);
}
