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

// "City:" names the control "City".
std::string name_of_caption(const char* text) {
  std::string name = windows1252_to_utf8(text);
  while (!name.empty() && (name.back() == ':' || name.back() == ' ')) name.pop_back();
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
  for (size_t i = 1; i < owned.size(); ++i) {
    const Control& caption = *owned[i - 1];
    const Control& control = *owned[i];
    if (!needs_caption(control.kind) || !is_caption(caption.kind) || !*caption.source->text)
      continue;
    // The label's relation to the control, and the name itself, for
    // readers that only look at one of them.
    gtk_label_set_mnemonic_widget(GTK_LABEL(caption.text_owner), control.text_owner);
    atk_object_set_name(gtk_widget_get_accessible(control.text_owner),
                        name_of_caption(caption.source->text).c_str());
  }
}

}  // namespace platform::gtk
