// Win32 process and machine facts behind platform::SystemApi.
//
// Implemented: the module's path; the program and options folder
// %LOCALAPPDATA%\Orbalune 3D (or ORBALUNE3D_HOME), created when missing,
// since a .scr usually sits in a folder its user cannot write; memory,
// processors and the OS version with its name; MessageBeep; a debugger
// break only when one is attached; MessageBoxA; the console's control
// events as stop requests; ExitProcess.
// Paths are handed out with forward slashes, which every Win32 file call
// accepts, so that portable code joins them the one way it knows.

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/win32_connect.h"  // before <windows.h>: see platform/window.h
#include "platform/windows_version.h"

#include <windows.h>

namespace platform::win32 {
namespace {

const char PROGRAM_FOLDER_NAME[] = "Orbalune 3D";

std::string with_forward_slashes(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

std::string environment(const char* name) {
  const char* value = getenv(name);
  return value ? value : "";
}

std::string module_file_name() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return "";
  return with_forward_slashes(path);
}

std::string program_folder() {
  const std::string single = environment("ORBALUNE3D_HOME");
  if (!single.empty()) return with_forward_slashes(single);
  std::string base = environment("LOCALAPPDATA");
  if (base.empty()) base = environment("APPDATA");
  if (base.empty()) return "";
  return with_forward_slashes(base) + "/" + PROGRAM_FOLDER_NAME;
}

bool is_folder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Each missing folder on the way is made in turn; a drive ("C:") or a
// share's name is never made, only found.
bool make_folder(const std::string& path) {
  if (path.empty()) return false;
  const std::string folder = with_forward_slashes(path);
  for (size_t slash = folder.find('/', 1); slash != std::string::npos;
       slash = folder.find('/', slash + 1)) {
    CreateDirectoryA(folder.substr(0, slash).c_str(), nullptr);
  }
  CreateDirectoryA(folder.c_str(), nullptr);
  return is_folder(folder);
}

bool change_directory(const std::string& path) {
  return SetCurrentDirectoryA(path.c_str()) != 0;
}

MemoryStatus memory_status() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status)) return {0, 0};
  return {status.ullTotalPhys, status.ullAvailPhys};
}

int processor_count() {
  SYSTEM_INFO info{};
  GetSystemInfo(&info);
  return int(info.dwNumberOfProcessors);
}

OsVersion os_version() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  OsVersion version{"Windows", 0, 0, 0, "", ""};
  if (!GetVersionExA(&info)) return version;
  version.major = int(info.dwMajorVersion);
  version.minor = int(info.dwMinorVersion);
  version.patch = int(info.dwBuildNumber & 0xFFFF);
  version.platform_id = int(info.dwPlatformId);
  version.release = info.szCSDVersion;
  version.pretty_name = windows_name(version.platform_id, version.major, version.minor,
                                     int(info.dwBuildNumber));
  return version;
}

void beep() { MessageBeep(MB_ICONEXCLAMATION); }

void break_into_debugger() {
  if (IsDebuggerPresent()) DebugBreak();
}

UINT message_box_style(MessageBoxIcon icon) {
  switch (icon) {
    case MessageBoxIcon::Error:
      return MB_ICONERROR;
    case MessageBoxIcon::Warning:
      return MB_ICONWARNING | MB_SETFOREGROUND | MB_TOPMOST;
    case MessageBoxIcon::Information:
      break;
  }
  return MB_ICONINFORMATION;
}

void message_box(const char* text, const char* caption, MessageBoxIcon icon) {
  fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
  fflush(stderr);
  MessageBoxA(nullptr, text ? text : "", caption ? caption : "", message_box_style(icon));
}

// Set once before the handler is installed; read on the system's thread
// that delivers control events.
void (*stop_handler)() = nullptr;

BOOL WINAPI on_console_control(DWORD) {
  if (!stop_handler) return FALSE;
  stop_handler();
  return TRUE;
}

void on_stop_request(void (*handler)()) {
  stop_handler = handler;
  SetConsoleCtrlHandler(on_console_control, TRUE);
}

[[noreturn]] void exit_process(int code) {
  fflush(stdout);
  fflush(stderr);
  ExitProcess(UINT(code));
}

}  // namespace

void connect_system(SystemApi& system) {
  system.module_file_name = module_file_name;
  system.program_folder = program_folder;
  system.options_folder = program_folder;
  system.make_folder = make_folder;
  system.change_directory = change_directory;
  system.memory_status = memory_status;
  system.processor_count = processor_count;
  system.os_version = os_version;
  system.beep = beep;
  system.break_into_debugger = break_into_debugger;
  system.message_box = message_box;
  system.on_stop_request = on_stop_request;
  system.exit_process = exit_process;
}

}  // namespace platform::win32
