// A stand-in music player for the playlist tests under Wine. Opened with a
// playlist, it writes "<playlist>.player": its process id, how many
// arguments it got, the first of them, and whether it was asked to start
// hidden. It then takes a moment before its window exists, as a real player
// loads, and ends only when its message loop ends, adding "quit" to that
// file. Closing its window does not end it, as with players that play on
// from the notification area.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

const DWORD LOADING_MS = 3000;
const char WINDOW_CLASS[] = "Orbalune3DTestPlayer";

LRESULT CALLBACK player_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CLOSE) return 0;
  return DefWindowProcA(window, message, wparam, lparam);
}

void append(const std::string& path, const std::string& text) {
  if (FILE* file = fopen(path.c_str(), "ab")) {
    fwrite(text.data(), 1, text.size(), file);
    fclose(file);
  }
}

bool started_hidden() {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  return (startup.dwFlags & STARTF_USESHOWWINDOW) && startup.wShowWindow == SW_HIDE;
}

HWND create_player_window(bool hidden) {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = player_procedure;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = WINDOW_CLASS;
  RegisterClassA(&window_class);
  HWND window = CreateWindowExA(0, WINDOW_CLASS, "Test player", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ShowWindow(window, hidden ? SW_HIDE : SW_SHOWNORMAL);
  return window;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string notes = std::string(argv[1]) + ".player";
  const bool hidden = started_hidden();
  append(notes, "pid=" + std::to_string(GetCurrentProcessId()) + "\narguments=" +
                    std::to_string(argc - 1) + "\nplaylist=" + argv[1] +
                    "\nhidden=" + (hidden ? "1" : "0") + "\n");
  Sleep(LOADING_MS);
  if (!create_player_window(hidden)) return 3;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  append(notes, "quit\n");
  return 0;
}
