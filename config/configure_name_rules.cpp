// The enable and clear rules of the "Show City / State / Country Names" boxes.
#include "config/configure.h"
#include "config/configurecontrols.h"
#include "config/options.h"
#include "utilitylib/utility.h"

namespace {

// Enables the box exactly when its condition holds; when the box it depends
// on is off, its own option and box are cleared as well.
void update_name_box(platform::DialogControls& dialog, int control_id, CRegistryBool& option,
                     bool enabled, bool depended_on) {
  dialog.Enable(control_id, enabled);
  if (!depended_on) {
    option.Set(false);
    dialog.Set_Checked(control_id, false);
  }
}

void update_label_part(platform::DialogControls& dialog, int control_id, CRegistryBool& option) {
  bool names = COptions::ShowCityNames.Get();
  update_name_box(dialog, control_id, option, COptions::ShowCities.Get() && names, names);
}

}  // namespace

void CConfigure::Update_Show_City_Names(platform::DialogControls& dialog) {
  CUtility::Log("CConfigure::Update_Show_City_Names\n");
  bool cities = COptions::ShowCities.Get();
  update_name_box(dialog, CConfigureControls::IDC_SHOW_CITY_NAMES, COptions::ShowCityNames,
                  cities, cities);
}

void CConfigure::Update_Show_State_Names(platform::DialogControls& dialog) {
  CUtility::Log("CConfigure::Update_Show_State_Names\n");
  update_label_part(dialog, CConfigureControls::IDC_SHOW_STATE_NAMES, COptions::ShowStateNames);
}

void CConfigure::Update_Show_Country_Names(platform::DialogControls& dialog) {
  CUtility::Log("CConfigure::Update_Show_Country_Names\n");
  update_label_part(dialog, CConfigureControls::IDC_SHOW_COUNTRY_NAMES,
                    COptions::ShowCountryNames);
}
