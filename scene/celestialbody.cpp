// CCelestialBody: diameter, distance and material of a body.
#include "scene/celestialbody.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "config/options.h"
#include "utilitylib/timer.h"
#include "utilitylib/utility.h"

namespace {
const double MAX_EXTRA_SIZE = 24;
const float SURFACE_GREY = 0.8f;
}

CCelestialBody::CCelestialBody() { CUtility::Log("CCelestialBody::CCelestialBody\n"); }

void CCelestialBody::Set_Diameter(double diameter) {
  ASSERT(diameter > 0);
  this->diameter = diameter;
}

void CCelestialBody::Set_Distance(double distance) {
  ASSERT(distance >= 0);
  this->distance = distance;
}

double CCelestialBody::Get_Size_Multiplier() {
  return COptions::FactorBodySize.Get() * MAX_EXTRA_SIZE + 1;
}

int CCelestialBody::Create_Texture(const std::function<void()>& fill) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  fill();
  glFinish();
  return static_cast<int>(name);
}

double CCelestialBody::Fade_In(double fade, double rate, double cap) {
  const double raised = fade + rate * CTimer::Get_Frame_Time_S();
  return raised > cap ? cap : raised;
}

void CCelestialBody::Init_Surface_Material() {
  Set_Surface_Opacity(0);
  const float k = COptions::FactorDarkSideBrightness.Get();
  material.Set_Ambient(k, k, k, 1);
}

void CCelestialBody::Set_Surface_Opacity(double opacity) {
  material.Set_Diffuse(SURFACE_GREY, SURFACE_GREY, SURFACE_GREY, static_cast<float>(opacity));
}

void CCelestialBody::Begin_Fade_Blend(double opacity) {
  if (opacity >= 1) return;
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void CCelestialBody::End_Fade_Blend(double opacity) {
  if (opacity < 1) glDisable(GL_BLEND);
}

void CCelestialBody::Draw_Lit_Sphere(GLUquadric* quadric, int texture_id, int slices) const {
  glEnable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture_id);
  material.Apply();
  gluSphere(quadric, diameter / 2, slices, slices);
  glDisable(GL_TEXTURE_2D);
}
