// The Overview page: static texts in three frames, and the sheet notifications.
#include "config/configureoverview.h"

#include "config/configure.h"
#include "utilitylib/utility.h"

namespace {

using platform::ControlKind;
using platform::ControlTemplate;

struct Line {
  int y;
  const char* text;
};

const Line LINES[] = {
    {18, "Welcome to Orbalune 3D by Vantrel !"},
    {29, "This screensaver is intended to be attractive, useful and educational."},
    {40, "It shows the current position of the Earth and Moon in relation to the Sun."},
    {51, "This allows you to tell the approximate time at any point on the globe. "},
    {62, "This is particularly useful if you have friends around the world."},
    {73, "Note that the time displayed at the bottom of the screen is approximate."},
    {84, "It does not take into account time zones or daylight savings time."},
    {95, "Your viewer position rotates around Earth's equator at the speed and in the direction "
         "you desire."},
    {119, "Orbalune 3D also allows you to mark the location of numerous cities around the World."},
    {130, "You are free to choose which cities you want marked, and display the city and country "
          "names if you wish."},
    {141, "Orbalune 3D can also play your music playlists (.m3u files). Click on the Music tab to "
          "configure this."},
    {152, "Orbalune 3D is fully configurable. You may alter many aspects of the visual appearance "
          "to suit your taste."},
    {163, "Please also explore the Orbalune 3D program group. It provides a help manual and "
          "several useful shortcuts."},
    {196, "We appreciate all feedback and corrections."},
};

std::vector<ControlTemplate> build_controls() {
  ControlTemplate icon{0, ControlKind::Icon, "", 362, 8, 20, 20};
  icon.resource = CConfigureOverview::ICON_RESOURCE;
  std::vector<ControlTemplate> controls = {
      icon,
      {0, ControlKind::Group, "", 11, 5, 377, 103},
      {0, ControlKind::Group, "", 11, 110, 377, 66},
      {0, ControlKind::Group, "", 11, 179, 377, 42},
  };
  for (const Line& line : LINES) {
    bool first = &line == &LINES[0];
    controls.push_back({0, first ? ControlKind::CenteredLabel : ControlKind::Label, line.text, 18,
                        line.y, first ? 340 : 365, 8});
  }
  return controls;
}

}  // namespace

CConfigureOverview::CConfigureOverview() : CConfigurePage(CConfigure::OVERVIEW_PAGE) {}

const platform::PageTemplate& CConfigureOverview::Template() const {
  static const platform::PageTemplate page{141, "     Overview     ", build_controls()};
  return page;
}

void CConfigureOverview::On_Init(platform::DialogControls&) {
  CUtility::Log("CConfigureOverview::Dialog_Proc WM_INITDIALOG\n");
}

void CConfigureOverview::On_Event(platform::DialogControls&, int, platform::DialogEvent event) {
  Handle_Sheet_Notification(event);
}
