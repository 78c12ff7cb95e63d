// CConfigureCities: the Cities page (shown cities, user cities, viewpoint, heading).
#pragma once

#include <string>

#include "config/clickabletext.h"
#include "config/configurepage.h"

class CLocation;

class CConfigureCities : public CConfigurePage {
 public:
  enum : int {
    IDC_HEADING = 1071,
    IDC_AVAILABLE = 1045,
    IDC_SELECTED = 1046,
    IDC_MOVE_ALL_RIGHT = 1051,
    IDC_MOVE_ALL_LEFT = 1050,
    IDC_ADD_A_CITY = 1078,
    IDC_CITY = 1082,
    IDC_STATE = 1083,
    IDC_COUNTRY = 1084,
    IDC_LAT_DEG = 1085,
    IDC_LAT_MIN = 1086,
    IDC_NORTH = 1087,
    IDC_SOUTH = 1089,
    IDC_LON_DEG = 1091,
    IDC_LON_MIN = 1092,
    IDC_EAST = 1093,
    IDC_WEST = 1094,
    IDC_ADD = 1095,
    IDC_DELETE = 1079,
    IDC_SET_VIEWPOINT = 1080,
    IDC_CLEAR_VIEWPOINT = 1081,
    IDC_VIEWPOINT = 1090,
    IDC_PREVIEW = 1088,
    IDC_EMAIL = 1012,
  };

  CConfigureCities();

  const platform::PageTemplate& Template() const override;
  void On_Init(platform::DialogControls& dialog) override;
  void On_Event(platform::DialogControls& dialog, int control_id,
                platform::DialogEvent event) override;

  // The heading into CitiesHeading, then both location files; a file that
  // cannot be written is reported to the user.
  static void Save_Settings(platform::DialogControls& dialog);

 private:
  void On_Command(platform::DialogControls& dialog, int control_id, platform::DialogEvent event);
  void On_Selection(platform::DialogControls& dialog, int list);
  void On_Double_Click(platform::DialogControls& dialog, int list);
  // Moves every entry of the list to the other one, first entry first.
  void Move_All(platform::DialogControls& dialog, int from, bool shown);
  void Set_Viewpoint(platform::DialogControls& dialog);
  // Deletes the selected user city; true when it was the viewpoint.
  bool Delete_Location(platform::DialogControls& dialog, bool confirm);
  void Add_Or_Modify(platform::DialogControls& dialog);

  CClickableText Correction_Link;
};
