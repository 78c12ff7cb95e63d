// One page of the GTK settings sheet: widgets built from a page template,
// reached by the page logic through DialogControls (gtk_page*.cpp).
#pragma once

#include <gtk/gtk.h>

#include <map>
#include <string>
#include <vector>

#include "platform/dialog.h"

namespace platform::gtk {

// Pixels per dialog unit, across and down.
struct DialogUnits {
  double x, y;
};

// The style class of every page, which the sheet's style rules select.
constexpr char PAGE_STYLE_CLASS[] = "ob3d-page";

class GtkDialogPage : public DialogControls {
 public:
  // The sheet's own buttons, which Screen_Rect also answers for.
  struct SheetButtons {
    GtkWidget* ok;
    GtkWidget* help;
  };

  // A list box's entry: the program's text and the key it is sorted by.
  struct ListEntry {
    std::string text;
    std::string key;
  };

  struct Control {
    GtkDialogPage* page;
    const ControlTemplate* source;  // its entry in the page's template
    int id;
    ControlKind kind;
    GtkWidget* widget;      // placed in the page
    GtkWidget* text_owner;  // the label, entry or tree view inside it
    GtkWidget* swatch = nullptr;  // a button's colour, once it has one
    GdkRectangle box{};     // its place in the page, in pixels
    std::vector<ListEntry> entries;  // a list box's entries, in order
    std::string file_name;           // a file name control's bytes
  };

  GtkDialogPage(DialogPage& logic, GtkWindow* sheet, SheetButtons buttons);
  ~GtkDialogPage() override;
  GtkDialogPage(const GtkDialogPage&) = delete;
  GtkDialogPage& operator=(const GtkDialogPage&) = delete;

  GtkWidget* Widget() const { return fixed; }
  // Every control of the page, in the template's order.
  const std::vector<Control*>& All_Controls() const { return owned; }
  // The page's dialog units: those of its font, grown until every
  // control's least size fits its box (gtk_page_layout.cpp). Valid once the
  // page is inside its window, whose style sizes the widgets. The controls
  // are measured unplaced: Place must follow.
  DialogUnits Needed_Units();
  // Whether the page's font measures otherwise than when Needed_Units last
  // measured it: the desktop's font or text scale has changed.
  bool Font_Changed();
  // Places every control in the given units; the sheet gives all its pages
  // the largest units that any of them needs.
  void Place(DialogUnits units);
  // Hands a page event to the logic, running On_Init first on the page's
  // first event (pages are initialised when first shown).
  void Page_Event(DialogEvent event);
  bool Is_Initialised() const { return initialised; }
  // A user action on a control; dropped while the logic itself changes controls.
  static void Control_Event(Control* control, DialogEvent event);

  bool Is_Checked(int id) override;
  void Set_Checked(int id, bool checked) override;
  void Enable(int id, bool enabled) override;
  bool Is_Enabled(int id) override;
  void Show(int id, bool shown) override;
  std::string Get_Text(int id) override;
  void Set_Text(int id, const std::string& text) override;
  void Set_Text_Color(int id, uint32_t color) override;
  void Set_Slider(int id, int minimum, int maximum, int position) override;
  int Get_Slider(int id) override;
  void Focus(int id) override;
  std::optional<ScreenRect> Screen_Rect(int id) override;
  // Where a list's entry is on the screen, when it is scrolled into view.
  std::optional<ScreenRect> List_Row_Rect(int id, int index);

  int List_Add(int id, const std::string& text) override;
  int List_Find(int id, const std::string& text) override;
  int List_Count(int id) override;
  std::string List_Text(int id, int index) override;
  int List_Selection(int id) override;
  void List_Select(int id, int index) override;
  void List_Remove(int id, int index) override;

  void Beep() override;
  bool Ask_Yes_No(const std::string& question, const std::string& caption) override;
  std::optional<uint32_t> Choose_Color(uint32_t initial) override;
  std::optional<std::string> Choose_File(const FileChooserRequest& request) override;

 private:
  // Changes made by the logic itself must not come back to it as events.
  class Quiet {
   public:
    explicit Quiet(GtkDialogPage& page) : page(page) { ++page.quiet; }
    ~Quiet() { --page.quiet; }

   private:
    GtkDialogPage& page;
  };

  void Build(const ControlTemplate& control);
  // The UTF-8 text that shows the program's text in the control.
  static std::string Display_Text(Control& control, const std::string& text);
  // Tab moves through the controls in the template's order, group by group,
  // not by their places on the screen (gtk_page_access.cpp).
  void Follow_Template_Order();
  // A control without text of its own (slider, list, edit) is named for
  // screen readers by the caption that comes before it; several such
  // controls after one caption each add what they hold to its name.
  void Name_From_Captions();
  // A label cut short at its box's end shows its whole text as a tooltip.
  static void Offer_Whole_Text(Control& control, const std::string& utf8);
  // Places the page again, in units grown as needed, when a changed control
  // no longer fits its box.
  void Keep_Fitting(Control& control);
  Control& Find(int id);
  void Connect_Events(Control& control);

  DialogPage& logic;
  GtkWindow* sheet;
  SheetButtons buttons;
  GtkWidget* fixed;
  std::map<int, Control*> controls;
  std::vector<Control*> owned;
  GtkWidget* last_radio = nullptr;  // the set a new radio button joins
  DialogUnits units{};
  DialogUnits measured_font{};  // the units of the font alone, when last measured
  int quiet = 0;
  bool initialised = false;
};

// Where an area of the widget (in its own coordinates) is on the screen;
// empty while the widget is not on the screen.
std::optional<ScreenRect> screen_rect_of(GtkWidget* widget, const GdkRectangle& area);
// A GtkFixed that asks for exactly its size request (gtk_page_area.cpp).
GtkWidget* page_area_new();
// Builds the widget of one control kind; text_owner receives the inner widget.
GtkWidget* make_control_widget(const ControlTemplate& control, GtkWidget** text_owner);
// Puts a colour swatch after a button's label; the swatch is returned
// (gtk_swatch.cpp).
GtkWidget* add_swatch(GtkWidget* button, GtkWidget* label);
// The swatch's colour, 0x00BBGGRR.
void set_swatch_color(GtkWidget* swatch, uint32_t bgr);
// The image resource of a Picture control, scaled into its box with its
// aspect kept, in a sunken frame (gtk_images.cpp).
GtkWidget* make_picture(const ControlTemplate& control);
// The image of an Icon control's icon resource whose size suits its box best.
GtkWidget* make_icon(const ControlTemplate& control);
// Gives the window every size of the program's embedded icon.
void set_program_icon(GtkWindow* window);
// The UTF-8 text of a label, button or entry as the program's Windows-1252;
// a character the code page cannot hold becomes '?' (entries refuse them,
// so only a label that the program did not fill could hold one).
std::string program_text_of(const char* utf8);
// Entries accept only text that the program can store, and a digits edit
// only digits; a refused insert beeps and shows why beside the entry for a
// few seconds (gtk_entry_rules.cpp).
void accept_only_storable_text(GtkWidget* entry, bool digits_only);
// The reason shown beside the entry for its last refused insert; empty when
// none shows.
std::string shown_refusal(GtkWidget* entry);

}  // namespace platform::gtk
