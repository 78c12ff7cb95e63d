// The layout of a GTK settings page: the template's dialog units measured in
// the page's own font, as Windows measures them in the dialog font, so that
// the page follows the desktop's text size; where a widget of this toolkit
// needs more room than its box, every unit grows alike and the template's
// arrangement holds.
#include <algorithm>
#include <cmath>

#include "platform/gtk_page.h"

namespace platform::gtk {
namespace {

// Every page template is 400 x 230 dialog units.
constexpr int PAGE_WIDTH_UNITS = 400;
constexpr int PAGE_HEIGHT_UNITS = 230;
// Rounding to whole pixels may leave a box a pixel short after growing;
// a few rounds settle it.
constexpr int GROWING_ROUNDS = 8;

// Windows' dialog base units are the average width of the Latin letters and
// the height of a line of the font: a horizontal unit is a quarter of the
// one, a vertical unit an eighth of the other.
DialogUnits font_units(GtkWidget* page) {
  const char* letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  PangoLayout* layout = gtk_widget_create_pango_layout(page, letters);
  int width = 0, height = 0;
  pango_layout_get_pixel_size(layout, &width, &height);
  g_object_unref(layout);
  return DialogUnits{width / 52.0 / 4.0, height / 8.0};
}

int edge(int units, double pixels_per_unit) { return int(std::lround(units * pixels_per_unit)); }

GdkRectangle box_of(const ControlTemplate& control, DialogUnits units) {
  int left = edge(control.x, units.x);
  int top = edge(control.y, units.y);
  return GdkRectangle{left, top, edge(control.x + control.width, units.x) - left,
                      edge(control.y + control.height, units.y) - top};
}

int least_width(GtkWidget* widget) {
  int least = 0;
  gtk_widget_get_preferred_width(widget, &least, nullptr);
  return least;
}

int least_height(GtkWidget* widget, int width) {
  int least = 0;
  gtk_widget_get_preferred_height_for_width(widget, width, &least, nullptr);
  return least;
}

// How many times larger the boxes must become, across or down, for every
// control's least size to fit its box; 1 when all fit.
double shortfall(const std::vector<GtkDialogPage::Control*>& controls, DialogUnits units,
                 bool across) {
  double worst = 1.0;
  for (const auto* control : controls) {
    GdkRectangle box = box_of(*control->source, units);
    int room = across ? box.width : box.height;
    int need = across ? least_width(control->widget) : least_height(control->widget, box.width);
    if (room > 0 && need > room) worst = std::max(worst, double(need) / room);
  }
  return worst;
}

void grow_until_fitting(const std::vector<GtkDialogPage::Control*>& controls, DialogUnits& units,
                        bool across) {
  double& unit = across ? units.x : units.y;
  for (int round = 0; round < GROWING_ROUNDS; ++round) {
    double grow = shortfall(controls, units, across);
    if (grow <= 1.0) return;
    unit *= grow;
  }
}

bool fits(GtkWidget* widget, const GdkRectangle& box) {
  return least_width(widget) <= box.width && least_height(widget, box.width) <= box.height;
}

}  // namespace

DialogUnits GtkDialogPage::Needed_Units() {
  for (Control* control : owned) gtk_widget_set_size_request(control->widget, -1, -1);
  measured_font = font_units(fixed);
  DialogUnits needed = measured_font;
  // Across first: the height of wrapping text depends on its width.
  grow_until_fitting(owned, needed, true);
  grow_until_fitting(owned, needed, false);
  return needed;
}

bool GtkDialogPage::Font_Changed() {
  DialogUnits now = font_units(fixed);
  return now.x != measured_font.x || now.y != measured_font.y;
}

void GtkDialogPage::Place(DialogUnits placed) {
  units = placed;
  for (Control* control : owned) {
    control->box = box_of(*control->source, units);
    gtk_fixed_move(GTK_FIXED(fixed), control->widget, control->box.x, control->box.y);
    gtk_widget_set_size_request(control->widget, control->box.width, control->box.height);
  }
  gtk_widget_set_size_request(fixed, edge(PAGE_WIDTH_UNITS, units.x),
                              edge(PAGE_HEIGHT_UNITS, units.y));
}

void GtkDialogPage::Offer_Whole_Text(Control& control, const std::string& utf8) {
  GtkLabel* label = GTK_LABEL(control.text_owner);
  if (gtk_label_get_ellipsize(label) == PANGO_ELLIPSIZE_NONE) return;
  int natural = 0;
  gtk_widget_get_preferred_width(control.text_owner, nullptr, &natural);
  gtk_widget_set_tooltip_text(control.text_owner, natural > control.box.width ? utf8.c_str()
                                                                              : nullptr);
}

void GtkDialogPage::Keep_Fitting(Control& control) {
  gtk_widget_set_size_request(control.widget, -1, -1);
  bool still_fits = fits(control.widget, control.box);
  gtk_widget_set_size_request(control.widget, control.box.width, control.box.height);
  if (still_fits) return;
  DialogUnits needed = Needed_Units();
  Place(DialogUnits{std::max(units.x, needed.x), std::max(units.y, needed.y)});
}

}  // namespace platform::gtk
