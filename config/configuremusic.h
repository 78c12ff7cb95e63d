// CConfigureMusic: the Music page (start the playlist with the saver).
#pragma once

#include "config/configurepage.h"

class CConfigureMusic : public CConfigurePage {
 public:
  enum : int {
    IDC_PLAY_MUSIC = 1095,
    IDC_M3U_FILE = 1096,
    IDC_SELECT = 1097,
  };

  CConfigureMusic();

  const platform::PageTemplate& Template() const override;
  void On_Init(platform::DialogControls& dialog) override;
  void On_Event(platform::DialogControls& dialog, int control_id,
                platform::DialogEvent event) override;

 private:
  static void Init_Controls(platform::DialogControls& dialog);
  static void Select_Playlist(platform::DialogControls& dialog);
};
