// The diagnostic log, assertions, the start-up system report and the program folder.
#pragma once

#include <cstdint>
#include <string>

class CUtility {
 public:
  // printf-style; each call is one unit on standard output and in the log
  // file, never interleaved with another thread's line. Lines are cut at
  // 1023 characters.
  static void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));
  static void Set_Logging(bool enabled);
  static bool Is_Logging();

  // Reports "<source> (<line>) Assert: <text>" and ends the process with 1.
  [[noreturn]] static void Assert(const char* text, const char* file, int line);
  [[noreturn]] static void Assert_Response(const char* message);

  static void Log_System_Data();
  static void Log_Os_Data();
  static void Log_Module_Data();

  // Makes the program folder the current directory, creating it when missing.
  static void Change_To_Exe_Directory();

  // The name an assertion report gives a source path: folders and extension
  // removed, except that files under utilitylib/ keep that prefix.
  static std::string Source_Name(const char* path);

  // Full path of the log file of this run.
  static std::string Log_File_Path();

  // Handing work to other programs (utility_launch.cpp).
  // Opens a URL or document with the desktop's default handler; non-zero on
  // success, 0 (logged with the error code) on failure.
  static int Launch_Url(const char* url);
  // Starts the document's default program as a process of its own; its
  // process id, or 0 when there is no such program or it cannot start.
  static uint32_t Launch_Closable_Document(const char* filename, bool hidden);
  // Asks a process started by Launch_Closable_Document to quit; does not
  // wait for it to end.
  static void Close_Launched_Process(uint32_t process_id);
};

#define ASSERT(condition) \
  ((condition) ? (void)0 : CUtility::Assert(#condition, __FILE__, __LINE__))
