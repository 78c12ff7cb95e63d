// The container of a page's controls: a GtkFixed that asks for exactly its
// size request. Every control has a box of its own, so a long text that a
// control would like to show whole (a city's name in the viewpoint line)
// must not widen the page, and with it the window.
#include "platform/gtk_page.h"

namespace platform::gtk {
namespace {

struct PageArea {
  GtkFixed parent;
};

struct PageAreaClass {
  GtkFixedClass parent_class;
};

G_DEFINE_TYPE(PageArea, page_area, GTK_TYPE_FIXED)

void page_area_preferred_width(GtkWidget* area, gint* least, gint* natural) {
  GTK_WIDGET_CLASS(page_area_parent_class)->get_preferred_width(area, least, natural);
  *natural = *least;
}

void page_area_preferred_height(GtkWidget* area, gint* least, gint* natural) {
  GTK_WIDGET_CLASS(page_area_parent_class)->get_preferred_height(area, least, natural);
  *natural = *least;
}

void page_area_class_init(PageAreaClass* area_class) {
  GtkWidgetClass* widget_class = GTK_WIDGET_CLASS(area_class);
  widget_class->get_preferred_width = page_area_preferred_width;
  widget_class->get_preferred_height = page_area_preferred_height;
}

void page_area_init(PageArea*) {}

}  // namespace

GtkWidget* page_area_new() { return GTK_WIDGET(g_object_new(page_area_get_type(), nullptr)); }

}  // namespace platform::gtk
