// The settings sheet under GTK 3 behind platform::DialogApi.
//
// Implemented: a window with a notebook of the pages (tab titles as given,
// blanks included), OK and Help buttons, pages initialised when first shown,
// page activation, leaving, help and destruction reported to the page logic;
// closing the window and Escape count as OK, F1 as Help; all pages share
// the dialog units that the largest need of any of them sets; a second
// settings process brings the sheet to the front; the window shows the
// program's icon; a change of the desktop's font or text scale lays the
// pages out again.
#include <gtk/gtk.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "platform/dialog.h"
#include "platform/gtk_page.h"
#include "platform/text_encoding.h"
#include "platform/x11_raise.h"

namespace platform::gtk {
namespace {

struct Sheet {
  GtkWidget* window = nullptr;
  GtkWidget* notebook = nullptr;
  std::vector<std::unique_ptr<GtkDialogPage>> pages;
  GMainLoop* loop = nullptr;
  guint relayout = 0;  // the layout pending after a page's style changed
  bool closing = false;
};

GtkDialogPage* current_page(Sheet& sheet) {
  int index = gtk_notebook_get_current_page(GTK_NOTEBOOK(sheet.notebook));
  return index >= 0 && index < int(sheet.pages.size()) ? sheet.pages[index].get() : nullptr;
}

// The notebook is about to show another page: the shown one is left first.
void on_switch_page(GtkNotebook*, GtkWidget*, guint index, gpointer data) {
  auto& sheet = *static_cast<Sheet*>(data);
  if (sheet.closing) return;
  if (GtkDialogPage* old = current_page(sheet)) {
    if (old != sheet.pages[index].get()) old->Page_Event(DialogEvent::PageLeft);
  }
  sheet.pages[index]->Page_Event(DialogEvent::PageActivated);
}

// OK and closing the window: the shown page is left, then every page that
// was ever shown is destroyed.
void close_sheet(Sheet& sheet) {
  if (sheet.closing) return;
  if (GtkDialogPage* page = current_page(sheet)) page->Page_Event(DialogEvent::PageLeft);
  sheet.closing = true;
  for (auto& page : sheet.pages) {
    if (page->Is_Initialised()) page->Page_Event(DialogEvent::PageDestroyed);
  }
  g_main_loop_quit(sheet.loop);
}

void on_ok(GtkButton*, gpointer data) { close_sheet(*static_cast<Sheet*>(data)); }

gboolean on_delete(GtkWidget*, GdkEvent*, gpointer data) {
  close_sheet(*static_cast<Sheet*>(data));
  return TRUE;
}

void show_help(Sheet& sheet) {
  if (GtkDialogPage* page = current_page(sheet)) page->Page_Event(DialogEvent::HelpRequested);
}

void on_help(GtkButton*, gpointer data) { show_help(*static_cast<Sheet*>(data)); }

// Keys that no control took: Escape closes the sheet as OK does (every
// change is already stored), F1 asks for help.
gboolean on_key(GtkWidget*, GdkEventKey* event, gpointer data) {
  auto& sheet = *static_cast<Sheet*>(data);
  if (event->keyval == GDK_KEY_Escape) {
    close_sheet(sheet);
    return TRUE;
  }
  if (event->keyval == GDK_KEY_F1) {
    show_help(sheet);
    return TRUE;
  }
  return FALSE;
}

// Entries and buttons of the pages as tall as the templates' boxes, which
// were drawn for a dialog font with slimmer controls. The pages' controls
// change their looks at once: a font size fading to a new desktop font would
// be measured halfway.
const char COMPACT_STYLE[] =
    ".ob3d-page entry { min-height: 0; padding-top: 1px; padding-bottom: 1px; }"
    ".ob3d-page button { min-height: 0; padding: 2px 6px; }"
    ".ob3d-page checkbutton, .ob3d-page radiobutton { padding-top: 1px; padding-bottom: 1px; }"
    ".ob3d-page scale { padding-top: 10px; padding-bottom: 10px; }"
    ".ob3d-page button.link { padding: 0 2px; border-width: 0; }"
    ".ob3d-page * { transition: none; }";

void use_compact_style(GtkWidget* window) {
  GtkCssProvider* provider = gtk_css_provider_new();
  gtk_css_provider_load_from_data(provider, COMPACT_STYLE, -1, nullptr);
  gtk_style_context_add_provider_for_screen(gtk_widget_get_screen(window),
                                            GTK_STYLE_PROVIDER(provider),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_unref(provider);
}

GtkWidget* make_button_row(GtkWidget** ok, GtkWidget** help) {
  GtkWidget* row = gtk_button_box_new(GTK_ORIENTATION_HORIZONTAL);
  gtk_button_box_set_layout(GTK_BUTTON_BOX(row), GTK_BUTTONBOX_END);
  gtk_box_set_spacing(GTK_BOX(row), 6);
  *ok = gtk_button_new_with_label("OK");
  *help = gtk_button_new_with_label("Help");
  gtk_container_add(GTK_CONTAINER(row), *ok);
  gtk_container_add(GTK_CONTAINER(row), *help);
  return row;
}

// Every page in the same dialog units, as a property sheet sizes its pages
// alike: the largest that any page needs.
void place_pages(Sheet& sheet) {
  DialogUnits units{0, 0};
  for (auto& page : sheet.pages) {
    DialogUnits needed = page->Needed_Units();
    units = DialogUnits{std::max(units.x, needed.x), std::max(units.y, needed.y)};
  }
  for (auto& page : sheet.pages) page->Place(units);
}

// Lays every page out again once the desktop's font or text scale has
// changed, as the first layout does, and fits the window to the pages.
gboolean lay_out_again(gpointer data) {
  auto& sheet = *static_cast<Sheet*>(data);
  sheet.relayout = 0;
  bool changed = std::any_of(sheet.pages.begin(), sheet.pages.end(),
                             [](auto& page) { return page->Font_Changed(); });
  if (!changed) return G_SOURCE_REMOVE;
  place_pages(sheet);
  gtk_window_resize(GTK_WINDOW(sheet.window), 1, 1);
  return G_SOURCE_REMOVE;
}

// A page's style changed (its font, or only its state). The toolkit restyles
// a page's controls right after the page, and only once they are all done
// may they be measured.
void on_page_restyled(GtkWidget*, gpointer data) {
  auto& sheet = *static_cast<Sheet*>(data);
  if (sheet.relayout == 0) sheet.relayout = g_idle_add(lay_out_again, &sheet);
}

void follow_desktop_text(Sheet& sheet) {
  for (auto& page : sheet.pages)
    g_signal_connect(page->Widget(), "style-updated", G_CALLBACK(on_page_restyled), &sheet);
}

void stop_following_desktop_text(Sheet& sheet) {
  for (auto& page : sheet.pages) g_signal_handlers_disconnect_by_data(page->Widget(), &sheet);
  if (sheet.relayout != 0) g_source_remove(sheet.relayout);
  sheet.relayout = 0;
}

void build_sheet(Sheet& sheet, const char* caption, const std::vector<DialogPage*>& pages) {
  sheet.window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(sheet.window), windows1252_to_utf8(caption).c_str());
  gtk_window_set_role(GTK_WINDOW(sheet.window), x11::SETTINGS_SHEET_ROLE);
  gtk_window_set_resizable(GTK_WINDOW(sheet.window), FALSE);
  gtk_window_set_position(GTK_WINDOW(sheet.window), GTK_WIN_POS_CENTER);
  set_program_icon(GTK_WINDOW(sheet.window));
  use_compact_style(sheet.window);
  GtkWidget* column = gtk_box_new(GTK_ORIENTATION_VERTICAL, 8);
  gtk_container_set_border_width(GTK_CONTAINER(column), 8);
  gtk_container_add(GTK_CONTAINER(sheet.window), column);
  sheet.notebook = gtk_notebook_new();
  gtk_box_pack_start(GTK_BOX(column), sheet.notebook, TRUE, TRUE, 0);
  GtkWidget* ok = nullptr;
  GtkWidget* help = nullptr;
  gtk_box_pack_start(GTK_BOX(column), make_button_row(&ok, &help), FALSE, FALSE, 0);
  gtk_widget_set_can_default(ok, TRUE);
  gtk_window_set_default(GTK_WINDOW(sheet.window), ok);
  for (DialogPage* logic : pages) {
    auto page = std::make_unique<GtkDialogPage>(*logic, GTK_WINDOW(sheet.window),
                                                GtkDialogPage::SheetButtons{ok, help});
    GtkWidget* title = gtk_label_new(windows1252_to_utf8(logic->Template().title).c_str());
    gtk_notebook_append_page(GTK_NOTEBOOK(sheet.notebook), page->Widget(), title);
    sheet.pages.push_back(std::move(page));
  }
  place_pages(sheet);
  follow_desktop_text(sheet);
  g_signal_connect(ok, "clicked", G_CALLBACK(on_ok), &sheet);
  g_signal_connect(help, "clicked", G_CALLBACK(on_help), &sheet);
  g_signal_connect(sheet.window, "delete-event", G_CALLBACK(on_delete), &sheet);
  g_signal_connect_after(sheet.window, "key-press-event", G_CALLBACK(on_key), &sheet);
}

bool run_property_sheet(const char* caption, const std::vector<DialogPage*>& pages,
                        int start_page) {
  if (pages.empty() || !gtk_init_check(nullptr, nullptr)) return false;
  Sheet sheet;
  sheet.loop = g_main_loop_new(nullptr, FALSE);
  build_sheet(sheet, caption, pages);
  gtk_widget_show_all(sheet.window);
  int start = (start_page >= 0 && start_page < int(pages.size())) ? start_page : 0;
  gtk_notebook_set_current_page(GTK_NOTEBOOK(sheet.notebook), start);
  g_signal_connect(sheet.notebook, "switch-page", G_CALLBACK(on_switch_page), &sheet);
  sheet.pages[start]->Page_Event(DialogEvent::PageActivated);
  g_main_loop_run(sheet.loop);
  stop_following_desktop_text(sheet);
  gtk_widget_destroy(sheet.window);
  sheet.pages.clear();
  while (gtk_events_pending()) gtk_main_iteration();
  g_main_loop_unref(sheet.loop);
  return true;
}

gboolean run_task(gpointer data) {
  (*static_cast<std::function<void()>*>(data))();
  return G_SOURCE_REMOVE;
}

void delete_task(gpointer data) { delete static_cast<std::function<void()>*>(data); }

void post_task(int delay_ms, std::function<void()> task) {
  g_timeout_add_full(G_PRIORITY_DEFAULT, guint(delay_ms < 0 ? 0 : delay_ms), run_task,
                     new std::function<void()>(std::move(task)), delete_task);
}

// The sheet of another settings process, found by its role and caption.
bool bring_sheet_to_front(const char* caption) {
  return x11::bring_to_front(x11::SETTINGS_SHEET_ROLE, windows1252_to_utf8(caption).c_str());
}

}  // namespace

void connect_dialog(DialogApi& dialog) {
  dialog.run_property_sheet = run_property_sheet;
  dialog.post_task = post_task;
  dialog.bring_sheet_to_front = bring_sheet_to_front;
}

}  // namespace platform::gtk
