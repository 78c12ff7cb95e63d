// Property sheets: pages built from control tables, driven by portable page logic.
//
// A page is a table of controls (id, kind, text, place in dialog units of a
// 400 x 230 page) and a handler. The backend builds the widgets, gives the
// handler a DialogControls to read and change them, and reports every user
// action as (control id, event). Texts crossing this interface are
// Windows-1252 (file names excepted: they are the file system's bytes); the
// backend converts to and from the toolkit's encoding.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class ControlKind {
  Label,          // static text, left aligned
  CenteredLabel,  // static text, centred
  Group,          // frame with an optional caption
  CheckBox,
  RadioButton,    // starts_group begins a new set of exclusive buttons
  PushButton,
  Slider,         // horizontal, no tick marks
  Edit,           // single line
  DigitsEdit,     // single line, accepts only the digits 0 to 9
  FileNameEdit,   // single line, not editable, scrolls horizontally; its text
                  // is a file name in the file system's bytes
  SortedList,     // single selection, entries in the locale's reading order
  Picture,        // the image resource `resource`
  Icon,           // the icon resource `resource`
  Link,           // text that looks and acts like a hyperlink
};

struct ControlTemplate {
  int id;  // 0 for controls that the page logic never addresses
  ControlKind kind;
  const char* text;  // Windows-1252; "\n" breaks a button's text into lines
  int x, y, width, height;  // dialog units
  bool hidden = false;
  bool starts_group = false;
  int resource = 0;
  // Words for screen readers where the text shown says too little: a
  // caption's words in full ("Latitude" for "Lat"), or what each of the
  // fields that share one caption holds ("degrees", "minutes").
  const char* spoken = nullptr;
};

struct PageTemplate {
  int template_id;
  const char* title;  // Windows-1252, blanks included
  std::vector<ControlTemplate> controls;
};

// The buttons of the sheet itself; page controls never use these ids.
constexpr int SHEET_OK_BUTTON = 1;
constexpr int SHEET_HELP_BUTTON = 9;

enum class DialogEvent {
  Clicked,           // button, check box, radio button or link
  SelectionChanged,  // list box
  DoubleClicked,     // list box
  Scrolled,          // slider: every movement, also while dragging
  PageActivated,     // the page became the shown one (control id 0)
  PageLeft,          // another page is shown or the sheet closes (control id 0)
  HelpRequested,     // the sheet's Help button (control id 0)
  PageDestroyed,     // the sheet is going away (control id 0)
};

struct FileChooserRequest {
  std::string title;
  std::string filter_name;       // ".m3u Playlists"
  std::string filter_pattern;    // "*.m3u;*.m3u8": patterns separated by ';'
  std::string default_extension; // added to a name typed without one
};

struct ScreenRect {
  int x, y, width, height;  // root-window pixels
};

// What page logic may do with the controls of its own page. Unknown ids are
// caller bugs and end the program with an assertion in the backend.
class DialogControls {
 public:
  virtual ~DialogControls() = default;

  virtual bool Is_Checked(int id) = 0;
  // Check boxes take the state; a radio button given true becomes the
  // selected one of its set.
  virtual void Set_Checked(int id, bool checked) = 0;
  virtual void Enable(int id, bool enabled) = 0;
  virtual bool Is_Enabled(int id) = 0;
  virtual void Show(int id, bool shown) = 0;
  virtual std::string Get_Text(int id) = 0;
  virtual void Set_Text(int id, const std::string& text) = 0;
  // A colour that a button shows beside its text, 0x00BBGGRR.
  virtual void Set_Text_Color(int id, uint32_t color) = 0;
  virtual void Set_Slider(int id, int minimum, int maximum, int position) = 0;
  virtual int Get_Slider(int id) = 0;
  virtual void Focus(int id) = 0;
  // Where the control is on the screen; also valid for the sheet's buttons.
  virtual std::optional<ScreenRect> Screen_Rect(int id) = 0;

  // Sorted list boxes. Indexes count from 0; -1 means none.
  virtual int List_Add(int id, const std::string& text) = 0;  // index of the new entry
  virtual int List_Find(int id, const std::string& text) = 0;  // exact match
  virtual int List_Count(int id) = 0;
  virtual std::string List_Text(int id, int index) = 0;
  virtual int List_Selection(int id) = 0;
  virtual void List_Select(int id, int index) = 0;  // -1 clears the selection
  virtual void List_Remove(int id, int index) = 0;

  virtual void Beep() = 0;
  virtual bool Ask_Yes_No(const std::string& question, const std::string& caption) = 0;
  // The colour chooser preset to initial (0x00BBGGRR); empty when cancelled.
  virtual std::optional<uint32_t> Choose_Color(uint32_t initial) = 0;
  // An existing file chosen by the user, in the file system's bytes; empty
  // when cancelled.
  virtual std::optional<std::string> Choose_File(const FileChooserRequest& request) = 0;
};

// The logic of one page. Events arrive on the dialog's thread.
class DialogPage {
 public:
  virtual ~DialogPage() = default;
  virtual const PageTemplate& Template() const = 0;
  virtual void On_Init(DialogControls& controls) = 0;
  virtual void On_Event(DialogControls& controls, int control_id, DialogEvent event) = 0;
};

struct DialogApi {
  // Shows a modal sheet of the pages with an OK and a Help button (no Cancel,
  // no Apply), opening on start_page; returns when the user closes it. False
  // without running anything when no display can be opened.
  bool (*run_property_sheet)(const char* caption, const std::vector<DialogPage*>& pages,
                             int start_page);
  // Runs task on the dialog's thread once delay_ms have passed while a sheet
  // runs (a dialog timer); tasks still waiting when no sheet runs wait for
  // the next one.
  void (*post_task)(int delay_ms, std::function<void()> task);
  // Brings the sheet with this caption that another process shows to the
  // front and gives it the keyboard; false when no such sheet shows.
  bool (*bring_sheet_to_front)(const char* caption);
  // The window that owns the sheets shown from now on (0 for none): a
  // modal sheet keeps it disabled while it shows. Null where sheets are
  // windows of their own.
  void (*set_owner)(uintptr_t owner);
};

namespace gtk {
void connect_dialog(DialogApi& dialog);
}

}  // namespace platform
