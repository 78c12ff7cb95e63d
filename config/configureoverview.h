// CConfigureOverview: the Overview page, a few sentences on what the saver does.
#pragma once

#include "config/configurepage.h"

class CConfigureOverview : public CConfigurePage {
 public:
  static constexpr int ICON_RESOURCE = 107;

  CConfigureOverview();

  const platform::PageTemplate& Template() const override;
  void On_Init(platform::DialogControls& dialog) override;
  void On_Event(platform::DialogControls& dialog, int control_id,
                platform::DialogEvent event) override;
};
