// The Win32 shell behind platform::ShellApi.
//
// Implemented: documents and URLs through ShellExecuteA and FindExecutableA,
// processes through CreateProcessA, a quit request as WM_CLOSE to every
// top-level window of the process, the single-instance lock as a named
// mutex.
// Missing: the music player's own handling (a later version).

#include "platform/command_line.h"
#include "platform/win32_connect.h"  // before <windows.h>: see platform/window.h

#include <windows.h>
#include <shellapi.h>

namespace platform::win32 {
namespace {

// ShellExecuteA and FindExecutableA report success as a value above 32.
const INT_PTR SHELL_SUCCESS_ABOVE = 32;

HANDLE instance_lock = nullptr;

bool open_url(const char* url, int* error_code) {
  const INT_PTR result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(nullptr, "open", url, nullptr, nullptr, SW_SHOWNORMAL));
  if (result > SHELL_SUCCESS_ABOVE) return true;
  *error_code = result ? int(result) : -1;
  return false;
}

std::string find_default_application(const char* document) {
  char program[MAX_PATH + 1] = {};
  const INT_PTR result =
      reinterpret_cast<INT_PTR>(FindExecutableA(document, nullptr, program));
  return result > SHELL_SUCCESS_ABOVE ? program : "";
}

// The new process's id, or 0 with error_code set.
DWORD create_process(const std::vector<std::string>& argv, bool hidden, int* error_code) {
  if (argv.empty()) {
    *error_code = ERROR_INVALID_PARAMETER;
    return 0;
  }
  std::string line = join_quoted(argv);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (hidden) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
  }
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    *error_code = int(GetLastError());
    return 0;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return process.dwProcessId;
}

int start_default_application(const char* document, bool hidden, int* error_code) {
  const std::string program = find_default_application(document);
  if (program.empty()) {
    *error_code = ERROR_NO_ASSOCIATION;
    return 0;
  }
  return int(create_process({program, document}, hidden, error_code));
}

bool start_detached(const std::vector<std::string>& argv, int* error_code) {
  return create_process(argv, false, error_code) != 0;
}

struct QuitRequest {
  DWORD process_id;
  bool asked;
};

BOOL CALLBACK ask_window_to_close(HWND window, LPARAM parameter) {
  auto* request = reinterpret_cast<QuitRequest*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == request->process_id && PostMessageA(window, WM_CLOSE, 0, 0)) {
    request->asked = true;
  }
  return TRUE;
}

bool request_quit(int process_id) {
  QuitRequest request{DWORD(process_id), false};
  if (process_id > 0) EnumWindows(ask_window_to_close, reinterpret_cast<LPARAM>(&request));
  return request.asked;
}

bool acquire_instance_lock(const char* name) {
  if (instance_lock) return true;
  HANDLE mutex = CreateMutexA(nullptr, FALSE, name);
  if (!mutex) return false;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return false;
  }
  instance_lock = mutex;
  return true;
}

void release_instance_lock() {
  if (!instance_lock) return;
  CloseHandle(instance_lock);
  instance_lock = nullptr;
}

}  // namespace

void connect_shell(ShellApi& shell) {
  shell.open_url = open_url;
  shell.find_default_application = find_default_application;
  shell.start_default_application = start_default_application;
  shell.start_detached = start_detached;
  shell.request_quit = request_quit;
  shell.acquire_instance_lock = acquire_instance_lock;
  shell.release_instance_lock = release_instance_lock;
}

}  // namespace platform::win32
