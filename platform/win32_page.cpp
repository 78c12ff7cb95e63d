// A settings page under Win32: its dialog procedure turns the controls'
// messages and the sheet's notifications into (control id, event) for the
// page logic, and DialogControls into messages to the controls.
#include "platform/win32_page.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <cstdlib>

namespace platform::win32 {
namespace {

[[noreturn]] void unknown_control(int id, const char* what = "") {
  std::fprintf(stderr, "Win32: the page has no control %d%s\n", id, what);
  std::abort();
}

// The picture has no id: it is the page's one bitmap control.
HWND bitmap_control(HWND page) {
  for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) return child;
  }
  return nullptr;
}

void set_result(HWND page, LRESULT result) { SetWindowLongPtrA(page, DWLP_MSGRESULT, result); }

}  // namespace

Win32DialogPage::Win32DialogPage(DialogPage& logic)
    : logic(logic), words(page_template(logic.Template())) {}

Win32DialogPage::~Win32DialogPage() {
  if (picture) DeleteObject(picture);
  for (const auto& [id, swatch] : swatches) {
    if (swatch.brush) DeleteObject(swatch.brush);
  }
}

INT_PTR CALLBACK Win32DialogPage::Dialog_Proc(HWND window, UINT message, WPARAM wparam,
                                              LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<Win32DialogPage*>(
        reinterpret_cast<const PROPSHEETPAGEA*>(lparam)->lParam);
    SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    self->Initialise(window);
    return TRUE;
  }
  auto* self = reinterpret_cast<Win32DialogPage*>(GetWindowLongPtrA(window, DWLP_USER));
  if (self == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND:
      self->Command(LOWORD(wparam), HIWORD(wparam));
      return TRUE;
    case WM_HSCROLL:
      if (lparam) self->Event(GetDlgCtrlID(reinterpret_cast<HWND>(lparam)), DialogEvent::Scrolled);
      return TRUE;
    case WM_NOTIFY:
      set_result(window, self->Sheet_Notification(*reinterpret_cast<const NMHDR*>(lparam)));
      return TRUE;
    case WM_HELP:  // F1
      self->Event(0, DialogEvent::HelpRequested);
      return TRUE;
    case WM_CTLCOLORSTATIC:
      if (self->asking_default_color) return FALSE;
      return reinterpret_cast<INT_PTR>(
          self->Static_Color(reinterpret_cast<HWND>(lparam), reinterpret_cast<HDC>(wparam)));
    case WM_DESTROY:
      self->Destroy();
      return FALSE;
    default:
      return FALSE;
  }
}

void Win32DialogPage::Initialise(HWND page_window) {
  page = page_window;
  for (const ControlTemplate& control : logic.Template().controls) {
    if (control.kind == ControlKind::Link) make_link(GetDlgItem(page, control.id));
    if (control.kind == ControlKind::Picture) {
      picture = show_picture(bitmap_control(page), control.resource);
    }
  }
  logic.On_Init(*this);
  initialised = true;
}

void Win32DialogPage::Event(int control_id, DialogEvent event) {
  if (initialised) logic.On_Event(*this, control_id, event);
}

LRESULT Win32DialogPage::Sheet_Notification(const NMHDR& header) {
  switch (header.code) {
    case PSN_SETACTIVE:
      active = true;
      Event(0, DialogEvent::PageActivated);
      return 0;
    case PSN_KILLACTIVE:  // leaving the page is always allowed
      active = false;
      Event(0, DialogEvent::PageLeft);
      return FALSE;
    case PSN_HELP:
      Event(0, DialogEvent::HelpRequested);
      return 0;
    case PSN_APPLY:  // every change is stored already
      return PSNRET_NOERROR;
    default:
      return 0;
  }
}

void Win32DialogPage::Command(WORD control_id, WORD code) {
  // Commands from the sheet (Enter, Escape) and from unaddressed controls.
  const ControlTemplate* found = Lookup(control_id);
  if (found == nullptr) return;
  const ControlTemplate& control = *found;
  if (control.kind == ControlKind::SortedList) {
    if (code == LBN_SELCHANGE) Event(control_id, DialogEvent::SelectionChanged);
    if (code == LBN_DBLCLK) Event(control_id, DialogEvent::DoubleClicked);
    return;
  }
  // BN_CLICKED and a link's STN_CLICKED are both 0; edits only report
  // changes of their text, which the page reads when it needs them.
  bool clickable = control.kind == ControlKind::CheckBox ||
                   control.kind == ControlKind::RadioButton ||
                   control.kind == ControlKind::PushButton || control.kind == ControlKind::Link;
  if (clickable && code == BN_CLICKED) Event(control_id, DialogEvent::Clicked);
}

HBRUSH Win32DialogPage::Static_Color(HWND control, HDC dc) {
  for (const auto& [id, swatch] : swatches) {
    if (swatch.window == control) return swatch.brush;
  }
  const ControlTemplate* link = Lookup(GetDlgCtrlID(control));
  if (link == nullptr || link->kind != ControlKind::Link) return nullptr;
  // A link is filled as the page fills its other texts (the plain face
  // colour, or the tab's texture under visual styles), so every repaint
  // clears it, and its focus rectangle with it; only its text is blue.
  // The dialog's default handling asks this procedure first, which then
  // leaves it to the default.
  asking_default_color = true;
  LRESULT background = DefDlgProcA(page, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                   reinterpret_cast<LPARAM>(control));
  asking_default_color = false;
  SetTextColor(dc, LINK_COLOR);
  return reinterpret_cast<HBRUSH>(background);
}

// The sheet closes without telling the shown page that it is left when it
// is closed by Escape or its close box: the page is left here, as by OK.
void Win32DialogPage::Destroy() {
  if (active) {
    active = false;
    Event(0, DialogEvent::PageLeft);
  }
  Event(0, DialogEvent::PageDestroyed);
  initialised = false;
}

const ControlTemplate* Win32DialogPage::Lookup(int id) const {
  for (const ControlTemplate& control : logic.Template().controls) {
    if (control.id == id && id != 0) return &control;
  }
  return nullptr;
}

const ControlTemplate& Win32DialogPage::Template_Of(int id) {
  const ControlTemplate* control = Lookup(id);
  if (control == nullptr) unknown_control(id);
  return *control;
}

HWND Win32DialogPage::Find(int id) {
  Template_Of(id);
  HWND control = GetDlgItem(page, id);
  if (control == nullptr) unknown_control(id, " on the screen");
  return control;
}

std::vector<int> Win32DialogPage::Radio_Set_Of(int id) {
  std::vector<int> set;
  bool holds_id = false;
  for (const ControlTemplate& control : logic.Template().controls) {
    if (control.kind != ControlKind::RadioButton || control.starts_group) {
      if (holds_id) break;
      set.clear();
    }
    if (control.kind != ControlKind::RadioButton) continue;
    set.push_back(control.id);
    holds_id = holds_id || control.id == id;
  }
  return set;
}

bool Win32DialogPage::Is_Checked(int id) {
  return SendMessageA(Find(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32DialogPage::Set_Checked(int id, bool checked) {
  if (Template_Of(id).kind == ControlKind::RadioButton && checked) {
    for (int other : Radio_Set_Of(id)) {
      if (other != id) SendMessageA(Find(other), BM_SETCHECK, BST_UNCHECKED, 0);
    }
  }
  SendMessageA(Find(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32DialogPage::Enable(int id, bool enabled) { EnableWindow(Find(id), enabled); }

bool Win32DialogPage::Is_Enabled(int id) { return IsWindowEnabled(Find(id)); }

void Win32DialogPage::Show(int id, bool shown) { ShowWindow(Find(id), shown ? SW_SHOW : SW_HIDE); }

std::string Win32DialogPage::Get_Text(int id) {
  HWND control = Find(id);
  std::string text(size_t(GetWindowTextLengthA(control)) + 1, '\0');
  text.resize(size_t(GetWindowTextA(control, text.data(), int(text.size()))));
  return text;
}

void Win32DialogPage::Set_Text(int id, const std::string& text) {
  SetWindowTextA(Find(id), text.c_str());
}

void Win32DialogPage::Set_Text_Color(int id, uint32_t color) {
  HWND button = Find(id);
  ControlKind kind = Template_Of(id).kind;
  if (kind != ControlKind::RadioButton && kind != ControlKind::PushButton &&
      kind != ControlKind::CheckBox)
    unknown_control(id, " that shows a colour");
  Swatch& swatch = swatches[id];
  if (swatch.window == nullptr) swatch.window = add_swatch(button);
  if (swatch.brush) DeleteObject(swatch.brush);
  swatch.brush = CreateSolidBrush(COLORREF(color & 0x00FFFFFF));
  InvalidateRect(swatch.window, nullptr, TRUE);
}

void Win32DialogPage::Set_Slider(int id, int minimum, int maximum, int position) {
  HWND slider = Find(id);
  SendMessageA(slider, TBM_SETRANGEMIN, FALSE, minimum);
  SendMessageA(slider, TBM_SETRANGEMAX, FALSE, maximum);
  // Page Up and Page Down move a fifth of the range.
  SendMessageA(slider, TBM_SETPAGESIZE, 0, (maximum - minimum) / 5);
  SendMessageA(slider, TBM_SETPOS, TRUE, position);
}

int Win32DialogPage::Get_Slider(int id) { return int(SendMessageA(Find(id), TBM_GETPOS, 0, 0)); }

void Win32DialogPage::Focus(int id) {
  SendMessageA(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Find(id)), TRUE);
}

std::optional<ScreenRect> Win32DialogPage::Screen_Rect(int id) {
  HWND control = nullptr;
  if (id == SHEET_OK_BUTTON || id == SHEET_HELP_BUTTON) {
    control = GetDlgItem(GetParent(page), id);
  } else {
    control = Find(id);
  }
  RECT rect{};
  if (control == nullptr || !IsWindowVisible(control) || !GetWindowRect(control, &rect))
    return std::nullopt;
  return ScreenRect{int(rect.left), int(rect.top), int(rect.right - rect.left),
                    int(rect.bottom - rect.top)};
}

void Win32DialogPage::Beep() { MessageBeep(MB_OK); }

}  // namespace platform::win32
