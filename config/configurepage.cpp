// The sheet notifications that every configuration page handles alike.
#include "config/configurepage.h"

#include "config/configure.h"
#include "config/options.h"

bool CConfigurePage::Handle_Sheet_Notification(platform::DialogEvent event) {
  switch (event) {
    case platform::DialogEvent::PageActivated:
      COptions::CurrentConfigureSheet.Set(Page_Index);
      return true;
    case platform::DialogEvent::HelpRequested:
      CConfigure::Show_Help();
      return true;
    default:
      return false;
  }
}
