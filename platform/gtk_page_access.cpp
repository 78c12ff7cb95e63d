// Keyboard order and accessible names of a GTK settings page, taken from the
// page's template as Windows takes them from a dialog template.
#include <string>

#include "platform/gtk_page.h"
#include "platform/text_encoding.h"

namespace platform::gtk {
namespace {

bool is_caption(ControlKind kind) {
  return kind == ControlKind::Label || kind == ControlKind::CenteredLabel;
}

bool needs_caption(ControlKind kind) {
  switch (kind) {
    case ControlKind::Slider:
    case ControlKind::SortedList:
    case ControlKind::Edit:
    case ControlKind::DigitsEdit:
    case ControlKind::FileNameEdit:
      return true;
    default:
      return false;
  }
}

// "City:" names the control "City"; a caption with words of its own for
// screen readers ("Lat", spoken "Latitude") names it by those.
std::string name_of_caption(const ControlTemplate& caption) {
  if (caption.spoken) return windows1252_to_utf8(caption.spoken);
  std::string name = windows1252_to_utf8(caption.text);
  while (!name.empty() && (name.back() == ':' || name.back() == ' ')) name.pop_back();
  return name;
}

// The caption's name, followed by what the control holds where the
// template says so: "Latitude minutes".
std::string name_under_caption(const ControlTemplate& caption, const ControlTemplate& control) {
  std::string name = name_of_caption(caption);
  if (control.spoken) name += std::string(" ") + windows1252_to_utf8(control.spoken);
  return name;
}

}  // namespace

void GtkDialogPage::Follow_Template_Order() {
  GList* order = nullptr;
  for (Control* control : owned) order = g_list_prepend(order, control->widget);
  order = g_list_reverse(order);
  // GTK 3 has no other way to order focus than by position; GTK 4 follows
  // the order of the children, which is the template's.
  G_GNUC_BEGIN_IGNORE_DEPRECATIONS
  gtk_container_set_focus_chain(GTK_CONTAINER(fixed), order);
  G_GNUC_END_IGNORE_DEPRECATIONS
  g_list_free(order);
}

void GtkDialogPage::Name_From_Captions() {
  const Control* caption = nullptr;  // the caption of the controls that follow
  bool first = true;                 // no control has taken the caption yet
  for (const Control* control : owned) {
    if (is_caption(control->kind) && *control->source->text) {
      caption = control;
      first = true;
    } else if (!needs_caption(control->kind)) {
      caption = nullptr;
    } else if (caption) {
      // The label's relation to its first control, and each control's own
      // name, for readers that only look at one of them.
      if (first) gtk_label_set_mnemonic_widget(GTK_LABEL(caption->text_owner), control->text_owner);
      first = false;
      atk_object_set_name(gtk_widget_get_accessible(control->text_owner),
                          name_under_caption(*caption->source, *control->source).c_str());
    }
  }
}

}  // namespace platform::gtk
