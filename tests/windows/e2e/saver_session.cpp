#include "saver_session.h"

#include <cstdlib>

#include "support/run_program.h"
#include "support/temp_folder.h"

namespace {

const char OPTIONS_KEY[] = "Software\\Vantrel\\Orbalune 3D";

void Set_Option(const char* name, DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, OPTIONS_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    return;
  }
  RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

}  // namespace

void Set_Option_Word(const char* name, DWORD value) {
  Set_Option(name, REG_DWORD, &value, sizeof value);
}

void Set_Option_String(const char* name, const std::string& value) {
  Set_Option(name, REG_SZ, value.c_str(), DWORD(value.size() + 1));
}

void Delete_Options() { RegDeleteKeyA(HKEY_CURRENT_USER, OPTIONS_KEY); }

std::string Saver_Log_Text() {
  const char* home = getenv("ORBALUNE3D_HOME");
  std::string text = read_file(std::string(home ? home : ".") + "/_vantrel_ob3d.txt");
  std::erase(text, '\r');
  return text;
}

HWND Wait_For_Full_Screen_Window(double timeout_s) {
  HWND window = nullptr;
  eventually(
      [&] { return (window = FindWindowA("WindowsScreenSaverClass", "Screen Saver")) != nullptr; },
      timeout_s);
  return window;
}
