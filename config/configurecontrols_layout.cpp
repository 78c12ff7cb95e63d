// The Controls page's controls and their places (dialog units, 400 x 230).
#include "config/configurecontrols.h"

#include <vector>

namespace {

using platform::ControlKind;
using platform::ControlTemplate;
using C = CConfigureControls;

struct SliderRow {
  int id;
  const char* caption;
  const char* left;
  const char* right;
};

const SliderRow SLIDER_ROWS[] = {
    {C::IDC_SLIDER_AMBIENT, "Ambient light", "Darker", "Brighter"},
    {C::IDC_SLIDER_ROTATION, "Rotation around Earth", "Slower", "Faster"},
    {C::IDC_SLIDER_FOV, "Camera Field of View", "Smaller", "Larger"},
    {C::IDC_SLIDER_BODY_SIZE, "Size of Celestial Bodies", "To Scale", "25 x"},
    {C::IDC_SLIDER_PERSISTENCE, "Persistence of City Labels", "Shorter", "Longer"},
    {C::IDC_SLIDER_TIME_ACCELERATION, "Time Acceleration", "None", "Lots"},
};

struct ToggleRow {
  int id;
  const char* text;
};

const ToggleRow TOGGLE_ROWS[] = {
    {C::IDC_SHOW_SOLAR_TIME, "Show Solar Time"},
    {C::IDC_SHOW_LOCAL_TIME, "Show Local Time"},
    {C::IDC_SHOW_SUN, "Show Sun"},
    {C::IDC_SHOW_MOON, "Show Moon"},
    {C::IDC_SHOW_NEBULAE, "Show Nebulae"},
    {C::IDC_SHOW_STARS, "Show Stars"},
    {C::IDC_SHOW_CLOUDS, "Show Clouds"},
    {C::IDC_SHOW_ATMOSPHERE, "Show Atmosphere"},
    {C::IDC_SHOW_LENS_FLARE, "Show Lens Flare"},
    {C::IDC_SHOW_LAT_LONG, "Show Latitude / Longitude"},
    {C::IDC_SHOW_FRAMERATE, "Show Framerate"},
    {C::IDC_SHOW_CITIES, "Show Cities"},
    {C::IDC_SHOW_CITY_NAMES, "Show City Names"},
    {C::IDC_SHOW_STATE_NAMES, "Show State Names"},
    {C::IDC_SHOW_COUNTRY_NAMES, "Show Country Names"},
    {C::IDC_EARTH_TRANSPARENT, "Earth is Transparent "},
    {C::IDC_PIXEL_ALIGNED, "City Labels are Pixel-Aligned"},
    {C::IDC_ROTATE_EAST, "Viewer Rotation is W to E"},
    {C::IDC_DAYLIGHT_COMPENSATION, "Use Daylight Compensation"},
};

void add_sliders(std::vector<ControlTemplate>& controls) {
  controls.push_back({0, ControlKind::Group, "Sliders", 7, 4, 130, 203});
  int y = 14;
  for (const auto& row : SLIDER_ROWS) {
    controls.push_back({0, ControlKind::CenteredLabel, row.caption, 12, y, 120, 8});
    controls.push_back({row.id, ControlKind::Slider, "", 22, y + 8, 100, 14});
    controls.push_back({0, ControlKind::Label, row.left, 14, y + 22, 50, 8});
    controls.push_back({0, ControlKind::Label, row.right, 100, y + 22, 34, 8});
    y += 32;
  }
}

void add_toggles(std::vector<ControlTemplate>& controls) {
  controls.push_back({0, ControlKind::Group, "Toggles", 143, 4, 138, 203});
  int y = 14;
  for (const auto& row : TOGGLE_ROWS) {
    controls.push_back({row.id, ControlKind::CheckBox, row.text, 150, y, 128, 10});
    y += 10;
  }
}

void add_color_group(std::vector<ControlTemplate>& controls, const char* caption, int y,
                     const int (&ids)[3], const char* last_mode) {
  controls.push_back({0, ControlKind::Group, caption, 287, y, 106, 50});
  const char* texts[3] = {"Choose...", "Random", last_mode};
  for (int i = 0; i < 3; ++i) {
    ControlTemplate button{ids[i], ControlKind::RadioButton, texts[i], 295, y + 11 + 12 * i, 90, 10};
    button.starts_group = i == 0;
    controls.push_back(button);
  }
}

std::vector<ControlTemplate> build_controls() {
  std::vector<ControlTemplate> controls;
  add_sliders(controls);
  add_toggles(controls);
  add_color_group(controls, "Sun Color", 4, {C::IDC_SUN_CUSTOM, C::IDC_SUN_RANDOM, C::IDC_SUN_CHANGING},
                  "Changing");
  add_color_group(controls, "Nebulae Color", 60,
                  {C::IDC_NEBULA_CUSTOM, C::IDC_NEBULA_RANDOM, C::IDC_NEBULA_MIXTURE}, "Mixture");
  ControlTemplate lines{C::IDC_SHOW_LINES, ControlKind::CheckBox, "Show Lines To Sun and Moon",
                        295, 120, 95, 10};
  lines.hidden = true;
  controls.push_back(lines);
  ControlTemplate view_moon{C::IDC_VIEW_MOON, ControlKind::CheckBox, "View Moon", 295, 132, 95, 10};
  view_moon.hidden = true;
  controls.push_back(view_moon);
  controls.push_back({C::IDC_RESTORE_DEFAULTS, ControlKind::PushButton, "Restore Defaults", 7, 212,
                      74, 14});
  controls.push_back({C::IDC_PREVIEW, ControlKind::PushButton, "Preview", 323, 212, 70, 14});
  return controls;
}

}  // namespace

const platform::PageTemplate& CConfigureControls::Template() const {
  static const platform::PageTemplate page{120, "     Controls     ", build_controls()};
  return page;
}
