// Process and machine facts, folders, beeps, message boxes and process exit.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

enum class MessageBoxIcon { Error, Warning, Information };

struct MemoryStatus {
  uint64_t total_physical_bytes;
  uint64_t available_physical_bytes;
};

struct OsVersion {
  std::string kernel_name;     // "Linux", "Windows"
  int major, minor, patch;     // kernel release numbers; Windows: the build number
  std::string release;         // full kernel release text; Windows: the service pack
  std::string pretty_name;     // distribution name from os-release; Windows: its name
  int platform_id = -1;        // Windows' platform id (2: NT family); -1 elsewhere
};

struct SystemApi {
  // Full path of the running program ("" when unknown).
  std::string (*module_file_name)();
  // Folder of the log, the location files and the Earth map file.
  std::string (*program_folder)();
  // Folder of the options store.
  std::string (*options_folder)();
  // Creates the folder and its parents; true when it exists afterwards.
  bool (*make_folder)(const std::string& path);
  bool (*change_directory)(const std::string& path);
  MemoryStatus (*memory_status)();
  int (*processor_count)();
  OsVersion (*os_version)();
  // The exclamation beep.
  void (*beep)();
  // Stops in the debugger when one is attached; does nothing otherwise.
  void (*break_into_debugger)();
  // A visible message for the user, also written to standard error. Blocks
  // until dismissed where the backend can show a window.
  void (*message_box)(const char* text, const char* caption, MessageBoxIcon icon);
  // Calls handler when the system asks the process to stop (POSIX: SIGTERM
  // or SIGINT; Windows: Ctrl+C, Ctrl+Break or closing the console). It runs
  // in a signal handler or on another thread, so it may only store atomics
  // and wake the message loop.
  void (*on_stop_request)(void (*handler)());
  // Ends the process at once with the given code, running no destructors.
  // Callers use platform::exit_process, which never returns.
  void (*exit_process)(int code);
};

namespace posix {
void connect_system(SystemApi& system);
// SIGTERM and SIGINT as stop requests (posix_stop_request.cpp).
void on_stop_request(void (*handler)());
}

}  // namespace platform
