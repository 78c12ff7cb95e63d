// What the entries of a GTK settings page accept. The program keeps its
// texts in Windows-1252, so a character outside it could only be stored as
// "?": such an insert is refused as a whole, with a beep and the reason in a
// bubble under the entry, as the digits edits refuse anything but digits.
#include <cstring>
#include <string>

#include "platform/gtk_page.h"
#include "platform/text_encoding.h"

namespace platform::gtk {
namespace {

constexpr guint REFUSAL_SECONDS = 6;
const char REFUSAL_KEY[] = "ob3d-refusal";

// The bubble under one entry that says why its last insert was refused.
struct Refusal {
  GtkWidget* bubble = nullptr;  // cleared by GTK when the bubble goes away
  GtkWidget* reason = nullptr;
  guint hiding = 0;             // the timeout that hides the bubble
};

void forget_refusal(gpointer data) {
  auto* refusal = static_cast<Refusal*>(data);
  if (refusal->hiding) g_source_remove(refusal->hiding);
  if (refusal->bubble) {
    g_object_remove_weak_pointer(G_OBJECT(refusal->bubble),
                                 reinterpret_cast<gpointer*>(&refusal->bubble));
  }
  delete refusal;
}

gboolean hide_refusal(gpointer data) {
  auto* refusal = static_cast<Refusal*>(data);
  refusal->hiding = 0;
  if (refusal->bubble) gtk_popover_popdown(GTK_POPOVER(refusal->bubble));
  return G_SOURCE_REMOVE;
}

Refusal& refusal_of(GtkWidget* entry) {
  auto* refusal = static_cast<Refusal*>(g_object_get_data(G_OBJECT(entry), REFUSAL_KEY));
  if (refusal) return *refusal;
  refusal = new Refusal;
  refusal->bubble = gtk_popover_new(entry);
  g_object_add_weak_pointer(G_OBJECT(refusal->bubble),
                            reinterpret_cast<gpointer*>(&refusal->bubble));
  // The entry keeps the keyboard while the bubble shows.
  gtk_popover_set_modal(GTK_POPOVER(refusal->bubble), FALSE);
  refusal->reason = gtk_label_new("");
  gtk_label_set_line_wrap(GTK_LABEL(refusal->reason), TRUE);
  gtk_label_set_max_width_chars(GTK_LABEL(refusal->reason), 40);
  g_object_set(refusal->reason, "margin", 6, nullptr);
  gtk_container_add(GTK_CONTAINER(refusal->bubble), refusal->reason);
  gtk_widget_show(refusal->reason);
  g_object_set_data_full(G_OBJECT(entry), REFUSAL_KEY, refusal, forget_refusal);
  return *refusal;
}

void refuse(GtkEditable* editable, const std::string& reason) {
  GtkWidget* entry = GTK_WIDGET(editable);
  g_signal_stop_emission_by_name(editable, "insert-text");
  gdk_display_beep(gtk_widget_get_display(entry));
  Refusal& refusal = refusal_of(entry);
  if (refusal.bubble == nullptr) return;
  gtk_label_set_text(GTK_LABEL(refusal.reason), reason.c_str());
  gtk_popover_popup(GTK_POPOVER(refusal.bubble));
  if (refusal.hiding) g_source_remove(refusal.hiding);
  refusal.hiding = g_timeout_add_seconds(REFUSAL_SECONDS, hide_refusal, &refusal);
}

// The first character of the text that Windows-1252 cannot hold; "" when
// it holds them all.
std::string first_unstorable(const std::string& utf8) {
  for (const char* p = utf8.c_str(); *p; p = g_utf8_next_char(p)) {
    const char* next = g_utf8_next_char(p);
    if (!windows1252_byte(g_utf8_get_char(p))) return std::string(p, size_t(next - p));
  }
  return "";
}

void on_insert(GtkEditable* editable, const gchar* text, gint length, gint*, gpointer digits_only) {
  std::string inserted(text, length < 0 ? std::strlen(text) : size_t(length));
  if (digits_only) {
    if (inserted.find_first_not_of("0123456789") != std::string::npos)
      refuse(editable, "Only the digits 0 to 9 can be typed here.");
    return;
  }
  std::string character = first_unstorable(inserted);
  if (!character.empty()) {
    refuse(editable, "\u201C" + character +
                         "\u201D cannot be stored: the saver keeps its texts in Western "
                         "European letters (Windows-1252).");
  }
}

}  // namespace

void accept_only_storable_text(GtkWidget* entry, bool digits_only) {
  g_signal_connect(entry, "insert-text", G_CALLBACK(on_insert),
                   GINT_TO_POINTER(digits_only ? 1 : 0));
}

std::string shown_refusal(GtkWidget* entry) {
  auto* refusal = static_cast<Refusal*>(g_object_get_data(G_OBJECT(entry), REFUSAL_KEY));
  if (refusal == nullptr || refusal->bubble == nullptr || !gtk_widget_get_visible(refusal->bubble))
    return "";
  return gtk_label_get_text(GTK_LABEL(refusal->reason));
}

}  // namespace platform::gtk
