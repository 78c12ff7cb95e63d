// The diagnostic log, assertions, the start-up system report and the program folder.
#pragma once

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
};

#define ASSERT(condition) \
  ((condition) ? (void)0 : CUtility::Assert(#condition, __FILE__, __LINE__))
