// CLensFlare: one element of the lens-flare chain.
#include "scene/lensflare.h"

#include <GL/gl.h>

#include "scene/billboard2d.h"
#include "scene/lensflaremgr.h"
#include "scene/sun.h"
#include "utilitylib/kvmath.h"
#include "utilitylib/random.h"
#include "utilitylib/utility.h"

namespace {

const double MIN_SIZE = 0.01;
const double MAX_SIZE = 0.05;
const double MIN_BRIGHTNESS = 0.3;
const double MAX_BRIGHTNESS = 3;
const double MIN_TINT = 0.7;
const double MAX_TINT = 1.3;
const CVector3 SCREEN_CENTRE(0.5, 0.5, 0);

}  // namespace

CLensFlare::CLensFlare() {
  const double size = Random_Range(MIN_SIZE, MAX_SIZE);
  const CTextureData& texture_data =
      CLensFlareMgr::Get_Texture_Data(Rand() % CLensFlareMgr::NUM_FLARE_TEXTURES);
  ASSERT(texture_data.Get_Texture_Id() >= 0);
  PBillboard = new CBillboard2d;
  PBillboard->Set_Name("Flare");
  PBillboard->Set_Size(size);
  PBillboard->color = CVector4(1, 1, 1, 1);
  PBillboard->size_x = texture_data.Get_Width();
  PBillboard->size_y = texture_data.Get_Height();
  PBillboard->Set_Texture_Id(texture_data.Get_Texture_Id());
  // Additive: the sprite only ever adds light.
  PBillboard->blend_destination = GL_ONE;
  Offset = 0;
  Brightness = Random_Range(MIN_BRIGHTNESS, MAX_BRIGHTNESS);
  RedFactor = Random_Range(MIN_TINT, MAX_TINT);
  GreenFactor = Random_Range(MIN_TINT, MAX_TINT);
  BlueFactor = Random_Range(MIN_TINT, MAX_TINT);
}

void CLensFlare::Update() {
  CSmartObject::Update();
  ASSERT(PBillboard != NULL);
  const CSun* const THE_SUN = TheSun;
  ASSERT(THE_SUN != NULL);
  Follow_Sun(THE_SUN->Get_Screen_Position(), THE_SUN->Get_Color(), THE_SUN->Get_Fade(),
             CLensFlareMgr::Intensity);
}

void CLensFlare::Follow_Sun(const CVector3& sun_screen, const CVector3& sun_color,
                            double sun_fade, double intensity) {
  CVector3 along = sun_screen;
  along -= SCREEN_CENTRE;
  along *= Offset;
  PBillboard->position = SCREEN_CENTRE;
  PBillboard->position += along;
  CVector4& color = PBillboard->color;
  color.x = RedFactor * Brightness * sun_color.x;
  color.y = GreenFactor * Brightness * sun_color.y;
  color.z = BlueFactor * Brightness * sun_color.z;
  color.w = sun_fade * intensity;
  color.Clamp(0, 1);
}
