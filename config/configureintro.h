// CConfigureIntro: the Introduction page (picture, version, links).
#pragma once

#include "config/clickabletext.h"
#include "config/configurepage.h"

class CConfigureIntro : public CConfigurePage {
 public:
  enum : int {
    IDC_STATIC_VERSION = 1074,
    IDC_EMAIL = 1012,
    IDC_WWW = 1011,
    IDC_VISIT = 1098,
  };
  static constexpr int PICTURE_RESOURCE = 145;

  CConfigureIntro();

  const platform::PageTemplate& Template() const override;
  void On_Init(platform::DialogControls& dialog) override;
  void On_Event(platform::DialogControls& dialog, int control_id,
                platform::DialogEvent event) override;

  // The web and e-mail links live as long as the program.
  static CClickableText Web_Link;
  static CClickableText Email_Link;
};
