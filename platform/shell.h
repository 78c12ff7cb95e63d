// The shell: starting processes and documents, opening URLs, the single-instance lock.
#pragma once

#include <string>
#include <vector>

namespace platform {

// Texts (URLs, documents, program paths, arguments) are Latin-1 like all
// text inside the program; the backend converts them for the system.
struct ShellApi {
  // Opens a URL, or a file path, with the desktop's default handler. On
  // failure returns false and sets error_code (never 0).
  bool (*open_url)(const char* url, int* error_code);
  // What the desktop opens the document with, as its association states it
  // (a desktop entry's whole command line, a program's path); "" when none.
  std::string (*find_default_application)(const char* document);
  // Opens the document with that application, as a process of its own that
  // is started hidden (Win32) or without a startup notification, so that it
  // has no claim to the focus. Returns its process id, or 0 with error_code
  // set when it could not be started.
  int (*start_default_application)(const char* document, bool hidden, int* error_code);
  // Starts argv[0] and forgets it: the process is not a child of this one.
  bool (*start_detached)(const std::vector<std::string>& argv, int* error_code);
  // Asks a process started by start_default_application to quit and returns
  // at once, without waiting for it to end; false when it could not be asked.
  bool (*request_quit)(int process_id);
  // Takes the named lock that only one process of this user can hold; the
  // system drops it when the holder dies. False when another process has it.
  bool (*acquire_instance_lock)(const char* name);
  void (*release_instance_lock)();
};

namespace posix {
void connect_shell(ShellApi& shell);
}

}  // namespace platform
