// The Controls page: each slider, check box and colour mode writes its option at once.
#include "config/configurecontrols.h"

#include <iterator>

#include "config/configure.h"
#include "config/options.h"
#include "utilitylib/utility.h"

namespace {

using C = CConfigureControls;
using platform::DialogControls;
using platform::DialogEvent;

struct CheckBoxOption {
  int control_id;
  CRegistryBool* option;
};

// Set by Init_Controls in this order, before the name rules run.
const CheckBoxOption FIRST_CHECK_BOXES[] = {
    {C::IDC_SHOW_SUN, &COptions::ShowSun},
    {C::IDC_SHOW_MOON, &COptions::ShowMoon},
    {C::IDC_SHOW_NEBULAE, &COptions::ShowNebulae},
    {C::IDC_SHOW_STARS, &COptions::ShowStars},
    {C::IDC_SHOW_CLOUDS, &COptions::ShowClouds},
    {C::IDC_SHOW_ATMOSPHERE, &COptions::ShowAtmosphere},
    {C::IDC_SHOW_LENS_FLARE, &COptions::ShowLensFlare},
    {C::IDC_SHOW_LAT_LONG, &COptions::ShowLatLong},
    {C::IDC_SHOW_LINES, &COptions::ShowLines},
    {C::IDC_SHOW_SOLAR_TIME, &COptions::ShowUniversalTime},
    {C::IDC_SHOW_LOCAL_TIME, &COptions::ShowLocalTime},
    {C::IDC_SHOW_CITIES, &COptions::ShowCities},
    {C::IDC_SHOW_CITY_NAMES, &COptions::ShowCityNames},
    {C::IDC_SHOW_STATE_NAMES, &COptions::ShowStateNames},
    {C::IDC_SHOW_COUNTRY_NAMES, &COptions::ShowCountryNames},
    {C::IDC_PIXEL_ALIGNED, &COptions::PixelAlignedText},
    {C::IDC_SHOW_FRAMERATE, &COptions::ShowFramerate},
};

// Set after the name rules.
const CheckBoxOption LATE_CHECK_BOXES[] = {
    {C::IDC_EARTH_TRANSPARENT, &COptions::IsEarthTransparent},
    {C::IDC_ROTATE_EAST, &COptions::RotateEast},
    {C::IDC_DAYLIGHT_COMPENSATION, &COptions::UseDaylightCompensation},
};

struct SliderOption {
  int control_id;
  CRegistryFloat* option;
};

const SliderOption SLIDERS[] = {
    {C::IDC_SLIDER_BODY_SIZE, &COptions::FactorBodySize},
    {C::IDC_SLIDER_FOV, &COptions::FactorCameraFov},
    {C::IDC_SLIDER_ROTATION, &COptions::FactorCameraRotationSpeed},
    {C::IDC_SLIDER_AMBIENT, &COptions::FactorDarkSideBrightness},
    {C::IDC_SLIDER_PERSISTENCE, &COptions::FactorCitiesPersistence},
    {C::IDC_SLIDER_TIME_ACCELERATION, &COptions::FactorTimeAcceleration},
};

// A colour group: three radio buttons for modes 0 (the custom colour), 1, 2.
struct ColorGroup {
  CRegistryInt* mode;
  CRegistryInt* custom_color;
  int mode_buttons[3];
};

const ColorGroup COLOR_GROUPS[] = {
    {&COptions::SunColorEnum, &COptions::CustomSunColor,
     {C::IDC_SUN_CUSTOM, C::IDC_SUN_RANDOM, C::IDC_SUN_CHANGING}},
    {&COptions::NebulaColorEnum, &COptions::CustomNebulaColor,
     {C::IDC_NEBULA_CUSTOM, C::IDC_NEBULA_RANDOM, C::IDC_NEBULA_MIXTURE}},
};

const char* const CHOOSE_TEXT = "Choose...";

// The options that "Restore Defaults" resets, in this order.
CRegistryBool* const RESTORED_BOOLS[] = {
    &COptions::ShowSun, &COptions::ShowMoon, &COptions::ShowNebulae, &COptions::ShowStars,
    &COptions::ShowClouds, &COptions::ShowAtmosphere, &COptions::ShowLensFlare,
    &COptions::ShowLatLong, &COptions::ShowLines, &COptions::ShowLocalTime,
    &COptions::ShowUniversalTime, &COptions::IsEarthTransparent, &COptions::RotateEast,
    &COptions::UseDaylightCompensation,
};
CRegistryFloat* const RESTORED_FACTORS[] = {
    &COptions::FactorBodySize, &COptions::FactorCameraFov, &COptions::FactorCameraRotationSpeed,
    &COptions::FactorDarkSideBrightness,
};
CRegistryInt* const RESTORED_COLORS[] = {
    &COptions::SunColorEnum, &COptions::NebulaColorEnum, &COptions::CustomSunColor,
    &COptions::CustomNebulaColor,
};
CRegistryBool* const RESTORED_CITY_BOOLS[] = {
    &COptions::ShowCities, &COptions::ShowCityNames, &COptions::ShowStateNames,
    &COptions::ShowCountryNames, &COptions::PixelAlignedText, &COptions::ShowFramerate,
};
CRegistryFloat* const RESTORED_LATE_FACTORS[] = {
    &COptions::FactorCitiesPersistence, &COptions::FactorTimeAcceleration,
};
CRegistryInt* const RESTORED_QUANTITIES[] = {
    &COptions::MinCloudQuantity, &COptions::MinNebulaeQuantity,
};

template <typename Options>
void reset_all(const Options& options) {
  for (auto* option : options) option->Reset_To_Default();
}

template <typename Table>
auto find_control(const Table& table, int control_id) -> decltype(&table[0]) {
  for (const auto& entry : table) {
    if (entry.control_id == control_id) return &entry;
  }
  return nullptr;
}

void set_check_boxes(DialogControls& dialog, const CheckBoxOption* begin,
                     const CheckBoxOption* end) {
  for (auto* box = begin; box != end; ++box) dialog.Set_Checked(box->control_id, box->option->Get());
}

// Paints a "Choose..." button's text in the group's current custom colour.
void paint_choose_button(DialogControls& dialog, const ColorGroup& group) {
  int button = group.mode_buttons[0];
  dialog.Set_Text_Color(button, uint32_t(group.custom_color->Get()));
  dialog.Set_Text(button, CHOOSE_TEXT);
}

void select_color_mode(DialogControls& dialog, const ColorGroup& group) {
  int mode = group.mode->Get();
  if (mode < 0 || mode > 2) ASSERT(!"DIE");
  dialog.Set_Checked(group.mode_buttons[mode], true);
}

void run_name_rules(DialogControls& dialog) {
  CConfigure::Update_Show_City_Names(dialog);
  CConfigure::Update_Show_State_Names(dialog);
  CConfigure::Update_Show_Country_Names(dialog);
}

// The colour group and mode of a radio button, or null.
const ColorGroup* find_color_button(int control_id, int* mode) {
  for (const auto& group : COLOR_GROUPS) {
    for (int m = 0; m < 3; ++m) {
      if (group.mode_buttons[m] == control_id) {
        *mode = m;
        return &group;
      }
    }
  }
  return nullptr;
}

}  // namespace

CConfigureControls::CConfigureControls() : CConfigurePage(CConfigure::CONTROLS_PAGE) {}

void CConfigureControls::On_Init(DialogControls& dialog) { Init_Controls(dialog); }

void CConfigureControls::Init_Controls(DialogControls& dialog) {
  CUtility::Log("CConfigureControls::Init_Controls\n");
  set_check_boxes(dialog, std::begin(FIRST_CHECK_BOXES), std::end(FIRST_CHECK_BOXES));
  run_name_rules(dialog);
  set_check_boxes(dialog, std::begin(LATE_CHECK_BOXES), std::end(LATE_CHECK_BOXES));
  for (const auto& slider : SLIDERS) CConfigure::Slider_Init(dialog, slider.control_id, *slider.option);
  for (const auto& group : COLOR_GROUPS) select_color_mode(dialog, group);
  for (const auto& group : COLOR_GROUPS) paint_choose_button(dialog, group);
}

void CConfigureControls::On_Event(DialogControls& dialog, int control_id, DialogEvent event) {
  if (Handle_Sheet_Notification(event)) return;
  if (event == DialogEvent::Scrolled) {
    const SliderOption* slider = find_control(SLIDERS, control_id);
    if (slider == nullptr) ASSERT(!"DIE");
    CConfigure::Slider_Read(dialog, control_id, *slider->option);
  } else if (event == DialogEvent::Clicked) {
    On_Command(dialog, control_id);
  }
}

void CConfigureControls::On_Command(DialogControls& dialog, int control_id) {
  const CheckBoxOption* box = find_control(FIRST_CHECK_BOXES, control_id);
  if (box == nullptr) box = find_control(LATE_CHECK_BOXES, control_id);
  if (box != nullptr) {
    box->option->Set(dialog.Is_Checked(control_id));
    if (control_id == IDC_SHOW_CITIES) CConfigure::Update_Show_City_Names(dialog);
    if (control_id == IDC_SHOW_CITIES || control_id == IDC_SHOW_CITY_NAMES) {
      CConfigure::Update_Show_State_Names(dialog);
      CConfigure::Update_Show_Country_Names(dialog);
    }
    return;
  }
  int mode = 0;
  if (const ColorGroup* group = find_color_button(control_id, &mode)) {
    if (mode == 0) {
      Choose_Color(dialog, control_id);
    } else {
      group->mode->Set(mode);
    }
    return;
  }
  if (control_id == IDC_RESTORE_DEFAULTS) Restore_Defaults(dialog);
  if (control_id == IDC_PREVIEW) CConfigure::Preview();
}

// The custom mode holds even when the chooser is cancelled.
void CConfigureControls::Choose_Color(DialogControls& dialog, int control_id) {
  int mode = 0;
  const ColorGroup* group = find_color_button(control_id, &mode);
  group->mode->Set(0);
  std::optional<uint32_t> chosen = dialog.Choose_Color(uint32_t(group->custom_color->Get()));
  if (!chosen) return;
  group->custom_color->Set(int32_t(*chosen & 0x00FFFFFF));
  paint_choose_button(dialog, *group);
}

void CConfigureControls::Restore_Defaults(DialogControls& dialog) {
  reset_all(RESTORED_BOOLS);
  reset_all(RESTORED_FACTORS);
  reset_all(RESTORED_COLORS);
  reset_all(RESTORED_CITY_BOOLS);
  reset_all(RESTORED_LATE_FACTORS);
  reset_all(RESTORED_QUANTITIES);
  run_name_rules(dialog);
  Init_Controls(dialog);
}
