// The settings sheet on Windows behind platform::DialogApi.
//
// Missing: the property sheet itself (a later version). Until then the
// configuration mode shows nothing: Windows' Screen Saver Settings simply
// get control back, and no error box stands in the way.
#include "platform/win32_connect.h"
#include "utilitylib/utility.h"

namespace platform::win32 {
namespace {

bool run_property_sheet(const char*, const std::vector<DialogPage*>&, int) {
  CUtility::Log("  the settings sheet is not available on Windows yet\n");
  return true;
}

void post_task(int, std::function<void()>) {}

}  // namespace

void connect_dialog(DialogApi& dialog) {
  dialog.run_property_sheet = run_property_sheet;
  dialog.post_task = post_task;
}

}  // namespace platform::win32
