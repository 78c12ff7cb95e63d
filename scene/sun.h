// CSun: the Sun at its true direction and distance, the place of the scene
// light, drawn as a glowing 3D billboard in the colour SunColorEnum picks.
#pragma once

#include "scene/billboard3d.h"
#include "scene/celestialbody.h"
#include "utilitylib/vector3.h"

class CSun : public CCelestialBody {
 public:
  // Builds the glow texture, picks the colour and becomes TheSun; the glow
  // billboard exists only when ShowSun is on.
  CSun();
  ~CSun() override;

  // Projects the Sun for the lens flare; draws its line with ShowLines.
  void Special_Render_3d() override;
  // Follows the sub-solar point; drifts the colour in changing mode; moves
  // and fades in the glow.
  void Update() override;

  // Picks the colour by SunColorEnum: 0 custom, 1 random, 2 changing.
  void Init_Color();

  const CVector3& Get_Color() const { return color; }
  double Get_Fade() const { return fade; }
  // The glow, owned by the object manager; null when ShowSun is off.
  CBillboard3d* Get_Billboard() const { return billboard; }
  // Window position (x, y in 0..1, y downward; z the window depth) after the
  // last 3D pass.
  const CVector3& Get_Screen_Position() const { return screen_position; }
  // True when the centre lies outside the view; true until the first 3D pass.
  bool Is_Off_Screen() const { return off_screen; }

  static int TextureId;

 private:
  void Create_Billboard();

  CVector3 color;
  CBillboard3d* billboard = nullptr;
  int color_mode = 0;
  CVector3 screen_position;
  bool off_screen = true;
  double fade = 0;
};

// The one live Sun, or null.
extern CSun* TheSun;
