// Handing work to other programs: URLs and documents with their default
// handlers, and the closable player process of the playlist.
#include <string>

#include "platform/platform.h"
#include "utilitylib/utility.h"

int CUtility::Launch_Url(const char* url) {
  Log("CUtility::Launch_Url\n");
  ASSERT(url != NULL);
  int error_code = 0;
  if (platform::api().shell.open_url(url, &error_code)) return 1;
  Log("::ShellExecuteEx(%s) failed with error code %d.\n", url, error_code);
  return 0;
}

uint32_t CUtility::Launch_Closable_Document(const char* filename, bool hidden) {
  Log("CUtility::Launch_Closable_Document\n");
  ASSERT(filename != NULL);
  const platform::ShellApi& shell = platform::api().shell;
  // What the desktop runs for the document: a desktop entry's whole command
  // line, or a program's path.
  const std::string application = shell.find_default_application(filename);
  if (application.empty()) {
    Log("FindExecutable falied\n");
    return 0;
  }
  Log("Executable for >%s< is >%s<\n", filename, application.c_str());
  int error_code = 0;
  const int process_id = shell.start_default_application(filename, hidden, &error_code);
  Log("CreateProcess returned %d\n", process_id != 0 ? 1 : 0);
  if (process_id == 0) {
    Log("  error code %d\n", error_code);
    return 0;
  }
  Log("Process id = %d\n", process_id);
  return uint32_t(process_id);
}

void CUtility::Close_Launched_Process(uint32_t process_id) {
  if (process_id == 0) return;
  Log("Requesting quit\n");
  platform::api().shell.request_quit(int(process_id));
}
