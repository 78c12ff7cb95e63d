// The Cities page: which cities are marked, the user's own cities, the
// viewpoint city and the heading. The location files are written when the
// page is left, when the sheet goes away and before a preview.
#include "config/configurecities.h"

#include <string>

#include "config/addresses.h"
#include "config/configure.h"
#include "config/configurecities_details.h"
#include "config/options.h"
#include "locations/location.h"
#include "locations/locationlist.h"
#include "platform/platform.h"
#include "scene/smartobjectmgr.h"
#include "utilitylib/utility.h"

namespace {

using platform::DialogControls;
using platform::DialogEvent;
using C = CConfigureCities;

constexpr size_t HEADING_LIMIT = 499;

std::string description_of(const CLocationData& location) {
  char text[CLocationData::DESCRIPTION_SIZE];
  location.Get_Description(text);
  return text;
}

int other_list(int list) { return list == C::IDC_AVAILABLE ? C::IDC_SELECTED : C::IDC_AVAILABLE; }

// The list whose entry is selected, the not-shown list first; 0 for none.
int list_with_selection(DialogControls& dialog) {
  for (int list : {C::IDC_AVAILABLE, C::IDC_SELECTED}) {
    if (dialog.List_Selection(list) >= 0) return list;
  }
  return 0;
}

std::string selected_text(DialogControls& dialog, int list) {
  return dialog.List_Text(list, dialog.List_Selection(list));
}

void refresh_viewpoint_text(DialogControls& dialog) {
  std::string text = "No geostationary viewpoint is set.";
  uint32_t crc = uint32_t(COptions::GeoLocationCrc.Get());
  if (crc != 0) {
    if (CLocation* location = CSmartObjectMgr::Find_Location_By_Crc(crc)) {
      text = "Geostationary viewpoint is above " + description_of(*location);
    } else {
      COptions::GeoLocationCrc.Set(0);
    }
  }
  dialog.Set_Text(C::IDC_VIEWPOINT, text);
}

void fill_lists(DialogControls& dialog) {
  for (CSmartObject* object = CSmartObjectMgr::Get_Head(); object; object = object->Get_Next()) {
    CLocation* location = object->Get_Location();
    if (location == nullptr) continue;
    dialog.List_Add(location->is_shown ? C::IDC_SELECTED : C::IDC_AVAILABLE,
                    description_of(*location));
  }
}

// Moves one entry to the other list and sets the location's flag to match.
void move_entry(DialogControls& dialog, int from, int index, bool shown) {
  std::string text = dialog.List_Text(from, index);
  if (CLocation* location = CSmartObjectMgr::Find_Location_By_Description(text.c_str()))
    location->is_shown = shown;
  dialog.List_Remove(from, index);
  dialog.List_Add(other_list(from), text);
}

}  // namespace

CConfigureCities::CConfigureCities() : CConfigurePage(CConfigure::CITIES_PAGE) {}

void CConfigureCities::On_Init(DialogControls& dialog) {
  CUtility::Log("CConfigureCities::Cities_Dialog_Proc WM_INITDIALOG\n");
  dialog.Set_Text(IDC_HEADING, COptions::CitiesHeading.Get());
  CLocationList::Init_Locations();
  fill_lists(dialog);
  Correction_Link.Init(IDC_EMAIL);
  Correction_Link.Set_Url((std::string(addresses::CORRECTIONS_URL) + "?subject=City Correction").c_str());
  refresh_viewpoint_text(dialog);
}

void CConfigureCities::Save_Settings(DialogControls& dialog) {
  CUtility::Log("CConfigureCities::Save_Settings\n");
  COptions::CitiesHeading.Set(dialog.Get_Text(IDC_HEADING).substr(0, HEADING_LIMIT).c_str());
  bool saved = CLocationList::Save_Is_Shown_Data();
  saved = CLocationList::Save_User_Locations() && saved;
  if (!saved) {
    std::string text = "The city files could not be saved in " +
                       platform::api().system.program_folder() + ".";
    platform::api().system.message_box(text.c_str(), "Orbalune 3D",
                                       platform::MessageBoxIcon::Warning);
  }
}

void CConfigureCities::On_Event(DialogControls& dialog, int control_id, DialogEvent event) {
  if (Handle_Sheet_Notification(event)) return;
  switch (event) {
    case DialogEvent::PageLeft:
    case DialogEvent::PageDestroyed:
      Save_Settings(dialog);
      return;
    case DialogEvent::SelectionChanged:
      On_Selection(dialog, control_id);
      return;
    case DialogEvent::DoubleClicked:
      On_Double_Click(dialog, control_id);
      return;
    default:
      On_Command(dialog, control_id, event);
  }
}

void CConfigureCities::On_Command(DialogControls& dialog, int control_id, DialogEvent event) {
  if (event != DialogEvent::Clicked) return;
  switch (control_id) {
    case IDC_MOVE_ALL_RIGHT:
      Move_All(dialog, IDC_AVAILABLE, true);
      break;
    case IDC_MOVE_ALL_LEFT:
      Move_All(dialog, IDC_SELECTED, false);
      break;
    case IDC_ADD_A_CITY:
      dialog.List_Select(IDC_AVAILABLE, -1);
      dialog.List_Select(IDC_SELECTED, -1);
      city_details::Clear(dialog, true);
      dialog.Focus(IDC_CITY);
      break;
    case IDC_DELETE:
      Delete_Location(dialog, true);
      break;
    case IDC_ADD:
      Add_Or_Modify(dialog);
      break;
    case IDC_SET_VIEWPOINT:
      Set_Viewpoint(dialog);
      break;
    case IDC_CLEAR_VIEWPOINT:
      COptions::GeoLocationCrc.Set(0);
      refresh_viewpoint_text(dialog);
      break;
    case IDC_PREVIEW:
      Save_Settings(dialog);
      CConfigure::Preview();
      break;
    case IDC_EMAIL:
      CUtility::Log("CConfigureCities::Dialog_Proc IDC_EMAIL\n");
      Correction_Link.Launch();
      break;
    default:
      break;
  }
}

void CConfigureCities::On_Selection(DialogControls& dialog, int list) {
  CUtility::Log(list == IDC_AVAILABLE ? "IDC_AVAILABLE LBN_SELCHANGE\n"
                                      : "IDC_SELECTED LBN_SELCHANGE\n");
  dialog.List_Select(other_list(list), -1);
  std::string text = selected_text(dialog, list);
  if (CLocation* location = CSmartObjectMgr::Find_Location_By_Description(text.c_str()))
    city_details::Show(dialog, *location);
}

void CConfigureCities::On_Double_Click(DialogControls& dialog, int list) {
  int index = dialog.List_Selection(list);
  if (index >= 0) {
    move_entry(dialog, list, index, list == IDC_AVAILABLE);
    city_details::Clear(dialog, true);
  }
  dialog.List_Select(other_list(list), -1);
}

void CConfigureCities::Move_All(DialogControls& dialog, int from, bool shown) {
  while (dialog.List_Count(from) > 0) move_entry(dialog, from, 0, shown);
  city_details::Clear(dialog, false);
}

void CConfigureCities::Set_Viewpoint(DialogControls& dialog) {
  int list = list_with_selection(dialog);
  CLocation* location =
      list ? CSmartObjectMgr::Find_Location_By_Description(selected_text(dialog, list).c_str())
           : nullptr;
  if (location == nullptr) {
    dialog.Beep();
    return;
  }
  COptions::GeoLocationCrc.Set(int32_t(location->crc));
  refresh_viewpoint_text(dialog);
}

bool CConfigureCities::Delete_Location(DialogControls& dialog, bool confirm) {
  int list = list_with_selection(dialog);
  if (list == 0) return false;
  std::string text = selected_text(dialog, list);
  CLocation* p_location = CSmartObjectMgr::Find_Location_By_Description(text.c_str());
  // Delete is disabled while a built-in city is shown, but a selection the
  // page was not told of must not end the dialog: such a city stays, and Add
  // adds beside it.
  if (p_location == nullptr || p_location->Get_Is_Official()) {
    CUtility::Log("CConfigureCities::Delete_Location: >%s< is not a user city\n", text.c_str());
    if (confirm) dialog.Beep();
    return false;
  }
  if (confirm && !dialog.Ask_Yes_No("Do you want to delete " + text + "?", "Please confirm"))
    return false;
  bool was_viewpoint = p_location->crc == uint32_t(COptions::GeoLocationCrc.Get());
  if (was_viewpoint) {
    COptions::GeoLocationCrc.Set(0);
    refresh_viewpoint_text(dialog);
  }
  CSmartObjectMgr::Remove(p_location);
  dialog.List_Remove(list, dialog.List_Selection(list));
  city_details::Clear(dialog, false);
  return was_viewpoint;
}

void CConfigureCities::Add_Or_Modify(DialogControls& dialog) {
  int target = dialog.List_Selection(IDC_SELECTED) >= 0 ? IDC_SELECTED : IDC_AVAILABLE;
  city_details::Fields fields = city_details::Read(dialog);
  if (!city_details::Is_Valid(fields)) {
    dialog.Beep();
    return;
  }
  // A second location with the same description would share its identity,
  // and the lists could no longer tell the two apart.
  char description[CLocationData::DESCRIPTION_SIZE];
  CLocationData::Build_Description(fields.city.c_str(), fields.state.c_str(),
                                   fields.country.c_str(), description);
  CLocation* same = CSmartObjectMgr::Find_Location_By_Description(description);
  int selected_list = list_with_selection(dialog);
  if (same && (selected_list == 0 || selected_text(dialog, selected_list) != description)) {
    dialog.Beep();
    return;
  }
  bool was_viewpoint = Delete_Location(dialog, false);
  auto* location = new CLocation(fields.city.c_str(), fields.state.c_str(), fields.country.c_str(),
                                 fields.lat_deg, fields.lat_min, fields.dir_ns, fields.lon_deg,
                                 fields.lon_min, fields.dir_ew);
  location->Set_Is_Official(false);
  location->is_shown = target == IDC_SELECTED;
  if (was_viewpoint) {
    COptions::GeoLocationCrc.Set(int32_t(location->crc));
    refresh_viewpoint_text(dialog);
  }
  int index = dialog.List_Add(target, description);
  dialog.List_Select(target, index);
  city_details::Show(dialog, *location);
}
