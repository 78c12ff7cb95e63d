// The real sheet with the keyboard alone, and what screen readers are told.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "config/addresses.h"
#include "config/configurecities.h"
#include "config/configurecontrols.h"
#include "config/configureintro.h"
#include "config/options.h"
#include "platform/gtk_page.h"
#include "platform/platform.h"
#include "sheet_script.h"

namespace {

using C = CConfigureControls;
using Cities = CConfigureCities;
using Intro = CConfigureIntro;
using platform::DialogEvent;

// Records the addresses that the sheet opens instead of opening them.
class OpenedUrls {
 public:
  OpenedUrls() : saved(platform::api().shell.open_url) {
    urls().clear();
    platform::api().shell.open_url = [](const char* url, int*) {
      urls().push_back(url);
      return true;
    };
  }
  ~OpenedUrls() { platform::api().shell.open_url = saved; }
  static std::vector<std::string>& urls() {
    static std::vector<std::string> opened;
    return opened;
  }

 private:
  decltype(platform::ShellApi::open_url) saved;
};

class SheetKeyboard : public SheetTest {
 protected:
  platform::DialogControls& page(int index) { return *sheet.pages[index]->controls; }
};

TEST_F(SheetKeyboard, tab_follows_the_cities_template_group_by_group) {
  COptions::CurrentConfigureSheet.Set(3);
  const int expected[] = {Cities::IDC_STATE,   Cities::IDC_COUNTRY, Cities::IDC_LAT_DEG,
                          Cities::IDC_LAT_MIN, Cities::IDC_NORTH,   Cities::IDC_LON_DEG,
                          Cities::IDC_LON_MIN, Cities::IDC_EAST,    Cities::IDC_ADD};
  std::vector<int> reached;
  std::vector<std::function<void()>> steps = {[&] {
    Click_Control(page(3), Cities::IDC_ADD_A_CITY);  // clears and enables the details
    Press_Keys("Tab");
  }};
  for (size_t i = 0; i < std::size(expected); ++i) {
    steps.push_back([&] {
      reached.push_back(Focused_Control(page(3)));
      Press_Keys("Tab");
    });
  }
  steps.push_back([&] { Click_Control(page(3), platform::SHEET_OK_BUTTON); });
  sheet.Run(steps, 200);
  // "Add a City..." puts the focus in City; the first Tab leaves it.
  EXPECT_EQ(reached, std::vector<int>(std::begin(expected), std::end(expected)));
}

TEST_F(SheetKeyboard, escape_closes_the_sheet_as_ok_does) {
  COptions::CurrentConfigureSheet.Set(3);
  COptions::CitiesHeading.Set("");
  sheet.Run({
      [&] {
        Click_Control(page(3), Cities::IDC_HEADING);
        Type_Text("Escaped");
        Press_Keys("Escape");
      },
      [&] {
        ADD_FAILURE() << "Escape left the sheet open";
        Click_Control(page(3), platform::SHEET_OK_BUTTON);
      },
  });
  EXPECT_STREQ(COptions::CitiesHeading.Get(), "Escaped");
  EXPECT_EQ(sheet.pages[3]->events.back(), DialogEvent::PageDestroyed);
}

TEST_F(SheetKeyboard, f1_opens_the_help_document) {
  OpenedUrls opened;
  COptions::AppDir.Set("/opt/orbalune3d");
  COptions::CurrentConfigureSheet.Set(2);
  sheet.Run({
      [&] {
        Point_At(page(2), C::IDC_SHOW_STARS);
        Press_Keys("F1");
      },
      [&] { Click_Control(page(2), platform::SHEET_OK_BUTTON); },
  });
  COptions::AppDir.Set("");
  EXPECT_EQ(opened.urls(), std::vector<std::string>{"/opt/orbalune3d/ob3d_help.htm"});
}

TEST_F(SheetKeyboard, links_take_the_focus_and_open_with_enter) {
  OpenedUrls opened;
  COptions::CurrentConfigureSheet.Set(0);
  int focused = 0;
  sheet.Run({
      [&] {
        Point_At(page(0), Intro::IDC_STATIC_VERSION);
        page(0).Focus(Intro::IDC_EMAIL);
        Press_Keys("Tab");
      },
      [&] {
        focused = Focused_Control(page(0));
        Press_Keys("Return");
      },
      [&] { Click_Control(page(0), platform::SHEET_OK_BUTTON); },
  });
  EXPECT_EQ(focused, Intro::IDC_WWW);
  EXPECT_EQ(opened.urls(), std::vector<std::string>{addresses::WEB_SITE_URL});
}

TEST_F(SheetKeyboard, page_keys_move_a_slider_by_a_fifth_of_its_range) {
  COptions::CurrentConfigureSheet.Set(2);
  COptions::FactorTimeAcceleration.Set(0.5f);
  sheet.Run({
      [&] {
        Point_At(page(2), C::IDC_SHOW_STARS);
        page(2).Focus(C::IDC_SLIDER_TIME_ACCELERATION);
        Press_Keys("Page_Up");
      },
      [&] { Click_Control(page(2), platform::SHEET_OK_BUTTON); },
  });
  EXPECT_NEAR(std::abs(COptions::FactorTimeAcceleration.Get() - 0.5f), 0.2f, 1e-6f);
}

TEST_F(SheetKeyboard, a_typed_name_selects_its_city) {
  COptions::CurrentConfigureSheet.Set(3);
  std::string selected, city;
  sheet.Run({
      [&] {
        Point_At(page(3), Cities::IDC_AVAILABLE);
        page(3).Focus(Cities::IDC_AVAILABLE);
        Type_Text("Sydn");
      },
      [&] {
        int index = page(3).List_Selection(Cities::IDC_AVAILABLE);
        selected = page(3).List_Text(Cities::IDC_AVAILABLE, index);
        city = page(3).Get_Text(Cities::IDC_CITY);
        Press_Keys("Escape");  // closes the search, not the sheet
      },
      [&] { Click_Control(page(3), platform::SHEET_OK_BUTTON); },
  });
  EXPECT_EQ(selected, "Sydney, AUSTRALIA");
  EXPECT_EQ(city, "Sydney");
}

std::string accessible_name(platform::DialogControls& dialog, int id) {
  const auto* control = Find_Control(&dialog, id);
  if (control == nullptr) return "";
  const char* name = atk_object_get_name(gtk_widget_get_accessible(control->text_owner));
  return name ? name : "";
}

// Entries, sliders and lists that the keyboard reaches without a name of
// their own, as "page P control ID".
std::vector<std::string> unnamed_fields(RecordedSheet& sheet, int page) {
  std::vector<std::string> unnamed;
  auto* shown = dynamic_cast<platform::gtk::GtkDialogPage*>(sheet.pages[page]->controls);
  if (shown == nullptr) return {"page " + std::to_string(page) + " was not shown"};
  for (const auto* control : shown->All_Controls()) {
    GtkWidget* inner = control->text_owner;
    bool field = GTK_IS_ENTRY(inner) || GTK_IS_RANGE(inner) || GTK_IS_TREE_VIEW(inner);
    if (!field || !gtk_widget_get_can_focus(inner)) continue;
    const char* name = atk_object_get_name(gtk_widget_get_accessible(inner));
    if (name == nullptr || !*name)
      unnamed.push_back("page " + std::to_string(page) + " control " + std::to_string(control->id));
  }
  return unnamed;
}

TEST_F(SheetKeyboard, sliders_lists_and_edits_are_named_by_their_captions) {
  COptions::CurrentConfigureSheet.Set(0);
  std::vector<std::string> names, unnamed;
  std::vector<std::function<void()>> steps;
  for (int shown = 0; shown < 5; ++shown) {
    steps.push_back([&, shown] { Show_Page(sheet, shown); });
    steps.push_back([&, shown] {
      auto missing = unnamed_fields(sheet, shown);
      unnamed.insert(unnamed.end(), missing.begin(), missing.end());
    });
  }
  steps.push_back([&] {
    names.push_back(accessible_name(page(2), C::IDC_SLIDER_AMBIENT));
    names.push_back(accessible_name(page(2), C::IDC_SLIDER_TIME_ACCELERATION));
    for (int id : {Cities::IDC_AVAILABLE, Cities::IDC_SELECTED, Cities::IDC_COUNTRY,
                   Cities::IDC_LAT_DEG, Cities::IDC_LAT_MIN, Cities::IDC_LON_DEG,
                   Cities::IDC_LON_MIN})
      names.push_back(accessible_name(page(3), id));
    Click_Control(page(3), platform::SHEET_OK_BUTTON);
  });
  sheet.Run(steps, 200);
  EXPECT_EQ(unnamed, std::vector<std::string>{});
  EXPECT_EQ(names, (std::vector<std::string>{
                       "Ambient light", "Time Acceleration", "Cities Not Shown", "Cities Shown",
                       "Country", "Latitude degrees", "Latitude minutes", "Longitude degrees",
                       "Longitude minutes"}));
}

}  // namespace
