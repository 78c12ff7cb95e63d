// CCamera3d: the scene's one viewer, orbiting the equator or hanging above a city.
#pragma once

#include "utilitylib/vector3.h"

// Angles in degrees, lengths in scene units of 1000 km. The frame driver calls
// Init once, Set_Aspect_Ratio on every resize, Update once per frame, then
// Set_Clip_Distance_Far and Apply at the start of the 3D pass.
class CCamera3d {
 public:
  // The planes of the view volume, in storage order.
  enum Plane { PLANE_RIGHT, PLANE_LEFT, PLANE_BOTTOM, PLANE_TOP, PLANE_NEAR, PLANE_FAR, NUM_PLANES };

  CCamera3d();
  ~CCamera3d();
  CCamera3d(const CCamera3d&) = delete;
  CCamera3d& operator=(const CCamera3d&) = delete;

  // Derives the field of view, orbit speed and distance from the options.
  // Without hardware acceleration a first run (UsageCount at most 1) stores a
  // rotation speed of 0.
  void Init(bool hardware_accelerated);
  // ratio = window width / window height. The vertical field of view is
  // Fov / ratio, kept between 26 and 100 degrees so that windows of every
  // shape show the whole Earth without a fish-eye.
  void Set_Aspect_Ratio(double ratio);
  // The same without the log line, for the views of one frame (one per
  // monitor), each with its own ratio.
  void Switch_Aspect_Ratio(double ratio);
  // Follows the GeoLocationCrc location when it exists; otherwise, once the
  // textures are ready, eases into the orbit. Then places the eye.
  void Update(bool textures_ready, double frame_time_s, double frame_sim_time_s);
  void Set_Clip_Distance_Far(double distance);
  // Sets projection and view, keeps the view-volume planes, enables depth test.
  void Apply();

  // True when the sphere lies wholly outside one plane of the view volume.
  // The planes are not normalised: radius is compared in each plane's scale.
  bool Is_Sphere_Outside(const CVector3& centre, double radius) const;
  // A point exactly on a plane is inside.
  bool Is_Point_Outside(const CVector3& point) const;
  // Normalised position in the current viewport (the window, or the view of
  // one monitor): x 0 (left) to 1 (right), y 0 (top) to 1 (bottom), z the
  // window depth. Values outside [0, 1] lie off the view.
  CVector3 Project_To_Screen(const CVector3& point) const;

  // Copies plane (a, b, c, d); a point is inside when a*x + b*y + c*z + d >= 0.
  void Get_Plane(int plane, double* peq) const;

  const CVector3& Get_Eye() const { return Eye; }
  double Get_Fov() const { return Fov; }
  double Get_FovY() const { return FovY; }
  double Get_Latitude() const { return Latitude; }
  double Get_Longitude() const { return Longitude; }
  double Get_Rotation_Speed() const { return RotationSpeed; }
  double Get_Distance() const { return Distance; }

 private:
  void Follow_Orbit(double frame_time_s, double frame_sim_time_s);
  void Place_Eye();
  CVector3 View_Up() const;
  void Extract_Planes();
  double Plane_Value(int plane, const CVector3& point) const;

  double Fov = 60;
  double FovY = 0;
  double AspectRatio = 0;
  double Latitude = 0;
  double Longitude = 0;
  double RotationSpeed = 0;
  double Distance = 0;
  double ClipDistanceNear = 1;
  double ClipDistanceFar = 2;
  CVector3 Eye;
  CVector3 Center;
  CVector3 Up{0, 1, 0};
  double planes[NUM_PLANES][4] = {};

  double spin_up = 0;  // 0 to 1, eases the orbit in
  double angular_velocity = 0;  // degrees per real second
};

// The one camera, constructed during static initialisation.
extern CCamera3d TheCamera;
