// CConfigureControls: the Controls page (sliders, toggles, colour modes).
#pragma once

#include "config/configurepage.h"

class CConfigureControls : public CConfigurePage {
 public:
  // Control ids of the page.
  enum : int {
    IDC_SLIDER_AMBIENT = 1013,
    IDC_SLIDER_ROTATION = 1014,
    IDC_SLIDER_FOV = 1020,
    IDC_SLIDER_BODY_SIZE = 1018,
    IDC_SLIDER_PERSISTENCE = 1053,
    IDC_SLIDER_TIME_ACCELERATION = 1055,
    IDC_SHOW_SOLAR_TIME = 1015,
    IDC_SHOW_LOCAL_TIME = 1017,
    IDC_SHOW_SUN = 1019,
    IDC_SHOW_MOON = 1047,
    IDC_SHOW_NEBULAE = 1021,
    IDC_SHOW_STARS = 1016,
    IDC_SHOW_CLOUDS = 1041,
    IDC_SHOW_ATMOSPHERE = 1045,
    IDC_SHOW_LENS_FLARE = 1044,
    IDC_SHOW_LAT_LONG = 1046,
    IDC_SHOW_FRAMERATE = 1027,
    IDC_SHOW_CITIES = 1023,
    IDC_SHOW_CITY_NAMES = 1024,
    IDC_SHOW_STATE_NAMES = 1025,
    IDC_SHOW_COUNTRY_NAMES = 1040,
    IDC_EARTH_TRANSPARENT = 1022,
    IDC_PIXEL_ALIGNED = 1026,
    IDC_ROTATE_EAST = 1028,
    IDC_DAYLIGHT_COMPENSATION = 1029,
    IDC_SHOW_LINES = 1048,
    IDC_VIEW_MOON = 1036,
    IDC_SUN_CUSTOM = 1033,
    IDC_SUN_RANDOM = 1034,
    IDC_SUN_CHANGING = 1035,
    IDC_NEBULA_CUSTOM = 1037,
    IDC_NEBULA_RANDOM = 1038,
    IDC_NEBULA_MIXTURE = 1039,
    IDC_RESTORE_DEFAULTS = 1054,
    IDC_PREVIEW = 1088,
  };

  CConfigureControls();

  const platform::PageTemplate& Template() const override;
  void On_Init(platform::DialogControls& dialog) override;
  void On_Event(platform::DialogControls& dialog, int control_id,
                platform::DialogEvent event) override;

  // Sets every control from its option.
  static void Init_Controls(platform::DialogControls& dialog);

 private:
  static void On_Command(platform::DialogControls& dialog, int control_id);
  static void Choose_Color(platform::DialogControls& dialog, int control_id);
  static void Restore_Defaults(platform::DialogControls& dialog);
};
