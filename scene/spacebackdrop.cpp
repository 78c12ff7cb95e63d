// CSpaceBackdrop: the nebula tube or sphere behind the scene.
#include "scene/spacebackdrop.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "config/options.h"
#include "textures/texturemgr.h"
#include "utilitylib/timer.h"
#include "utilitylib/utility.h"

CSpaceBackdrop* TheSpaceBackdrop = nullptr;

namespace {

const int NEBULA_SIZE = 256;
const int SURFACE_SLICES = 15;  // and as many stacks

// The sized format first; some drivers only take the component count.
int Build_Nebula_Mipmaps(const unsigned char* SpaceData) {
  int rc = gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB8, NEBULA_SIZE, NEBULA_SIZE, GL_RGB,
                             GL_UNSIGNED_BYTE, SpaceData);
  if (rc != 0) {
    rc = gluBuild2DMipmaps(GL_TEXTURE_2D, 3, NEBULA_SIZE, NEBULA_SIZE, GL_RGB, GL_UNSIGNED_BYTE,
                           SpaceData);
  }
  return rc;
}

int Upload_Space_Data() {
  std::unique_ptr<unsigned char[]> SpaceData = CTextureMgr::NebulaTexture.Take();
  ASSERT(SpaceData != NULL);
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  const int rc = Build_Nebula_Mipmaps(SpaceData.get());
  ASSERT(rc == 0);
  SpaceData.reset();
  glFinish();
  return static_cast<int>(name);
}

// The camera circles the equator and never looks at the poles: an open tube
// around the y axis, centred on the origin.
void Draw_Tube(GLUquadric* quadric) {
  glRotated(90, 1, 0, 0);
  glTranslated(0, 0, -CSpaceBackdrop::TUBE_LENGTH / 2);
  gluCylinder(quadric, CSpaceBackdrop::RADIUS, CSpaceBackdrop::RADIUS,
              CSpaceBackdrop::TUBE_LENGTH, SURFACE_SLICES, SURFACE_SLICES);
}

}  // namespace

CSpaceBackdrop::CSpaceBackdrop() {
  CUtility::Log("CSpaceBackdrop::CSpaceBackdrop\n");
  ASSERT(TheSpaceBackdrop == NULL);
  TheSpaceBackdrop = this;
  Set_Name("Space backdrop");
  CTextureMgr::NebulaTexture.Set_Texture_Id(Upload_Space_Data());

  PQuadric = gluNewQuadric();
  ASSERT(PQuadric != NULL);
  gluQuadricTexture(PQuadric, GL_TRUE);
  gluQuadricOrientation(PQuadric, GLU_INSIDE);
}

CSpaceBackdrop::~CSpaceBackdrop() {
  CUtility::Log("CSpaceBackdrop::~CSpaceBackdrop\n");
  ASSERT(PQuadric != NULL);
  gluDeleteQuadric(PQuadric);
  TheSpaceBackdrop = nullptr;
}

void CSpaceBackdrop::Update() {
  Fade += FADE_RATE * CTimer::Get_Frame_Time_S();
  if (Fade > 1) Fade = 1;
}

void CSpaceBackdrop::Special_Render_3d() {
  CSmartObject::Special_Render_3d();
  glPushMatrix();
  ASSERT(PQuadric != NULL);
  glEnable(GL_TEXTURE_2D);
  const int TextureId = CTextureMgr::NebulaTexture.Get_Texture_Id();
  ASSERT(TextureId >= 0);
  glBindTexture(GL_TEXTURE_2D, TextureId);
  // Drawn first over the cleared black background: blending with any of the
  // program's source-alpha functions scales the texture by Fade.
  const bool fading = Fade < 1;
  if (fading) glEnable(GL_BLEND);
  glColor4d(1, 1, 1, fading ? Fade : 1);
  if (COptions::GeoLocationCrc.Get() != 0) {
    gluSphere(PQuadric, RADIUS, SURFACE_SLICES, SURFACE_SLICES);
  } else {
    Draw_Tube(PQuadric);
  }
  if (fading) glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  glPopMatrix();
}

void CSpaceBackdrop::Prevent_Memory_Leak() {
  CUtility::Log("CSpaceBackdrop::Prevent_Memory_Leak\n");
  CTextureMgr::NebulaTexture.Free_Unconsumed();
}
