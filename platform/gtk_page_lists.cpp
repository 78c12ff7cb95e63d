// Sorted list boxes of a GTK settings page: a one-column tree view whose
// entries are kept in the order a person reads them, by the locale.
#include <algorithm>
#include <tuple>

#include "platform/gtk_page.h"
#include "platform/text_encoding.h"

namespace platform::gtk {
namespace {

GtkListStore* store_of(GtkDialogPage::Control& control) {
  return GTK_LIST_STORE(gtk_tree_view_get_model(GTK_TREE_VIEW(control.text_owner)));
}

GtkTreeSelection* selection_of(GtkDialogPage::Control& control) {
  return gtk_tree_view_get_selection(GTK_TREE_VIEW(control.text_owner));
}

bool valid_index(const GtkDialogPage::Control& control, int index) {
  return index >= 0 && index < int(control.entries.size());
}

// The C and C.UTF-8 locales order by code point, upper case before lower
// and accented letters after "z"; a locale of a language orders as its
// readers do.
bool locale_collates_letters() {
  static const bool collates = g_utf8_collate("a", "B") < 0;
  return collates;
}

// The letters of the text without accents and case, so that "Córdoba"
// stands by "Copenhagen" and "aachen" by "Abadan".
std::string plain_letters(const std::string& utf8) {
  char* decomposed = g_utf8_normalize(utf8.c_str(), -1, G_NORMALIZE_NFD);
  std::string base;
  for (const char* p = decomposed; p && *p; p = g_utf8_next_char(p)) {
    if (!g_unichar_ismark(g_utf8_get_char(p))) base.append(p, g_utf8_next_char(p) - p);
  }
  g_free(decomposed);
  char* folded = g_utf8_casefold(base.c_str(), -1);
  std::string letters = folded;
  g_free(folded);
  return letters;
}

// The locale's collation key; in a locale that orders by code point, the
// plain letters first, so that the key still reads as a person would.
std::string reading_key(const std::string& utf8) {
  char* collated = g_utf8_collate_key(utf8.c_str(), -1);
  std::string key = collated;
  g_free(collated);
  if (locale_collates_letters()) return key;
  return plain_letters(utf8) + '\1' + key;
}

}  // namespace

int GtkDialogPage::List_Add(int id, const std::string& text) {
  Quiet quiet_change(*this);
  Control& control = Find(id);
  std::string utf8 = windows1252_to_utf8(text);
  ListEntry entry{text, reading_key(utf8)};
  // Equal keys keep the byte order, so that the order never depends on
  // which entry came first.
  auto place = std::upper_bound(control.entries.begin(), control.entries.end(), entry,
                                [](const ListEntry& a, const ListEntry& b) {
                                  return std::tie(a.key, a.text) < std::tie(b.key, b.text);
                                });
  int index = int(place - control.entries.begin());
  control.entries.insert(place, std::move(entry));
  GtkTreeIter row;
  gtk_list_store_insert_with_values(store_of(control), &row, index, 0, utf8.c_str(), -1);
  return index;
}

int GtkDialogPage::List_Find(int id, const std::string& text) {
  Control& control = Find(id);
  auto found = std::find_if(control.entries.begin(), control.entries.end(),
                            [&](const ListEntry& entry) { return entry.text == text; });
  return found == control.entries.end() ? -1 : int(found - control.entries.begin());
}

int GtkDialogPage::List_Count(int id) { return int(Find(id).entries.size()); }

std::string GtkDialogPage::List_Text(int id, int index) {
  Control& control = Find(id);
  return valid_index(control, index) ? control.entries[index].text : "";
}

int GtkDialogPage::List_Selection(int id) {
  Control& control = Find(id);
  GtkTreeIter row;
  GtkTreeModel* model = nullptr;
  if (!gtk_tree_selection_get_selected(selection_of(control), &model, &row)) return -1;
  GtkTreePath* path = gtk_tree_model_get_path(model, &row);
  int index = gtk_tree_path_get_indices(path)[0];
  gtk_tree_path_free(path);
  return index;
}

std::optional<ScreenRect> GtkDialogPage::List_Row_Rect(int id, int index) {
  Control& control = Find(id);
  if (!valid_index(control, index)) return std::nullopt;
  GtkTreeView* tree = GTK_TREE_VIEW(control.text_owner);
  GtkTreePath* path = gtk_tree_path_new_from_indices(index, -1);
  GdkRectangle cell;
  gtk_tree_view_get_cell_area(tree, path, nullptr, &cell);
  gtk_tree_path_free(path);
  int x = 0, y = 0;
  gtk_tree_view_convert_bin_window_to_widget_coords(tree, cell.x, cell.y, &x, &y);
  int width = gtk_widget_get_allocated_width(control.text_owner);
  if (y < 0 || y + cell.height > gtk_widget_get_allocated_height(control.text_owner))
    return std::nullopt;
  return screen_rect_of(control.text_owner, GdkRectangle{0, y, width, cell.height});
}

void GtkDialogPage::List_Select(int id, int index) {
  Quiet quiet_change(*this);
  Control& control = Find(id);
  GtkTreeSelection* selection = selection_of(control);
  if (!valid_index(control, index)) {
    gtk_tree_selection_unselect_all(selection);
    return;
  }
  // The cursor moves too, so that the keyboard continues from the entry.
  GtkTreePath* path = gtk_tree_path_new_from_indices(index, -1);
  gtk_tree_view_set_cursor(GTK_TREE_VIEW(control.text_owner), path, nullptr, FALSE);
  gtk_tree_view_scroll_to_cell(GTK_TREE_VIEW(control.text_owner), path, nullptr, FALSE, 0, 0);
  gtk_tree_path_free(path);
}

void GtkDialogPage::List_Remove(int id, int index) {
  Quiet quiet_change(*this);
  Control& control = Find(id);
  if (!valid_index(control, index)) return;
  bool was_selected = List_Selection(id) == index;
  GtkTreeIter row;
  if (gtk_tree_model_iter_nth_child(GTK_TREE_MODEL(store_of(control)), &row, nullptr, index))
    gtk_list_store_remove(store_of(control), &row);
  control.entries.erase(control.entries.begin() + index);
  // The tree view selects the neighbour of a removed cursor row; a list box
  // has no selection after its selected entry is gone.
  if (was_selected) gtk_tree_selection_unselect_all(selection_of(control));
}

}  // namespace platform::gtk
