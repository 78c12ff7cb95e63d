// The configuration dialog: start-up, the single-instance lock, the sheet,
// and the clean-up when it closes.
#include "config/configuredialog.h"

#include "config/configure.h"
#include "host/resolution.h"
#include "host/saver_window.h"
#include "platform/platform.h"
#include "scene/smartobjectmgr.h"
#include "utilitylib/utility.h"

namespace {

// Held while a sheet is open; the system drops it if the process dies.
const char* const INSTANCE_LOCK = "Vantrel Orbalune 3D Mutex";
constexpr int DIALOG_RESULT = 1;

void destroy_dialog() {
  CUtility::Log("ScreenSaverConfigureDialog WM_DESTROY\n");
  // The locations that the Cities page built.
  CSmartObjectMgr::Close();
  platform::api().shell.release_instance_lock();
}

}  // namespace

int ScreenSaverConfigureDialog() {
  Init_Application();
  CUtility::Log("ScreenSaverConfigureDialog WM_INITDIALOG\n");
  if (!platform::api().shell.acquire_instance_lock(INSTANCE_LOCK)) {
    CUtility::Log("  CreateMutex failed\n");
    // The user asked for the settings: the open sheet comes forward, as a
    // second full-screen start brings the running saver forward.
    if (CConfigure::Bring_Open_Sheet_To_Front()) CUtility::Log("  the open sheet is in front\n");
    return DIALOG_RESULT;
  }
  CResolution::Init_Screen_Dimensions();
  CResolution::Set_Window_Dimensions(CResolution::Get_Screen_Width(),
                                     CResolution::Get_Screen_Height());
  CConfigure::Create_Property_Sheet();
  destroy_dialog();
  return DIALOG_RESULT;
}
