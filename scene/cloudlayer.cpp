// CCloudLayer: the cloud and atmosphere shell around the Earth.
#include "scene/cloudlayer.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "host/saver_window.h"
#include "scene/earth.h"
#include "textures/texturemgr.h"
#include "utilitylib/kvmath.h"
#include "utilitylib/timer.h"
#include "utilitylib/utility.h"

int CCloudLayer::LayerCount = 0;

namespace {

const int CLOUD_SIZE = 256;
const int SPHERE_SLICES = 35;  // and as many stacks

void Upload_Cloud_Data() {
  std::unique_ptr<unsigned char[]> CloudData = CTextureMgr::CloudTexture.Take();
  ASSERT(CloudData != NULL);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  const int rc = gluBuild2DMipmaps(GL_TEXTURE_2D, 4, CLOUD_SIZE, CLOUD_SIZE, GL_RGBA,
                                   GL_UNSIGNED_BYTE, CloudData.get());
  ASSERT(rc == 0);
}

void Assert_Earth_Exists() {
  const CEarth* const THE_EARTH = TheEarth;
  ASSERT(THE_EARTH != NULL);
}

}  // namespace

CCloudLayer::CCloudLayer() {
  CUtility::Log("CCloudLayer::CCloudLayer\n");
  const int TextureId = CTextureMgr::CloudTexture.Get_Texture_Id();
  ASSERT(TextureId >= 0);
  CTextureMgr::CloudTexture.Set_Texture_Id(Create_Texture(Upload_Cloud_Data));

  Set_Name("Cloud layer");
  if (HardwareAccelerated) {
    RotationRate.x = Random_Triangular(-MAX_ROTATION_RATE, MAX_ROTATION_RATE);
    RotationRate.y = Random_Triangular(-MAX_ROTATION_RATE, MAX_ROTATION_RATE);
    RotationRate.z = Random_Triangular(-MAX_ROTATION_RATE, MAX_ROTATION_RATE);
  }
  Init_Surface_Material();

  Assert_Earth_Exists();
  Set_Diameter(CEarth::Get_Earth_Diameter() * DIAMETER_FACTOR);

  PQuadric = gluNewQuadric();
  gluQuadricTexture(PQuadric, GL_TRUE);
  ++LayerCount;
}

CCloudLayer::~CCloudLayer() {
  CUtility::Log("CCloudLayer::~CCloudLayer\n");
  gluDeleteQuadric(PQuadric);
}

void CCloudLayer::Update() {
  Assert_Earth_Exists();
  CVector3 turn = RotationRate;
  turn *= CTimer::Get_Frame_Sim_Time_S();
  RotationAngle += turn;
  Fade = Fade_In(Fade, FADE_RATE, 1);
  Set_Surface_Opacity(Fade);
}

void CCloudLayer::Special_Render_3d() {
  CSmartObject::Special_Render_3d();
  glPushMatrix();
  glRotated(-(RotationAngle.x + 90), 1, 0, 0);
  glRotated(RotationAngle.y, 0, 1, 0);
  glRotated(RotationAngle.z, 0, 0, 1);
  // The shell's alpha is Fade times the texture's alpha (modulate).
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_DEPTH_TEST);
  const int TextureId = CTextureMgr::CloudTexture.Get_Texture_Id();
  ASSERT(TextureId >= 0);
  Draw_Lit_Sphere(PQuadric, TextureId, SPHERE_SLICES);
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glDisable(GL_BLEND);
  glPopMatrix();
}

void CCloudLayer::Prevent_Memory_Leak() {
  CUtility::Log("CCloudLayer::Prevent_Memory_Leak\n");
  CTextureMgr::CloudTexture.Free_Unconsumed();
}
