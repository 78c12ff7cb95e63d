// A colour swatch beside a button's text: the text keeps the theme's colour,
// so it stays readable whatever the chosen colour, and the swatch's frame in
// the text colour shows white on a light theme and dark blue on a dark one.
#include "platform/gtk_page.h"

namespace platform::gtk {
namespace {

// The swatch's size as parts of a line of text.
constexpr double SWATCH_WIDTH = 1.6;
constexpr double SWATCH_HEIGHT = 0.8;
constexpr double FRAME_OPACITY = 0.7;

const char COLOR_KEY[] = "ob3d-swatch-color";

gboolean draw_swatch(GtkWidget* swatch, cairo_t* cr, gpointer) {
  auto bgr = GPOINTER_TO_UINT(g_object_get_data(G_OBJECT(swatch), COLOR_KEY));
  double width = gtk_widget_get_allocated_width(swatch);
  double height = gtk_widget_get_allocated_height(swatch);
  cairo_rectangle(cr, 0.5, 0.5, width - 1, height - 1);
  cairo_set_source_rgb(cr, (bgr & 0xFF) / 255.0, ((bgr >> 8) & 0xFF) / 255.0,
                       ((bgr >> 16) & 0xFF) / 255.0);
  cairo_fill_preserve(cr);
  GdkRGBA text;
  GtkStyleContext* style = gtk_widget_get_style_context(swatch);
  gtk_style_context_get_color(style, gtk_style_context_get_state(style), &text);
  cairo_set_source_rgba(cr, text.red, text.green, text.blue, FRAME_OPACITY);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  return FALSE;
}

}  // namespace

GtkWidget* add_swatch(GtkWidget* button, GtkWidget* label) {
  PangoLayout* layout = gtk_widget_create_pango_layout(label, "M");
  int line_height = 0;
  pango_layout_get_pixel_size(layout, nullptr, &line_height);
  g_object_unref(layout);
  GtkWidget* swatch = gtk_drawing_area_new();
  gtk_widget_set_size_request(swatch, int(line_height * SWATCH_WIDTH),
                              int(line_height * SWATCH_HEIGHT));
  gtk_widget_set_valign(swatch, GTK_ALIGN_CENTER);
  g_signal_connect(swatch, "draw", G_CALLBACK(draw_swatch), nullptr);
  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, line_height / 2);
  g_object_ref(label);
  gtk_container_remove(GTK_CONTAINER(button), label);
  gtk_box_pack_start(GTK_BOX(row), label, FALSE, FALSE, 0);
  g_object_unref(label);
  gtk_box_pack_start(GTK_BOX(row), swatch, FALSE, FALSE, 0);
  gtk_container_add(GTK_CONTAINER(button), row);
  gtk_widget_show_all(row);
  return swatch;
}

void set_swatch_color(GtkWidget* swatch, uint32_t bgr) {
  g_object_set_data(G_OBJECT(swatch), COLOR_KEY, GUINT_TO_POINTER(bgr & 0xFFFFFF));
  gtk_widget_queue_draw(swatch);
}

}  // namespace platform::gtk
