// GTK widgets for each control kind of a page template.
#include <cstring>
#include <string>

#include "platform/gtk_page.h"
#include "platform/text_encoding.h"

namespace platform::gtk {
namespace {

std::string utf8(const char* text) { return windows1252_to_utf8(text ? text : ""); }

// Taller than one line of text: the label wraps inside its box.
constexpr int WRAPPING_LABEL_UNITS = 16;

GtkWidget* make_label(const ControlTemplate& control, float xalign) {
  GtkWidget* label = gtk_label_new(utf8(control.text).c_str());
  gtk_label_set_xalign(GTK_LABEL(label), xalign);
  gtk_label_set_yalign(GTK_LABEL(label), 0.0f);
  if (control.height >= WRAPPING_LABEL_UNITS) {
    gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
    // Without a limit the label would ask for its whole text on one line.
    gtk_label_set_max_width_chars(GTK_LABEL(label), 1);
  } else if (control.id != 0) {
    // A text the program fills in (a city's name may be long) ends in "..."
    // at the box's end rather than widening the page.
    gtk_label_set_ellipsize(GTK_LABEL(label), PANGO_ELLIPSIZE_END);
  }
  if (xalign > 0.0f) gtk_label_set_justify(GTK_LABEL(label), GTK_JUSTIFY_CENTER);
  return label;
}

GtkWidget* make_entry(const ControlTemplate& control) {
  ControlKind kind = control.kind;
  GtkWidget* entry = gtk_entry_new();
  gtk_entry_set_width_chars(GTK_ENTRY(entry), 1);
  gtk_entry_set_text(GTK_ENTRY(entry), utf8(control.text).c_str());
  if (kind == ControlKind::FileNameEdit) {
    gtk_editable_set_editable(GTK_EDITABLE(entry), FALSE);
    return entry;
  }
  if (kind == ControlKind::DigitsEdit)
    gtk_entry_set_input_purpose(GTK_ENTRY(entry), GTK_INPUT_PURPOSE_DIGITS);
  accept_only_storable_text(entry, kind == ControlKind::DigitsEdit);
  return entry;
}

GtkWidget* make_sorted_list(GtkWidget** tree_view) {
  GtkListStore* store = gtk_list_store_new(1, G_TYPE_STRING);
  GtkWidget* tree = gtk_tree_view_new_with_model(GTK_TREE_MODEL(store));
  g_object_unref(store);
  gtk_tree_view_set_headers_visible(GTK_TREE_VIEW(tree), FALSE);
  // Typing a name jumps to the first entry that starts with it.
  gtk_tree_view_set_enable_search(GTK_TREE_VIEW(tree), TRUE);
  gtk_tree_view_set_search_column(GTK_TREE_VIEW(tree), 0);
  GtkCellRenderer* renderer = gtk_cell_renderer_text_new();
  gtk_tree_view_insert_column_with_attributes(GTK_TREE_VIEW(tree), -1, "", renderer, "text", 0,
                                              nullptr);
  gtk_tree_selection_set_mode(gtk_tree_view_get_selection(GTK_TREE_VIEW(tree)),
                              GTK_SELECTION_SINGLE);
  GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_AUTOMATIC,
                                 GTK_POLICY_AUTOMATIC);
  gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scrolled), GTK_SHADOW_IN);
  gtk_container_add(GTK_CONTAINER(scrolled), tree);
  *tree_view = tree;
  return scrolled;
}

// A link button takes the theme's link colour and the keyboard focus, and
// opens with Enter; the page logic opens the address itself.
GtkWidget* make_link(const ControlTemplate& control) {
  std::string text = utf8(control.text);
  GtkWidget* link = gtk_link_button_new_with_label(text.c_str(), text.c_str());
  gtk_widget_set_has_tooltip(link, FALSE);
  gtk_label_set_xalign(GTK_LABEL(gtk_bin_get_child(GTK_BIN(link))), 0.0f);
  return link;
}

}  // namespace

GtkWidget* make_control_widget(const ControlTemplate& control, GtkWidget** text_owner) {
  GtkWidget* widget = nullptr;
  switch (control.kind) {
    case ControlKind::Label:
      widget = make_label(control, 0.0f);
      break;
    case ControlKind::CenteredLabel:
      widget = make_label(control, 0.5f);
      break;
    case ControlKind::Group:
      widget = gtk_frame_new(*control.text ? utf8(control.text).c_str() : nullptr);
      break;
    case ControlKind::CheckBox:
      widget = gtk_check_button_new_with_label(utf8(control.text).c_str());
      break;
    case ControlKind::PushButton:
      widget = gtk_button_new_with_label(utf8(control.text).c_str());
      gtk_label_set_justify(GTK_LABEL(gtk_bin_get_child(GTK_BIN(widget))), GTK_JUSTIFY_CENTER);
      break;
    case ControlKind::Slider:
      widget = gtk_scale_new_with_range(GTK_ORIENTATION_HORIZONTAL, 0, 1000, 1);
      gtk_scale_set_draw_value(GTK_SCALE(widget), FALSE);
      break;
    case ControlKind::Edit:
    case ControlKind::DigitsEdit:
    case ControlKind::FileNameEdit:
      widget = make_entry(control);
      break;
    case ControlKind::SortedList:
      return make_sorted_list(text_owner);
    case ControlKind::Picture:
      return make_picture(control);
    case ControlKind::Icon:
      return make_icon(control);
    case ControlKind::Link:
      widget = make_link(control);
      break;
    case ControlKind::RadioButton:
      break;  // built by the page, which knows the button's set
  }
  *text_owner = widget;
  if (GTK_IS_BUTTON(widget)) *text_owner = gtk_bin_get_child(GTK_BIN(widget));
  return widget;
}

}  // namespace platform::gtk
