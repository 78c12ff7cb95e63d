// The steps of start-up, frames and shut-down that other parts of the program
// carry out. Each function is the one place its step is called from; a step
// whose part is not in the program yet does what exists so far and says so.
#include "host/saver_steps.h"

#include <string>

#include "config/configuredialog.h"
#include "host/render.h"
#include "locations/locationlist.h"
#include "platform/platform.h"
#include "scene/cloudlayer.h"
#include "scene/smartobjectmgr.h"
#include "scene/spacebackdrop.h"
#include "textures/texturemgr.h"
#include "utilitylib/utility.h"

uint32_t Launch_Playlist(const char* playlist) {
  return CUtility::Launch_Closable_Document(playlist, true);
}

void Close_Playlist(uint32_t process_id) { CUtility::Close_Launched_Process(process_id); }

void Init_Locations() {
  CLocationList::Init_Locations();
  CSmartObjectMgr::Remove_Not_Shown_Locations();
}

void Start_Texture_Worker() {
  CTextureSettings settings = CTextureSettings::From_Options();
  settings.clouds.first_cloud_layer = CCloudLayer::Get_Layer_Count() == 0;
  CTextureMgr::Init(settings);
}

void Stop_Texture_Worker() { CTextureMgr::Close(); }

void Init_Frame_Driver() { CRender::Init(); }

void Resize_Frame_Driver() { CRender::Resize(); }

void Update_Frame() { CRender::Update(); }

void Render_Frame() { CRender::Render(); }

void Close_Frame_Driver() { CRender::Close(); }

void Delete_Scene_Objects() { CSmartObjectMgr::Close(); }

// Generated buffers that no scene object took; the worker has stopped.
void Free_Unused_Texture_Buffers() {
  CCloudLayer::Prevent_Memory_Leak();
  CSpaceBackdrop::Prevent_Memory_Leak();
}

// The configuration runs as "<this program> -c", in a process of its own so
// that it outlives the saver, which closes right after.
void Launch_Configuration() {
  CUtility::Change_To_Exe_Directory();
  const std::string program = platform::api().system.module_file_name();
  int error_code = 0;
  if (!platform::api().shell.start_detached({program, "-c"}, &error_code)) {
    CUtility::Log("Launch_Configuration: cannot start %s -c (error %d)\n", program.c_str(),
                  error_code);
  }
}

// The window that asked for the settings owns the sheet where the system
// has such owners (Win32); elsewhere the sheet is a window of its own.
int Run_Configuration_Mode(platform::WindowHandle owner) {
  if (auto set_owner = platform::api().dialog.set_owner) set_owner(owner);
  return ScreenSaverConfigureDialog();
}
