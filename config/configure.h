// CConfigure: the configuration property sheet and what its pages share.
#pragma once

#include <vector>

#include "platform/dialog.h"
#include "utilitylib/registrybool.h"
#include "utilitylib/registryfloat.h"

class CConfigure {
 public:
  // Steps of every slider: positions run from 0 to SLIDER_RESOLUTION.
  static constexpr int SLIDER_RESOLUTION = 1000;

  // Page indexes, in the order of the sheet's tabs.
  static constexpr int INTRODUCTION_PAGE = 0;
  static constexpr int OVERVIEW_PAGE = 1;
  static constexpr int CONTROLS_PAGE = 2;
  static constexpr int CITIES_PAGE = 3;
  static constexpr int MUSIC_PAGE = 4;
  static constexpr int PAGE_COUNT = 5;

  // Builds the five pages and shows them modally, opening on the page named
  // by CurrentConfigureSheet; returns when the user closes the sheet.
  static void Create_Property_Sheet();
  // Brings the sheet that another settings process shows to the front;
  // false when none shows (or the system cannot raise it).
  static bool Bring_Open_Sheet_To_Front();
  // The same with pages chosen by the caller (tests wrap the real ones).
  static void Run_Property_Sheet(const std::vector<platform::DialogPage*>& pages);

  // Opens "ob3d_help.htm" in the folder named by AppDir; without one, the
  // document beside the program or in its installed documentation folder
  // (../share/doc/orbalune3d); only beeps when there is none.
  static void Show_Help();

  // Range 0 to SLIDER_RESOLUTION, position the option's value scaled and
  // truncated toward zero.
  static void Slider_Init(platform::DialogControls& dialog, int control_id,
                          const CRegistryFloat& option);
  // Stores the slider's position as a fraction of SLIDER_RESOLUTION.
  static void Slider_Read(platform::DialogControls& dialog, int control_id,
                          CRegistryFloat& option);

  // The rules that tie the three name boxes to "Show Cities": each box is
  // enabled only while the boxes it depends on are on, and a box whose
  // condition is off is cleared together with its option.
  static void Update_Show_City_Names(platform::DialogControls& dialog);
  static void Update_Show_State_Names(platform::DialogControls& dialog);
  static void Update_Show_Country_Names(platform::DialogControls& dialog);

  // Starts the full-screen saver as a process of its own; a failure is logged.
  static void Preview();
};
