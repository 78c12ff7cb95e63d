// CConfigurePage: what every page of the configuration sheet does alike.
#pragma once

#include "platform/dialog.h"

class CConfigurePage : public platform::DialogPage {
 protected:
  explicit CConfigurePage(int page_index) : Page_Index(page_index) {}

  // Becoming the shown page stores its index in CurrentConfigureSheet, so the
  // sheet reopens on it; the sheet's Help button opens the help document.
  // True when the event was one of these.
  bool Handle_Sheet_Notification(platform::DialogEvent event);

 private:
  int Page_Index;
};
