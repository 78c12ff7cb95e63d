// The configuration sheet: its pages, help, the shared slider operations and Preview.
#include "config/configure.h"

#include <cmath>
#include <filesystem>
#include <string>

#include "config/configurecities.h"
#include "config/configurecontrols.h"
#include "config/configureintro.h"
#include "config/configuremusic.h"
#include "config/configureoverview.h"
#include "config/options.h"
#include "platform/platform.h"
#include "utilitylib/utility.h"

namespace {

const char* const SHEET_CAPTION = "Orbalune 3D";
const char* const HELP_DOCUMENT = "ob3d_help.htm";
const char* const INSTALLED_DOCUMENTATION = "share/doc/orbalune3d";

// A stored page index outside the sheet opens the first page.
int start_page(int page_count) {
  int index = COptions::CurrentConfigureSheet.Get();
  return (index >= 0 && index < page_count) ? index : 0;
}

// The help document in the folder that AppDir names. Without one, the
// document beside the program (as in a build tree) or in the installed
// documentation folder beside the program's bin folder; "" when neither
// exists.
std::string help_document() {
  std::string folder = COptions::AppDir.Get();
  // Always joined with a separator, even after a trailing one: a doubled
  // separator still names the same file.
  if (!folder.empty()) return folder + "/" + HELP_DOCUMENT;
  std::filesystem::path program = platform::api().system.module_file_name();
  std::filesystem::path beside = program.parent_path();
  for (const auto& candidate : {beside / HELP_DOCUMENT,
                                beside.parent_path() / INSTALLED_DOCUMENTATION / HELP_DOCUMENT}) {
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error)) return candidate.string();
  }
  return "";
}

}  // namespace

void CConfigure::Create_Property_Sheet() {
  CUtility::Log("CConfigure::Create_Property_Sheet\n");
  CConfigureIntro introduction;
  CConfigureOverview overview;
  CConfigureControls controls;
  CConfigureCities cities;
  CConfigureMusic music;
  Run_Property_Sheet({&introduction, &overview, &controls, &cities, &music});
}

void CConfigure::Run_Property_Sheet(const std::vector<platform::DialogPage*>& pages) {
  auto& dialog = platform::api().dialog;
  if (!dialog.run_property_sheet(SHEET_CAPTION, pages, start_page(int(pages.size())))) {
    CUtility::Log("  the settings sheet cannot be shown: no display\n");
    platform::api().system.message_box("The settings need a graphical display.", SHEET_CAPTION,
                                       platform::MessageBoxIcon::Error);
  }
}

bool CConfigure::Bring_Open_Sheet_To_Front() {
  auto& dialog = platform::api().dialog;
  return dialog.bring_sheet_to_front && dialog.bring_sheet_to_front(SHEET_CAPTION);
}

void CConfigure::Show_Help() {
  CUtility::Log("CConfigure::Show_Help\n");
  std::string document = help_document();
  if (document.empty()) {
    CUtility::Log("  no help document beside the program\n");
    platform::api().system.beep();
    return;
  }
  CUtility::Change_To_Exe_Directory();
  CUtility::Launch_Url(document.c_str());
}

void CConfigure::Slider_Init(platform::DialogControls& dialog, int control_id,
                             const CRegistryFloat& option) {
  // In double precision, so that 0.7f (slightly below 0.7) gives 699.
  int position = int(std::trunc(double(option.Get()) * SLIDER_RESOLUTION));
  dialog.Set_Slider(control_id, 0, SLIDER_RESOLUTION, position);
}

void CConfigure::Slider_Read(platform::DialogControls& dialog, int control_id,
                             CRegistryFloat& option) {
  option.Set(float(dialog.Get_Slider(control_id)) / float(SLIDER_RESOLUTION));
}

void CConfigure::Preview() {
  std::string saver = platform::api().system.module_file_name();
  int error_code = 0;
  if (!platform::api().shell.start_detached({saver, "-s"}, &error_code)) {
    CUtility::Log("::ShellExecute failed with error code %d.\n", error_code);
  }
}
