// CRender: initial GL state, staged creation, the update order and the 3D pass.
#include "host/render.h"

#include <GL/gl.h>

#include <vector>

#include "astro/camera3d.h"
#include "astro/gmt.h"
#include "astro/light.h"
#include "config/options.h"
#include "host/monitor_views.h"
#include "host/render_overlay.h"
#include "host/render_scene.h"
#include "host/render_staging.h"
#include "host/resolution.h"
#include "host/saver_host.h"
#include "host/saver_window.h"
#include "host/texturefont.h"
#include "platform/platform.h"
#include "scene/smartobjectmgr.h"
#include "textures/texturemgr.h"
#include "utilitylib/kvmath.h"
#include "utilitylib/timer.h"
#include "utilitylib/utility.h"

namespace {

const int FONT_SPACING = 8;
// Beyond the camera's distance the far plane reaches past the backdrop.
const double FAR_CLIP_MARGIN = 170000;

CLight* PLight = nullptr;
CCreationCountdown CreationCountdown;
CBailCountdown BailCountdown;
CRender::FrameObserver Observer = nullptr;
// The parts of the window that a frame draws the scene into, the primary
// monitor's first.
std::vector<platform::Rect> Views;

void Create_Row(CreationRow row) {
  switch (row) {
    case CreationRow::Backdrop: Create_Space_Backdrop(); break;
    case CreationRow::Sun: Create_Sun(); break;
    case CreationRow::Moon: Create_Moon(); break;
    case CreationRow::Earth: Create_Earth(); break;
    case CreationRow::LensFlares: Create_Lens_Flares(); break;
    case CreationRow::CloudLayer: Create_Cloud_Layer(); break;
    case CreationRow::None: break;
  }
}

// Makes the next object of the creation table once the countdown is due.
void Staged_Creation(bool due) {
  if (!due) return;
  const CreationRow row = Next_Creation_Row(Current_Creation_State());
  if (row == CreationRow::None) return;
  Create_Row(row);
  CreationCountdown.Restart();
}

// The frame posts one close to the foreground window once BailCountdownS
// real seconds have passed.
void Check_Bail_Countdown() {
  if (!BailCountdown.Is_Due(COptions::BailCountdownS.Get(), CTimer::Get_Elapsed_Time_S())) return;
  platform::WindowApi& windows = platform::api().window;
  const platform::WindowHandle foreground = windows.foreground_window();
  CUtility::Log("CRender::Update: BailCountdownS reached, closing\n");
  if (foreground) windows.post_message(foreground, platform::WM_CLOSE, 0, 0);
}

void Place_Light_At_Sun() {
  CVector3 sun_position;
  if (!Get_Sun_Position(&sun_position)) return;
  ASSERT(PLight != NULL);
  PLight->Set_Position(sun_position);
}

double Aspect_Ratio(const platform::Rect& view) { return double(view.width) / view.height; }

// Makes the view the target of what follows: viewport, camera ratio and the
// window size that overlays and projections use.
void Begin_View(const platform::Rect& view) {
  const platform::Rect viewport = Gl_Viewport(view, CResolution::Get_Window_Height());
  glViewport(viewport.x, viewport.y, viewport.width, viewport.height);
  TheCamera.Switch_Aspect_Ratio(Aspect_Ratio(view));
  CResolution::Begin_View(view.width, view.height);
}

}  // namespace

void CRender::Init() {
  CUtility::Log("CRender::Init\n");
  // The context stands where the window's device context stood: without
  // one, no GL call below would do anything.
  ASSERT(glGetString(GL_VERSION) != NULL);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClearDepth(1.0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glEnable(GL_CULL_FACE);
  TheCamera.Init(HardwareAccelerated);
  PLight = new CLight;
  PLight->Init(GL_LIGHT0);
  CTextureFont::Init(FONT_SPACING);
  Init_Lens_Flares();
  Forget_Cloud_Layer();
  CreationCountdown = CCreationCountdown{};
  BailCountdown = CBailCountdown{};
  Reset_Overlays();
}

void CRender::Close() {
  CUtility::Log("CRender::Close\n");
  delete PLight;
  PLight = nullptr;
  CTextureFont::Close();
  Close_Lens_Flares();
}

void CRender::Resize() {
  CUtility::Log("CRender::Resize\n");
  Read_Views();
  glViewport(0, 0, CResolution::Get_Window_Width(), CResolution::Get_Window_Height());
  for (const platform::Rect& view : Views) TheCamera.Set_Aspect_Ratio(Aspect_Ratio(view));
}

// The full-screen window covers the screen from its top-left corner, so the
// monitors are parts of it as they are of the screen.
void CRender::Read_Views() {
  const platform::Size window{CResolution::Get_Window_Width(), CResolution::Get_Window_Height()};
  const bool full_screen = !PreviewMode && !HostedMode;
  Views = full_screen ? Monitor_Views(platform::api().window.monitors(), window)
                      : std::vector<platform::Rect>{{0, 0, window.width, window.height}};
  if (Views.size() < 2) return;
  for (const platform::Rect& view : Views) {
    CUtility::Log("  Monitor %dx%d at %d,%d\n", view.width, view.height, view.x, view.y);
  }
}

void CRender::Update() {
  const bool creation_due = CreationCountdown.Tick();
  const double FRAME_SIM_TIME_S = CTimer::Get_Frame_Sim_Time_S();
  ASSERT(FRAME_SIM_TIME_S > -EPSILON);
  Staged_Creation(creation_due);
  Update_Solar_Position();
  CSmartObjectMgr::Update_All();
  Update_Lens_Flare_Visibility();
  Update_Star_Population();
  TheCamera.Update(CTextureMgr::Get_Stage() == CTextureMgr::STAGE_READY,
                   CTimer::Get_Frame_Time_S(), CTimer::Get_Frame_Sim_Time_S());
  Update_Label_Fade();
  Check_Bail_Countdown();
}

void CRender::Render() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  for (size_t i = 0; i < Views.size(); ++i) {
    Begin_View(Views[i]);
    Render_3d();
    if (Views.size() > 1) Follow_Sun_With_Lens_Flares(i);
    Render_Overlays(i == 0);
    CResolution::End_View();
  }
  if (Observer) Observer();
}

void CRender::Set_Frame_Observer(FrameObserver observer) { Observer = observer; }

void CRender::Render_3d() {
  TheCamera.Set_Clip_Distance_Far(TheCamera.Get_Distance() + FAR_CLIP_MARGIN);
  TheCamera.Apply();
  Render_Space_Backdrop();
  Place_Light_At_Sun();
  glDisable(GL_DEPTH_TEST);
  CSmartObjectMgr::Render_3d_All();
  glEnable(GL_DEPTH_TEST);
  Render_Bodies();
}
