// The Introduction page: the product picture, the version and the links.
#include "config/configureintro.h"

#include <cstdio>

#include "config/addresses.h"
#include "config/configure.h"
#include "config/options.h"
#include "utilitylib/utility.h"

namespace {

using platform::ControlKind;
using platform::DialogControls;
using platform::DialogEvent;
using I = CConfigureIntro;

constexpr int VERSION_MAJOR = 3;
constexpr int VERSION_MINOR = 0;

std::vector<platform::ControlTemplate> build_controls() {
  platform::ControlTemplate picture{0, ControlKind::Picture, "", 15, 13, 369, 126};
  picture.resource = I::PICTURE_RESOURCE;
  return {
      picture,
      {I::IDC_STATIC_VERSION, ControlKind::CenteredLabel, "Version", 160, 153, 78, 8},
      {0, ControlKind::Label, "November 2002", 174, 166, 52, 8},
      {0, ControlKind::Label, "Email:", 138, 192, 28, 8},
      {I::IDC_EMAIL, ControlKind::Link, addresses::EMAIL_TEXT, 170, 192, 96, 8},
      {0, ControlKind::Label, "Web:", 138, 205, 28, 8},
      {I::IDC_WWW, ControlKind::Link, addresses::WEB_SITE_TEXT, 170, 205, 96, 8},
      {I::IDC_VISIT, ControlKind::PushButton, "Visit\nVantrel", 24, 155, 67, 55},
  };
}

}  // namespace

CClickableText CConfigureIntro::Web_Link;
CClickableText CConfigureIntro::Email_Link;

CConfigureIntro::CConfigureIntro() : CConfigurePage(CConfigure::INTRODUCTION_PAGE) {}

const platform::PageTemplate& CConfigureIntro::Template() const {
  static const platform::PageTemplate page{119, "     Introduction     ", build_controls()};
  return page;
}

void CConfigureIntro::On_Init(DialogControls& dialog) {
  CUtility::Log("CConfigureIntro::Intro_Dialog_Proc WM_INITDIALOG\n");
  COptions::VersionMajor.Set(VERSION_MAJOR);
  COptions::VersionMinor.Set(VERSION_MINOR);
  char version[64];
  std::snprintf(version, sizeof version, "Version %d.%d", COptions::VersionMajor.Get(),
                COptions::VersionMinor.Get());
  dialog.Set_Text(IDC_STATIC_VERSION, version);
  Web_Link.Init(IDC_WWW);
  Web_Link.Set_Url(addresses::WEB_SITE_URL);
  Email_Link.Init(IDC_EMAIL);
  Email_Link.Set_Url(addresses::EMAIL_URL);
}

void CConfigureIntro::On_Event(DialogControls&, int control_id, DialogEvent event) {
  switch (event) {
    case DialogEvent::PageActivated:
    case DialogEvent::HelpRequested:
      CUtility::Log("CConfigureIntro::Dialog_Proc WM_NOTIFY\n");
      Handle_Sheet_Notification(event);
      return;
    case DialogEvent::PageDestroyed:
      CUtility::Log("CConfigureIntro::Intro_Dialog_Proc WM_DESTROY\n");
      return;
    case DialogEvent::Clicked:
      break;
    default:
      return;
  }
  if (control_id == IDC_WWW) {
    CUtility::Log("CConfigureIntro::Dialog_Proc IDC_WWW\n");
    Web_Link.Launch();
  } else if (control_id == IDC_EMAIL) {
    CUtility::Log("CConfigureIntro::Dialog_Proc IDC_EMAIL\n");
    Email_Link.Launch();
  } else if (control_id == IDC_VISIT) {
    CUtility::Launch_Url(addresses::WEB_SITE_URL);
  }
}
