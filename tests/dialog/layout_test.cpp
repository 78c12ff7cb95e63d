// Every page of the real sheet at several text sizes, and after the text
// size changes while it is open: each control has the room its text and
// parts need, none overlaps another, and each stays inside its frame and its
// page.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include "config/configurecities.h"
#include "config/options.h"
#include "platform/gtk_page.h"
#include "platform/platform.h"
#include "sheet_script.h"
#include "support/run_program.h"

namespace {

using platform::ControlKind;
using Control = platform::gtk::GtkDialogPage::Control;

const char CHILD_VARIABLE[] = "OB3D_LAYOUT_CHILD";

struct Box {
  int left, top, right, bottom;
};

bool inside(const Box& inner, const Box& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool overlap(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Where the widget is in the page, in pixels.
Box box_in(GtkWidget* widget, GtkWidget* page) {
  int x = 0, y = 0;
  gtk_widget_translate_coordinates(widget, page, 0, 0, &x, &y);
  return Box{x, y, x + gtk_widget_get_allocated_width(widget),
             y + gtk_widget_get_allocated_height(widget)};
}

std::string name_of(const Control& control) {
  std::ostringstream name;
  name << "control " << control.id << " \"" << control.source->text << "\"";
  return name.str();
}

// The room that the widget itself asks for, whatever size the page gave it.
void check_room(const Control& control, const Box& box) {
  int requested_width = 0, requested_height = 0;
  gtk_widget_get_size_request(control.widget, &requested_width, &requested_height);
  gtk_widget_set_size_request(control.widget, -1, -1);
  int width = 0, height = 0;
  gtk_widget_get_preferred_width(control.widget, &width, nullptr);
  gtk_widget_get_preferred_height_for_width(control.widget, box.right - box.left, &height, nullptr);
  gtk_widget_set_size_request(control.widget, requested_width, requested_height);
  EXPECT_LE(width, box.right - box.left) << name_of(control) << " is cut off across";
  EXPECT_LE(height, box.bottom - box.top) << name_of(control) << " is cut off below";
}

bool template_inside(const platform::ControlTemplate& inner,
                     const platform::ControlTemplate& outer) {
  return inner.x >= outer.x && inner.y >= outer.y &&
         inner.x + inner.width <= outer.x + outer.width &&
         inner.y + inner.height <= outer.y + outer.height;
}

// A frame's children stay within its border and below its caption.
void check_frame(const Control& frame, const Control& child, const Box& frame_box,
                 const Box& child_box, GtkWidget* page) {
  Box room{frame_box.left + 1, frame_box.top + 1, frame_box.right - 1, frame_box.bottom - 1};
  if (GtkWidget* caption = gtk_frame_get_label_widget(GTK_FRAME(frame.widget)))
    room.top = box_in(caption, page).bottom;
  EXPECT_TRUE(inside(child_box, room)) << name_of(child) << " leaves its frame " << name_of(frame);
}

void check_page(platform::gtk::GtkDialogPage& page) {
  GtkWidget* area = page.Widget();
  int width = 0, height = 0;
  gtk_widget_get_size_request(area, &width, &height);
  Box whole{0, 0, gtk_widget_get_allocated_width(area), gtk_widget_get_allocated_height(area)};
  EXPECT_GE(whole.right, width) << "the page is narrower than its controls need";
  EXPECT_GE(whole.bottom, height) << "the page is lower than its controls need";
  std::vector<std::pair<const Control*, Box>> shown;
  for (const Control* control : page.All_Controls()) {
    if (gtk_widget_get_visible(control->widget))
      shown.push_back({control, box_in(control->widget, area)});
  }
  for (const auto& [control, box] : shown) {
    check_room(*control, box);
    EXPECT_TRUE(inside(box, whole)) << name_of(*control) << " leaves the page";
    for (const auto& [other, other_box] : shown) {
      if (other == control) continue;
      bool frame = other->kind == ControlKind::Group;
      if (frame && template_inside(*control->source, *other->source)) {
        check_frame(*other, *control, other_box, box, area);
      } else if (control < other && control->kind != ControlKind::Group && !frame) {
        EXPECT_FALSE(overlap(box, other_box))
            << name_of(*control) << " overlaps " << name_of(*other);
      }
    }
  }
}

// Run as a child of the test below, with the text size set.
TEST(SheetLayout, pages_at_one_text_size_child) {
  if (!std::getenv(CHILD_VARIABLE)) GTEST_SKIP() << "runs only as a child";
  ASSERT_TRUE(Use_Private_Display(2560, 1600));
  COptions::CurrentConfigureSheet.Set(0);
  RecordedSheet sheet;
  std::vector<std::function<void()>> steps;
  for (int page = 0; page < 5; ++page) {
    steps.push_back([&sheet, page] { Show_Page(sheet, page); });
    steps.push_back([&sheet, page] {
      SCOPED_TRACE("page " + std::to_string(page));
      auto* shown = dynamic_cast<platform::gtk::GtkDialogPage*>(sheet.pages[page]->controls);
      ASSERT_TRUE(shown);
      check_page(*shown);
    });
  }
  steps.push_back([&] { Click_Control(*sheet.pages[4]->controls, platform::SHEET_OK_BUTTON); });
  sheet.Run(steps, 300);
}

TEST(SheetLayout, no_control_is_cut_off_or_overlaps_another_at_any_text_size) {
  std::string self = platform::api().system.module_file_name();
  for (const char* scale : {"1", "1.25", "1.5", "2"}) {
    ProgramResult result = run_program(
        {self, "--gtest_filter=SheetLayout.pages_at_one_text_size_child"},
        {{CHILD_VARIABLE, "1"}, {"GDK_DPI_SCALE", scale}}, 90);
    EXPECT_EQ(result.exit_code, 0) << "text size " << scale << ":\n" << result.out << result.err;
  }
}

// Pixels across and down of the sheet's window, its shown page and the
// Cities page's Add button.
struct Sizes {
  int window_width, window_height, page_width, page_height, button_width, button_height;
};

Sizes sizes_of(RecordedSheet& sheet) {
  auto* cities = dynamic_cast<platform::gtk::GtkDialogPage*>(sheet.pages[3]->controls);
  if (cities == nullptr) return {};
  GtkWidget* area = cities->Widget();
  GtkWidget* button = Find_Control(cities, CConfigureCities::IDC_ADD)->widget;
  GtkWidget* window = gtk_widget_get_toplevel(area);
  return {gtk_widget_get_allocated_width(window), gtk_widget_get_allocated_height(window),
          gtk_widget_get_allocated_width(area),   gtk_widget_get_allocated_height(area),
          gtk_widget_get_allocated_width(button), gtk_widget_get_allocated_height(button)};
}

// Opens the sheet on the Cities page, makes the desktop's text half as large
// again through a GtkSettings property and checks every page in it, then
// sets the property back and sees the window return to its first size.
template <typename Value>
void check_text_change(const char* property, Value larger) {
  if (!Use_Private_Display(2560, 1600)) GTEST_SKIP() << "Xvfb cannot run here";
  if (std::system("command -v xdotool >/dev/null") != 0) GTEST_SKIP() << "no xdotool";
  COptions::CurrentConfigureSheet.Set(3);
  RecordedSheet sheet;
  GValue usual = G_VALUE_INIT;
  Sizes before{}, grown{}, back{};
  std::vector<std::function<void()>> steps = {
      [&] {
        before = sizes_of(sheet);
        g_object_get_property(G_OBJECT(gtk_settings_get_default()), property, &usual);
        g_object_set(gtk_settings_get_default(), property, larger, nullptr);
      },
      [&] { grown = sizes_of(sheet); },
  };
  for (int page = 0; page < 5; ++page) {
    steps.push_back([&sheet, page] { Show_Page(sheet, page); });
    steps.push_back([&sheet, page] {
      SCOPED_TRACE("page " + std::to_string(page) + " with the larger text");
      check_page(*dynamic_cast<platform::gtk::GtkDialogPage*>(sheet.pages[page]->controls));
    });
  }
  steps.push_back([&] {
    Show_Page(sheet, 3);
    g_object_set_property(G_OBJECT(gtk_settings_get_default()), property, &usual);
  });
  steps.push_back([&] {
    back = sizes_of(sheet);
    Click_Control(*sheet.pages[3]->controls, platform::SHEET_OK_BUTTON);
  });
  sheet.Run(steps, 400);
  g_value_unset(&usual);
  ASSERT_GT(before.page_width, 0);
  EXPECT_GT(grown.button_width, before.button_width * 5 / 4);
  EXPECT_GT(grown.button_height, before.button_height * 5 / 4);
  EXPECT_GT(grown.page_width, before.page_width * 5 / 4);
  EXPECT_GT(grown.page_height, before.page_height * 5 / 4);
  EXPECT_GT(grown.window_width, before.window_width * 5 / 4);
  EXPECT_GT(grown.window_height, before.window_height * 5 / 4);
  EXPECT_EQ(back.window_width, before.window_width);
  EXPECT_EQ(back.window_height, before.window_height);
}

TEST(SheetLayout, the_open_sheet_follows_a_change_of_the_text_scale) {
  check_text_change("gtk-xft-dpi", 144 * 1024);  // 96 dpi without a settings daemon
}

TEST(SheetLayout, the_open_sheet_follows_a_change_of_the_desktop_font) {
  check_text_change("gtk-font-name", "Sans 15");  // the default is Sans 10
}

}  // namespace
