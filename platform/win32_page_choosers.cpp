// The modal helpers of a Win32 settings page: question box, colour chooser
// (ChooseColorA), file chooser (GetOpenFileNameA), each owned by the page.
#include "platform/win32_page.h"

#include <commdlg.h>

namespace platform::win32 {
namespace {

// The open-file dialog's name buffer.
constexpr size_t FILE_NAME_SIZE = 1000;

// "name\0pattern\0\0": the one filter of the dialog; its patterns are
// separated by ';' as the dialog itself separates them.
std::string filter_of(const FileChooserRequest& request) {
  std::string filter = request.filter_name;
  filter += '\0';
  filter += request.filter_pattern;
  filter += '\0';
  filter += '\0';
  return filter;
}

}  // namespace

bool Win32DialogPage::Ask_Yes_No(const std::string& question, const std::string& caption) {
  return MessageBoxA(page, question.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// The sixteen custom colours start black each time.
std::optional<uint32_t> Win32DialogPage::Choose_Color(uint32_t initial) {
  COLORREF custom[16] = {};
  CHOOSECOLORA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = page;
  request.rgbResult = COLORREF(initial & 0x00FFFFFF);
  request.lpCustColors = custom;
  request.Flags = CC_RGBINIT;
  if (!ChooseColorA(&request)) return std::nullopt;
  return uint32_t(request.rgbResult & 0x00FFFFFF);
}

// A name typed without an extension gets the default one; the folder the
// program works in stays as it was.
std::optional<std::string> Win32DialogPage::Choose_File(const FileChooserRequest& request) {
  std::string filter = filter_of(request);
  char name[FILE_NAME_SIZE] = {};
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = page;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = name;
  dialog.nMaxFile = DWORD(sizeof name);
  dialog.lpstrTitle = request.title.c_str();
  dialog.lpstrDefExt = request.default_extension.empty() ? nullptr : request.default_extension.c_str();
  dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameA(&dialog)) return std::nullopt;
  return std::string(name);
}

}  // namespace platform::win32
