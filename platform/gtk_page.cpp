// A settings page under GTK: builds the controls of its template, placed
// in boxes by gtk_page_layout.cpp, and forwards user actions to the page
// logic as (id, event).
#include "platform/gtk_page.h"

#include <cstdio>
#include <cstdlib>

#include "platform/text_encoding.h"

namespace platform::gtk {
namespace {

// A page asking for a control its template lacks, or for something its kind
// cannot do, is a programming error.
[[noreturn]] void unknown_control(int id, const char* what = "") {
  std::fprintf(stderr, "GTK: the page has no control %d%s\n", id, what);
  std::abort();
}

}  // namespace

std::string program_text_of(const char* utf8) {
  std::string text = utf8 ? utf8 : "";
  if (auto stored = utf8_to_windows1252(text)) return *stored;
  // Keep what can be kept: one '?' per character outside the code page.
  std::string kept;
  for (const char* p = text.c_str(); *p; p = g_utf8_next_char(p)) {
    std::optional<unsigned char> byte = windows1252_byte(g_utf8_get_char(p));
    kept += byte ? char(*byte) : '?';
  }
  return kept;
}

GtkDialogPage::GtkDialogPage(DialogPage& logic, GtkWindow* sheet, SheetButtons buttons)
    : logic(logic), sheet(sheet), buttons(buttons), fixed(page_area_new()) {
  g_object_ref_sink(fixed);
  gtk_style_context_add_class(gtk_widget_get_style_context(fixed), PAGE_STYLE_CLASS);
  for (const auto& control : logic.Template().controls) Build(control);
  Follow_Template_Order();
  Name_From_Captions();
}

GtkDialogPage::~GtkDialogPage() {
  for (Control* control : owned) delete control;
  g_object_unref(fixed);
}

void GtkDialogPage::Build(const ControlTemplate& control) {
  GtkWidget* text_owner = nullptr;
  GtkWidget* widget = nullptr;
  if (control.kind == ControlKind::RadioButton) {
    GSList* group = (control.starts_group || !last_radio)
                        ? nullptr
                        : gtk_radio_button_get_group(GTK_RADIO_BUTTON(last_radio));
    widget = gtk_radio_button_new_with_label(group, windows1252_to_utf8(control.text).c_str());
    text_owner = gtk_bin_get_child(GTK_BIN(widget));
    last_radio = widget;
  } else {
    widget = make_control_widget(control, &text_owner);
  }
  gtk_fixed_put(GTK_FIXED(fixed), widget, 0, 0);  // moved into its box by Place
  gtk_widget_show_all(widget);
  gtk_widget_set_no_show_all(widget, TRUE);
  if (control.hidden) gtk_widget_hide(widget);
  auto* entry = new Control{this, &control, control.id, control.kind, widget, text_owner,
                            nullptr, {}, {}, {}};
  owned.push_back(entry);
  if (control.id == 0) return;
  controls[control.id] = entry;
  Connect_Events(*entry);
}

void GtkDialogPage::Control_Event(Control* control, DialogEvent event) {
  GtkDialogPage& page = *control->page;
  if (page.quiet > 0 || !page.initialised) return;
  page.logic.On_Event(page, control->id, event);
}

namespace {

using Control = GtkDialogPage::Control;

void on_clicked(GtkButton*, gpointer data);
void on_scrolled(GtkRange*, gpointer data);
void on_selection_changed(GtkTreeSelection*, gpointer data);
void on_row_activated(GtkTreeView*, GtkTreePath*, GtkTreeViewColumn*, gpointer data);
gboolean on_link_activated(GtkLinkButton*, gpointer data);

}  // namespace

void GtkDialogPage::Connect_Events(Control& control) {
  GtkWidget* w = control.widget;
  switch (control.kind) {
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
    case ControlKind::PushButton:
      g_signal_connect(w, "clicked", G_CALLBACK(on_clicked), &control);
      break;
    case ControlKind::Slider:
      g_signal_connect(w, "value-changed", G_CALLBACK(on_scrolled), &control);
      break;
    case ControlKind::SortedList: {
      GtkTreeSelection* selection = gtk_tree_view_get_selection(GTK_TREE_VIEW(control.text_owner));
      g_signal_connect(selection, "changed", G_CALLBACK(on_selection_changed), &control);
      g_signal_connect(control.text_owner, "row-activated", G_CALLBACK(on_row_activated), &control);
      break;
    }
    case ControlKind::Link:
      g_signal_connect(w, "activate-link", G_CALLBACK(on_link_activated), &control);
      break;
    default:
      break;
  }
}

namespace {

void on_clicked(GtkButton*, gpointer data) {
  auto* control = static_cast<Control*>(data);
  GtkDialogPage::Control_Event(control, DialogEvent::Clicked);
}

void on_scrolled(GtkRange*, gpointer data) {
  GtkDialogPage::Control_Event(static_cast<Control*>(data), DialogEvent::Scrolled);
}

void on_selection_changed(GtkTreeSelection*, gpointer data) {
  GtkDialogPage::Control_Event(static_cast<Control*>(data), DialogEvent::SelectionChanged);
}

void on_row_activated(GtkTreeView*, GtkTreePath*, GtkTreeViewColumn*, gpointer data) {
  GtkDialogPage::Control_Event(static_cast<Control*>(data), DialogEvent::DoubleClicked);
}

// A click or Enter on a link: the page opens the address, not the toolkit.
gboolean on_link_activated(GtkLinkButton*, gpointer data) {
  GtkDialogPage::Control_Event(static_cast<Control*>(data), DialogEvent::Clicked);
  return TRUE;
}

}  // namespace

void GtkDialogPage::Page_Event(DialogEvent event) {
  if (!initialised) {
    if (event != DialogEvent::PageActivated) return;
    Quiet quiet_while_initialising(*this);
    initialised = true;
    logic.On_Init(*this);
  }
  logic.On_Event(*this, 0, event);
}

GtkDialogPage::Control& GtkDialogPage::Find(int id) {
  auto found = controls.find(id);
  if (found == controls.end()) unknown_control(id);
  return *found->second;
}

bool GtkDialogPage::Is_Checked(int id) {
  return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(Find(id).widget));
}

void GtkDialogPage::Set_Checked(int id, bool checked) {
  Quiet quiet_change(*this);
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(Find(id).widget), checked);
}

void GtkDialogPage::Enable(int id, bool enabled) {
  gtk_widget_set_sensitive(Find(id).widget, enabled);
}

bool GtkDialogPage::Is_Enabled(int id) { return gtk_widget_get_sensitive(Find(id).widget); }

void GtkDialogPage::Show(int id, bool shown) { gtk_widget_set_visible(Find(id).widget, shown); }

std::string GtkDialogPage::Get_Text(int id) {
  Control& control = Find(id);
  if (control.kind == ControlKind::FileNameEdit) return control.file_name;
  if (GTK_IS_ENTRY(control.text_owner))
    return program_text_of(gtk_entry_get_text(GTK_ENTRY(control.text_owner)));
  if (GTK_IS_LABEL(control.text_owner))
    return program_text_of(gtk_label_get_text(GTK_LABEL(control.text_owner)));
  return "";
}

// A file name is shown as the file system's display name of its bytes;
// every other text is Windows-1252.
std::string GtkDialogPage::Display_Text(Control& control, const std::string& text) {
  if (control.kind != ControlKind::FileNameEdit) return windows1252_to_utf8(text);
  control.file_name = text;
  char* shown = g_filename_display_name(text.c_str());
  std::string utf8 = shown;
  g_free(shown);
  return utf8;
}

void GtkDialogPage::Set_Text(int id, const std::string& text) {
  Quiet quiet_change(*this);
  Control& control = Find(id);
  std::string utf8 = Display_Text(control, text);
  if (GTK_IS_ENTRY(control.text_owner)) {
    gtk_entry_set_text(GTK_ENTRY(control.text_owner), utf8.c_str());
  } else if (GTK_IS_LABEL(control.text_owner)) {
    gtk_label_set_text(GTK_LABEL(control.text_owner), utf8.c_str());
    Offer_Whole_Text(control, utf8);
  }
  Keep_Fitting(control);
}

void GtkDialogPage::Set_Text_Color(int id, uint32_t color) {
  Control& control = Find(id);
  if (!GTK_IS_BUTTON(control.widget)) unknown_control(id, " that shows a colour");
  if (control.swatch == nullptr) {
    control.swatch = add_swatch(control.widget, control.text_owner);
    Keep_Fitting(control);
  }
  set_swatch_color(control.swatch, color);
}

void GtkDialogPage::Set_Slider(int id, int minimum, int maximum, int position) {
  Quiet quiet_change(*this);
  GtkRange* range = GTK_RANGE(Find(id).widget);
  gtk_range_set_range(range, minimum, maximum);
  // Page Up and Page Down move a fifth of the range, as a Win32 track bar.
  gtk_range_set_increments(range, 1, (maximum - minimum) / 5.0);
  gtk_range_set_value(range, position);
}

int GtkDialogPage::Get_Slider(int id) {
  return int(gtk_range_get_value(GTK_RANGE(Find(id).widget)));
}

// The entry or list inside a control, else the control itself: a button's
// label cannot take the focus.
void GtkDialogPage::Focus(int id) {
  Control& control = Find(id);
  bool inner = gtk_widget_get_can_focus(control.text_owner);
  gtk_widget_grab_focus(inner ? control.text_owner : control.widget);
}

std::optional<ScreenRect> GtkDialogPage::Screen_Rect(int id) {
  GtkWidget* widget = id == SHEET_OK_BUTTON     ? buttons.ok
                      : id == SHEET_HELP_BUTTON ? buttons.help
                                                : Find(id).widget;
  GtkAllocation box;
  gtk_widget_get_allocation(widget, &box);
  return screen_rect_of(widget, GdkRectangle{0, 0, box.width, box.height});
}

std::optional<ScreenRect> screen_rect_of(GtkWidget* widget, const GdkRectangle& area) {
  GtkWidget* top = gtk_widget_get_toplevel(widget);
  GdkWindow* window = gtk_widget_get_window(top);
  int x = 0, y = 0, origin_x = 0, origin_y = 0;
  if (!gtk_widget_get_mapped(widget) || window == nullptr ||
      !gtk_widget_translate_coordinates(widget, top, area.x, area.y, &x, &y))
    return std::nullopt;
  gdk_window_get_origin(window, &origin_x, &origin_y);
  return ScreenRect{origin_x + x, origin_y + y, area.width, area.height};
}

void GtkDialogPage::Beep() { gdk_display_beep(gdk_display_get_default()); }

}  // namespace platform::gtk
