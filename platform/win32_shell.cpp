// The Win32 shell behind platform::ShellApi.
//
// Texts go to the "A" functions as they are: the program's text is
// Windows-1252, the code page those functions read on Western systems.
// URLs and documents open through ShellExecuteExA; a document's player is
// found with FindExecutableA and started with CreateProcessA, and the
// start-up waits until the player takes input, so that its windows exist
// when it is asked to quit. The quit request is WM_QUIT posted to every
// top-level window of the process: its message loop ends without any
// closing question. The single-instance lock is a named mutex.

#include "platform/command_line.h"
#include "platform/win32_connect.h"  // before <windows.h>: see platform/window.h

#include <windows.h>
#include <shellapi.h>

namespace platform::win32 {
namespace {

// FindExecutableA reports success as a value above 32.
const INT_PTR SHELL_SUCCESS_ABOVE = 32;

HANDLE instance_lock = nullptr;

bool open_url(const char* url, int* error_code) {
  SHELLEXECUTEINFOA execute{};
  execute.cbSize = sizeof execute;
  execute.hwnd = GetDesktopWindow();
  execute.lpVerb = "open";
  execute.lpFile = url;
  execute.nShow = SW_SHOWNORMAL;
  if (ShellExecuteExA(&execute)) return true;
  const DWORD error = GetLastError();
  *error_code = error ? int(error) : -1;
  return false;
}

std::string find_default_application(const char* document) {
  char program[MAX_PATH + 1] = {};
  const INT_PTR result = reinterpret_cast<INT_PTR>(FindExecutableA(document, "", program));
  return result > SHELL_SUCCESS_ABOVE ? program : "";
}

STARTUPINFOA startup_information(bool hidden) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (hidden) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
  }
  return startup;
}

// Starts the command line; the process's handles, or false with error_code
// set.
bool create_process(std::string line, bool hidden, PROCESS_INFORMATION* process,
                    int* error_code) {
  STARTUPINFOA startup = startup_information(hidden);
  if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, process)) {
    return true;
  }
  *error_code = int(GetLastError());
  return false;
}

void close_handles(const PROCESS_INFORMATION& process) {
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

// Blocks, with the wait cursor, until the new process waits for input.
void wait_until_idle(HANDLE process) {
  SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));  // IDC_WAIT
  WaitForInputIdle(process, INFINITE);
  SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));  // IDC_ARROW
}

// Both the program and the document are quoted, so paths with blanks reach
// the player as one argument each.
int start_default_application(const char* document, bool hidden, int* error_code) {
  const std::string program = find_default_application(document);
  if (program.empty()) {
    *error_code = ERROR_NO_ASSOCIATION;
    return 0;
  }
  PROCESS_INFORMATION process{};
  const std::string line = "\"" + program + "\" \"" + document + "\"";
  if (!create_process(line, hidden, &process, error_code)) return 0;
  wait_until_idle(process.hProcess);
  close_handles(process);
  return int(process.dwProcessId);
}

bool start_detached(const std::vector<std::string>& argv, int* error_code) {
  if (argv.empty()) {
    *error_code = ERROR_INVALID_PARAMETER;
    return false;
  }
  PROCESS_INFORMATION process{};
  if (!create_process(join_quoted(argv), false, &process, error_code)) return false;
  close_handles(process);
  return true;
}

struct QuitRequest {
  DWORD process_id;
  bool asked;
};

BOOL CALLBACK ask_window_to_quit(HWND window, LPARAM parameter) {
  auto* request = reinterpret_cast<QuitRequest*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == request->process_id && PostMessageA(window, WM_QUIT, 0, 0)) {
    request->asked = true;
  }
  return TRUE;
}

bool request_quit(int process_id) {
  QuitRequest request{DWORD(process_id), false};
  if (process_id > 0) EnumWindows(ask_window_to_quit, reinterpret_cast<LPARAM>(&request));
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
