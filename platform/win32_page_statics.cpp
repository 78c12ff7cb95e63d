// The static controls of a Win32 settings page that are more than text: the
// link (underlined, a hand pointer, clicks reported through SS_NOTIFY, the
// keyboard's Tab and Enter as for a button; the page colours it blue), the
// colour swatch, and the picture scaled into its box.
#include "platform/win32_page.h"

namespace platform::win32 {
namespace {

// What a link keeps beside its control: the static's own procedure and its
// underlined font, made once and deleted with the control.
struct Link {
  WNDPROC static_proc;
  HFONT underlined;
};

bool is_enter(LPARAM message) {
  const auto* key = reinterpret_cast<const MSG*>(message);
  return key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN;
}

// A focused link shows the focus rectangle around its text.
void draw_focus(HWND control) {
  char text[256] = {};
  GetWindowTextA(control, text, sizeof text);
  HDC dc = GetDC(control);
  HGDIOBJ old_font =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
  RECT area{};
  DrawTextA(dc, text, -1, &area, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  RECT client{};
  GetClientRect(control, &client);
  area.right = area.right < client.right ? area.right : client.right;
  area.bottom = client.bottom;
  DrawFocusRect(dc, &area);
  SelectObject(dc, old_font);
  ReleaseDC(control, dc);
}

LRESULT CALLBACK link_proc(HWND control, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* link = reinterpret_cast<Link*>(GetWindowLongPtrA(control, GWLP_USERDATA));
  switch (message) {
    case WM_SETCURSOR:
      SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)));  // IDC_HAND
      return TRUE;
    case WM_GETDLGCODE:  // Enter opens the link instead of pressing OK
      if (is_enter(lparam)) return DLGC_WANTMESSAGE;
      break;
    case WM_KEYDOWN:
      if (wparam != VK_RETURN) break;
      SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), STN_CLICKED),
                   reinterpret_cast<LPARAM>(control));
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(control, nullptr, TRUE);
      break;
    case WM_PAINT: {
      LRESULT result = CallWindowProcA(link->static_proc, control, message, wparam, lparam);
      if (GetFocus() == control) draw_focus(control);
      return result;
    }
    case WM_NCDESTROY: {
      LRESULT result = CallWindowProcA(link->static_proc, control, message, wparam, lparam);
      SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(link->static_proc));
      if (link->underlined) DeleteObject(link->underlined);
      delete link;
      return result;
    }
    default:
      break;
  }
  return CallWindowProcA(link->static_proc, control, message, wparam, lparam);
}

// The control's font with underlining added.
HFONT underlined_font_of(HWND control) {
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  LOGFONTA description{};
  if (font == nullptr || !GetObjectA(font, sizeof description, &description)) {
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
  }
  description.lfUnderline = TRUE;
  return CreateFontIndirectA(&description);
}

// The largest size of the image's aspect that fits the box.
SIZE fitted(SIZE image, SIZE box) {
  if (image.cx <= 0 || image.cy <= 0) return box;
  if (LONGLONG(box.cx) * image.cy <= LONGLONG(box.cy) * image.cx) {
    return SIZE{box.cx, LONG(LONGLONG(box.cx) * image.cy / image.cx)};
  }
  return SIZE{LONG(LONGLONG(box.cy) * image.cx / image.cy), box.cy};
}

}  // namespace

void make_link(HWND control) {
  if (control == nullptr) return;
  auto* link = new Link{nullptr, underlined_font_of(control)};
  SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(link));
  link->static_proc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(link_proc)));
  if (link->underlined) SendMessageA(control, WM_SETFONT, WPARAM(link->underlined), FALSE);
}

HWND add_swatch(HWND button) {
  HWND page = GetParent(button);
  RECT box{};
  GetWindowRect(button, &box);
  MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&box), 2);
  char text[256] = {};
  GetWindowTextA(button, text, sizeof text);
  HDC dc = GetDC(button);
  HGDIOBJ old_font = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(button, WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32A(dc, text, int(lstrlenA(text)), &extent);
  SelectObject(dc, old_font);
  ReleaseDC(button, dc);
  // The check mark or circle, the gap after it, the text, then the swatch.
  const int gap = extent.cy / 2;
  const int left = box.left + GetSystemMetrics(SM_CXMENUCHECK) + gap + extent.cx + gap;
  const int height = extent.cy;
  const int top = box.top + (box.bottom - box.top - height) / 2;
  MoveWindow(button, box.left, box.top, left - gap / 2 - box.left, box.bottom - box.top, TRUE);
  HWND swatch = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | WS_BORDER, left, top,
                                2 * height, height, page, nullptr, GetModuleHandleA(nullptr),
                                nullptr);
  return swatch;
}

HBITMAP show_picture(HWND control, int resource) {
  if (control == nullptr) return nullptr;
  HBITMAP original = static_cast<HBITMAP>(LoadImageA(
      GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (original == nullptr) return nullptr;
  BITMAP image{};
  GetObjectA(original, sizeof image, &image);
  RECT box{};
  GetClientRect(control, &box);
  SIZE size = fitted(SIZE{image.bmWidth, image.bmHeight}, SIZE{box.right, box.bottom});
  // Scaled once, with the averaging that keeps a reduced picture smooth,
  // and centred in a bitmap as large as the box, whose margins take the
  // colour of the picture's top left corner. (A static control fills the
  // margins of a smaller bitmap itself: user32's with that colour,
  // comctl32 6's with the page's background.)
  HDC screen = GetDC(control);
  HDC from = CreateCompatibleDC(screen);
  HDC to = CreateCompatibleDC(screen);
  HBITMAP scaled = CreateCompatibleBitmap(screen, box.right, box.bottom);
  HGDIOBJ old_from = SelectObject(from, original);
  HGDIOBJ old_to = SelectObject(to, scaled);
  HBRUSH margin = CreateSolidBrush(GetPixel(from, 0, 0));
  FillRect(to, &box, margin);
  DeleteObject(margin);
  SetStretchBltMode(to, HALFTONE);
  SetBrushOrgEx(to, 0, 0, nullptr);
  StretchBlt(to, (box.right - size.cx) / 2, (box.bottom - size.cy) / 2, size.cx, size.cy, from, 0,
             0, image.bmWidth, image.bmHeight, SRCCOPY);
  SelectObject(from, old_from);
  SelectObject(to, old_to);
  DeleteDC(from);
  DeleteDC(to);
  ReleaseDC(control, screen);
  DeleteObject(original);
  // The control keeps its box, which a new bitmap may resize: the picture
  // stands centred in it.
  RECT place{};
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
  SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(scaled));
  MoveWindow(control, place.left, place.top, place.right - place.left, place.bottom - place.top,
             TRUE);
  return scaled;
}

}  // namespace platform::win32
