// One page of the Win32 settings sheet: a dialog template built in memory
// from the page's control table, and the dialog procedure that reports the
// controls' actions to the page logic and lets it reach the controls
// (win32_page*.cpp).
#pragma once

#include "platform/win32_connect.h"  // before <windows.h>: see platform/window.h

#include <windows.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialog.h"

namespace platform::win32 {

// The page font: the system's dialog font at 8 points, so that the dialog
// units follow the system font and its DPI.
constexpr char PAGE_FONT[] = "MS Shell Dlg";
constexpr WORD PAGE_FONT_POINTS = 8;
// Every page is this large, in dialog units.
constexpr short PAGE_WIDTH = 400;
constexpr short PAGE_HEIGHT = 230;
// The id of the controls that the page logic never addresses.
constexpr WORD UNADDRESSED_ID = 0xFFFF;
// The track bar's class, as comctl32 registers it.
constexpr char TRACKBAR_CLASS[] = "msctls_trackbar32";

// The window style of a control of this kind (WS_CHILD and the kind's own
// styles; WS_VISIBLE unless hidden, WS_GROUP where a set of radio buttons or
// a group of other controls begins).
DWORD control_style(const ControlTemplate& control);
// The page's DLGTEMPLATE followed by its DLGITEMTEMPLATEs, as words; the
// first word is DWORD aligned in a vector's storage. Texts are converted
// from Windows-1252.
std::vector<WORD> page_template(const PageTemplate& page);

class Win32DialogPage : public DialogControls {
 public:
  explicit Win32DialogPage(DialogPage& logic);
  ~Win32DialogPage() override;
  Win32DialogPage(const Win32DialogPage&) = delete;
  Win32DialogPage& operator=(const Win32DialogPage&) = delete;

  // The template that the sheet creates the page from.
  const DLGTEMPLATE* Dialog_Template() const {
    return reinterpret_cast<const DLGTEMPLATE*>(words.data());
  }
  const char* Title() const { return logic.Template().title; }
  // The dialog procedure; WM_INITDIALOG's PROPSHEETPAGE carries the page.
  static INT_PTR CALLBACK Dialog_Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

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
  void Initialise(HWND page_window);
  // Hands an event to the logic once the page is initialised.
  void Event(int control_id, DialogEvent event);
  // WM_NOTIFY from the sheet: its result for DWLP_MSGRESULT.
  LRESULT Sheet_Notification(const NMHDR& header);
  void Command(WORD control_id, WORD code);
  // WM_CTLCOLORSTATIC: the links' blue and the swatches' colours; null for
  // controls drawn as usual.
  HBRUSH Static_Color(HWND control, HDC dc);
  void Destroy();
  // The template's control with this id; null when it has none.
  const ControlTemplate* Lookup(int id) const;
  // The control with this id; an id that the template lacks ends the
  // program, as the page logic asked for a control its page does not have.
  HWND Find(int id);
  const ControlTemplate& Template_Of(int id);
  // The radio buttons of the set that holds this one, in template order.
  std::vector<int> Radio_Set_Of(int id);

  DialogPage& logic;
  std::vector<WORD> words;
  HWND page = nullptr;
  // The colour swatches beside buttons, by the button's id.
  struct Swatch {
    HWND window;
    HBRUSH brush;
  };
  std::map<int, Swatch> swatches;
  HBITMAP picture = nullptr;
  // While Static_Color asks the dialog's default handling for a link's
  // background.
  bool asking_default_color = false;
  bool initialised = false;
  bool active = false;
};

// The static controls that are more than text: a link draws its text
// underlined with a hand pointer and reports clicks; a picture shows its
// bitmap resource scaled into its box with its aspect kept, the bitmap
// returned for the page to delete (win32_page_statics.cpp).
void make_link(HWND control);
// A swatch right after a button's text: an empty bordered static that its
// page fills with a colour. The button is narrowed to end before it.
HWND add_swatch(HWND button);
HBITMAP show_picture(HWND control, int resource);
// The colour a link's text is drawn in.
constexpr COLORREF LINK_COLOR = RGB(0, 0, 255);

}  // namespace platform::win32
