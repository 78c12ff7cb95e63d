// The Cities page's controls and their places (dialog units, 400 x 230).
#include <vector>

#include "config/configurecities.h"

namespace {

using platform::ControlKind;
using platform::ControlTemplate;
using C = CConfigureCities;

ControlTemplate hidden(ControlTemplate control) {
  control.hidden = true;
  return control;
}

ControlTemplate first_of_set(ControlTemplate control) {
  control.starts_group = true;
  return control;
}

ControlTemplate spoken(const char* words, ControlTemplate control) {
  control.spoken = words;
  return control;
}

std::vector<ControlTemplate> build_controls() {
  return {
      {0, ControlKind::Label, "Heading", 7, 7, 30, 8},
      {C::IDC_HEADING, ControlKind::Edit, "", 40, 5, 150, 12},
      {0, ControlKind::Label, "Cities Not Shown", 7, 22, 122, 8},
      {C::IDC_AVAILABLE, ControlKind::SortedList, "", 7, 32, 122, 116},
      {C::IDC_MOVE_ALL_RIGHT, ControlKind::PushButton, "Move All  >", 134, 62, 56, 14},
      {C::IDC_MOVE_ALL_LEFT, ControlKind::PushButton, "<  Move All", 134, 82, 56, 14},
      {0, ControlKind::Label, "Cities Shown", 195, 22, 122, 8},
      {C::IDC_SELECTED, ControlKind::SortedList, "", 195, 32, 122, 116},
      {C::IDC_ADD_A_CITY, ControlKind::PushButton, "Add a City...", 323, 32, 70, 14},
      {C::IDC_DELETE, ControlKind::PushButton, "Delete", 323, 50, 70, 14},
      {C::IDC_SET_VIEWPOINT, ControlKind::PushButton, "Set Viewpoint", 323, 80, 70, 14},
      {C::IDC_CLEAR_VIEWPOINT, ControlKind::PushButton, "Clear Viewpoint", 323, 98, 70, 14},
      {0, ControlKind::Label, "Double-click on a city to move it from one list to the other.", 7,
       151, 326, 8},
      {0, ControlKind::Group, "", 7, 160, 386, 40},
      {0, ControlKind::Label, "City", 12, 170, 20, 8},
      {C::IDC_CITY, ControlKind::Edit, "", 32, 168, 100, 12},
      {0, ControlKind::Label, "State", 137, 170, 22, 8},
      {C::IDC_STATE, ControlKind::Edit, "", 160, 168, 60, 12},
      {0, ControlKind::Label, "Country", 225, 170, 30, 8},
      {C::IDC_COUNTRY, ControlKind::Edit, "", 256, 168, 90, 12},
      spoken("Latitude", {0, ControlKind::Label, "Lat", 12, 186, 16, 8}),
      spoken("degrees", {C::IDC_LAT_DEG, ControlKind::DigitsEdit, "0", 32, 184, 20, 12}),
      spoken("minutes", {C::IDC_LAT_MIN, ControlKind::DigitsEdit, "0", 55, 184, 20, 12}),
      first_of_set({C::IDC_NORTH, ControlKind::RadioButton, "N", 79, 185, 22, 10}),
      {C::IDC_SOUTH, ControlKind::RadioButton, "S", 103, 185, 22, 10},
      spoken("Longitude", {0, ControlKind::Label, "Long", 137, 186, 20, 8}),
      spoken("degrees", {C::IDC_LON_DEG, ControlKind::DigitsEdit, "0", 160, 184, 22, 12}),
      spoken("minutes", {C::IDC_LON_MIN, ControlKind::DigitsEdit, "0", 185, 184, 20, 12}),
      first_of_set({C::IDC_EAST, ControlKind::RadioButton, "E", 209, 185, 22, 10}),
      {C::IDC_WEST, ControlKind::RadioButton, "W", 233, 185, 22, 10},
      {C::IDC_ADD, ControlKind::PushButton, "Add", 350, 176, 40, 14},
      {C::IDC_VIEWPOINT, ControlKind::Label, "", 7, 206, 300, 8},
      hidden({C::IDC_EMAIL, ControlKind::Link, "tell us", 7, 218, 26, 8}),
      hidden({0, ControlKind::Label, "if you have a correction.", 35, 218, 100, 8}),
      {C::IDC_PREVIEW, ControlKind::PushButton, "Preview", 323, 210, 70, 14},
  };
}

}  // namespace

const platform::PageTemplate& CConfigureCities::Template() const {
  static const platform::PageTemplate page{121, "     Cities     ", build_controls()};
  return page;
}
