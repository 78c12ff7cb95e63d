// Sorted list boxes of a Win32 settings page: LBS_SORT keeps the entries in
// the order of the user's locale.
#include "platform/win32_page.h"

namespace platform::win32 {

int Win32DialogPage::List_Add(int id, const std::string& text) {
  return int(SendMessageA(Find(id), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

// LB_FINDSTRINGEXACT ignores case; the page logic wants the very text.
int Win32DialogPage::List_Find(int id, const std::string& text) {
  int count = List_Count(id);
  for (int index = 0; index < count; ++index) {
    if (List_Text(id, index) == text) return index;
  }
  return -1;
}

int Win32DialogPage::List_Count(int id) {
  return int(SendMessageA(Find(id), LB_GETCOUNT, 0, 0));
}

std::string Win32DialogPage::List_Text(int id, int index) {
  HWND list = Find(id);
  LRESULT length = SendMessageA(list, LB_GETTEXTLEN, WPARAM(index), 0);
  if (length == LB_ERR) return "";
  std::string text(size_t(length) + 1, '\0');
  LRESULT copied = SendMessageA(list, LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == LB_ERR ? 0 : size_t(copied));
  return text;
}

int Win32DialogPage::List_Selection(int id) {
  LRESULT index = SendMessageA(Find(id), LB_GETCURSEL, 0, 0);
  return index == LB_ERR ? -1 : int(index);
}

void Win32DialogPage::List_Select(int id, int index) {
  SendMessageA(Find(id), LB_SETCURSEL, WPARAM(index), 0);
}

void Win32DialogPage::List_Remove(int id, int index) {
  SendMessageA(Find(id), LB_DELETESTRING, WPARAM(index), 0);
}

}  // namespace platform::win32
