// A settings page's dialog template, built in memory from the same control
// table that the GTK sheet lays out, so that both toolkits place the same
// controls in the same dialog units.
#include "platform/win32_page.h"

#include <commctrl.h>

#include <cstring>

namespace platform::win32 {
namespace {

// The predefined window classes of dialog items, by their atoms.
constexpr WORD BUTTON_ATOM = 0x0080;
constexpr WORD EDIT_ATOM = 0x0081;
constexpr WORD STATIC_ATOM = 0x0082;
constexpr WORD LISTBOX_ATOM = 0x0083;
// A class or text given as a number instead of a string.
constexpr WORD ORDINAL_MARK = 0xFFFF;

class TemplateWriter {
 public:
  void Word(WORD value) { words.push_back(value); }
  void Dword(DWORD value) {
    Word(LOWORD(value));
    Word(HIWORD(value));
  }
  // A zero-terminated UTF-16 string converted from Windows-1252.
  void Text(const char* text) {
    int length = int(std::strlen(text));
    if (length > 0) {
      std::vector<wchar_t> wide(size_t(length) + 1);
      int count = MultiByteToWideChar(1252, 0, text, length, wide.data(), length + 1);
      for (int i = 0; i < count; ++i) Word(WORD(wide[size_t(i)]));
    }
    Word(0);
  }
  void Ordinal(WORD value) {
    Word(ORDINAL_MARK);
    Word(value);
  }
  // Dialog items start on a DWORD boundary.
  void Align() {
    if (words.size() % 2) Word(0);
  }
  std::vector<WORD> words;
};

bool is_static(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label:
    case ControlKind::CenteredLabel:
    case ControlKind::Picture:
    case ControlKind::Icon:
    case ControlKind::Link:
      return true;
    default:
      return false;
  }
}

DWORD kind_style(const ControlTemplate& control) {
  switch (control.kind) {
    case ControlKind::Label:
      // The page's texts may end in an ellipsis where they do not fit; the
      // taller ones are paragraphs that wrap.
      return SS_LEFT | SS_NOPREFIX | (control.height < 16 ? SS_ENDELLIPSIS : 0);
    case ControlKind::CenteredLabel:
      return SS_CENTER | SS_NOPREFIX;
    case ControlKind::Group:
      return BS_GROUPBOX;
    case ControlKind::CheckBox:
      return BS_AUTOCHECKBOX | WS_TABSTOP;
    case ControlKind::RadioButton:
      // The keyboard enters a set of radio buttons at its first one.
      return BS_AUTORADIOBUTTON | (control.starts_group ? WS_TABSTOP : 0);
    case ControlKind::PushButton:
      return BS_PUSHBUTTON | WS_TABSTOP | (std::strchr(control.text, '\n') ? BS_MULTILINE : 0);
    case ControlKind::Slider:
      return TBS_HORZ | TBS_NOTICKS | TBS_BOTH | WS_TABSTOP;
    case ControlKind::Edit:
      return ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
    case ControlKind::DigitsEdit:
      return ES_AUTOHSCROLL | ES_NUMBER | WS_BORDER | WS_TABSTOP;
    case ControlKind::FileNameEdit:
      return ES_AUTOHSCROLL | ES_READONLY | WS_BORDER | WS_TABSTOP;
    case ControlKind::SortedList:
      return LBS_SORT | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP;
    case ControlKind::Picture:
      return SS_BITMAP | SS_CENTERIMAGE | SS_SUNKEN;
    case ControlKind::Icon:
      return SS_ICON;
    case ControlKind::Link:
      return SS_LEFT | SS_NOPREFIX | SS_NOTIFY | WS_TABSTOP;
  }
  return 0;
}

void write_class(TemplateWriter& out, ControlKind kind) {
  if (is_static(kind)) {
    out.Ordinal(STATIC_ATOM);
  } else if (kind == ControlKind::Slider) {
    out.Text(TRACKBAR_CLASS);
  } else if (kind == ControlKind::Edit || kind == ControlKind::DigitsEdit ||
             kind == ControlKind::FileNameEdit) {
    out.Ordinal(EDIT_ATOM);
  } else if (kind == ControlKind::SortedList) {
    out.Ordinal(LISTBOX_ATOM);
  } else {
    out.Ordinal(BUTTON_ATOM);
  }
}

void write_item(TemplateWriter& out, const ControlTemplate& control) {
  out.Align();
  out.Dword(control_style(control));
  out.Dword(0);  // extended style
  for (int value : {control.x, control.y, control.width, control.height}) out.Word(WORD(value));
  out.Word(control.id == 0 ? UNADDRESSED_ID : WORD(control.id));
  write_class(out, control.kind);
  // The icon comes from the module by its number; the picture is scaled
  // into its box when the page starts (show_picture).
  if (control.kind == ControlKind::Icon) {
    out.Ordinal(WORD(control.resource));
  } else {
    out.Text(control.kind == ControlKind::Picture ? "" : control.text);
  }
  out.Word(0);  // no creation data
}

}  // namespace

DWORD control_style(const ControlTemplate& control) {
  DWORD style = WS_CHILD | kind_style(control);
  if (!control.hidden) style |= WS_VISIBLE;
  // Arrow keys move within a set of radio buttons; every other control
  // ends the set before it.
  if (control.kind != ControlKind::RadioButton || control.starts_group) style |= WS_GROUP;
  return style;
}

std::vector<WORD> page_template(const PageTemplate& page) {
  TemplateWriter out;
  out.Dword(DS_SETFONT | DS_CONTROL | WS_CHILD | WS_CAPTION);
  out.Dword(0);  // extended style
  out.Word(WORD(page.controls.size()));
  for (short value : {short(0), short(0), PAGE_WIDTH, PAGE_HEIGHT}) out.Word(WORD(value));
  out.Word(0);  // no menu
  out.Word(0);  // the standard dialog class
  out.Text(page.title);
  out.Word(PAGE_FONT_POINTS);
  out.Text(PAGE_FONT);
  for (const ControlTemplate& control : page.controls) write_item(out, control);
  return std::move(out.words);
}

}  // namespace platform::win32
