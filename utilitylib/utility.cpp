// CUtility: the log, assertions, the system report and the program folder.
#include "utilitylib/utility.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "platform/platform.h"

namespace {

const char LOG_FILE_NAME[] = "_vantrel_ob3d.txt";
const size_t LOG_LINE_SIZE = 1024;

struct LogState {
  std::mutex lock;
  bool enabled = false;
  std::string file;          // the log file this run has started
  bool file_usable = false;  // it could be created
};

// Created by the first caller, so that static objects of other files may log
// while they are constructed.
LogState& log_state() {
  static LogState state;
  return state;
}

// Creates the log file empty in the program folder, which is made when
// missing. A folder where the file cannot be made costs the file, not the
// program: the lines still reach stdout.
void start_file(LogState& state, const std::string& path) {
  const platform::SystemApi& system = platform::api().system;
  state.file = path;
  system.make_folder(system.program_folder());
  FILE* file = fopen(path.c_str(), "w");
  state.file_usable = file != nullptr;
  if (!file) {
    fprintf(stderr, "Orbalune 3D: cannot create the log file %s\n", path.c_str());
    return;
  }
  fclose(file);
}

// The first line a run writes into its log file truncates the file; every
// line is one append, so it is on disk before the caller goes on. The file
// is known by its full path, so a process that inherited the state of one
// that logged elsewhere (a forked child) still starts its own file afresh.
// The working directory is left alone: relative paths the user gave keep
// their meaning.
void write_to_file(LogState& state, const char* line) {
  const std::string path = CUtility::Log_File_Path();
  if (path != state.file) start_file(state, path);
  if (!state.file_usable) return;
  if (FILE* file = fopen(path.c_str(), "a")) {
    fputs(line, file);
    fclose(file);
  }
}

}  // namespace

std::string CUtility::Log_File_Path() {
  return platform::api().system.program_folder() + "/" + LOG_FILE_NAME;
}

void CUtility::Log(const char* format, ...) {
  LogState& state = log_state();
  std::lock_guard<std::mutex> guard(state.lock);
  if (!state.enabled) return;
  char line[LOG_LINE_SIZE];
  if (format) {
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
  } else {
    snprintf(line, sizeof line, "ERROR: CUtility::Log : NULL format passed in.\n");
  }
  fputs(line, stdout);
  fflush(stdout);
  write_to_file(state, line);
}

void CUtility::Set_Logging(bool enabled) {
  LogState& state = log_state();
  std::lock_guard<std::mutex> guard(state.lock);
  state.enabled = enabled;
}

bool CUtility::Is_Logging() {
  LogState& state = log_state();
  std::lock_guard<std::mutex> guard(state.lock);
  return state.enabled;
}

std::string CUtility::Source_Name(const char* path) {
  std::string name = path ? path : "";
  const size_t slash = name.find_last_of('/');
  std::string folder;
  if (slash != std::string::npos) {
    const size_t folder_start = name.find_last_of('/', slash ? slash - 1 : 0);
    folder = name.substr(folder_start == std::string::npos ? 0 : folder_start + 1,
                         slash - (folder_start == std::string::npos ? 0 : folder_start + 1));
    name = name.substr(slash + 1);
  }
  const size_t dot = name.find_last_of('.');
  if (dot != std::string::npos) name.resize(dot);
  return folder == "utilitylib" ? folder + "/" + name : name;
}

void CUtility::Assert(const char* text, const char* file, int line) {
  if (!text || !file) {
    Log("Assert() param error.\n");
    platform::exit_process(1);
  }
  char message[LOG_LINE_SIZE];
  snprintf(message, sizeof message, "%s (%d) Assert: %s\n", Source_Name(file).c_str(), line,
           text);
  Assert_Response(message);
}

// Standard error always gets the report as well, so that a stopped saver
// says why even with logging off.
void CUtility::Assert_Response(const char* message) {
  const platform::SystemApi& system = platform::api().system;
  if (!message) {
    Log("Assert_Response() param error.\n");
    platform::exit_process(1);
  }
  Log("%s", message);
  fputs(message, stderr);
  system.beep();
  system.break_into_debugger();
  platform::exit_process(1);
}

void CUtility::Log_System_Data() {
  const platform::SystemApi& system = platform::api().system;
  const platform::MemoryStatus memory = system.memory_status();
  Log("CUtility::Log_System_Data:\n");
  Log("  Physical memory: %llu bytes\n", (unsigned long long)memory.total_physical_bytes);
  Log("  Available memory: %llu bytes\n", (unsigned long long)memory.available_physical_bytes);
  Log("  Processors: %d\n", system.processor_count());
}

void CUtility::Log_Os_Data() {
  const platform::OsVersion version = platform::api().system.os_version();
  Log("CUtility::Log_Os_Data:\n");
  Log("  %s version %d.%d.%d, ", version.kernel_name.c_str(), version.major, version.minor,
      version.patch);
  if (version.platform_id >= 0) Log("platform %d, ", version.platform_id);
  Log("(%s) = ", version.release.c_str());
  Log("%s\n", version.pretty_name.c_str());
}

void CUtility::Log_Module_Data() {
  const std::string module = platform::api().system.module_file_name();
  Log("CUtility::Log_Module_Data:\n");
  Log("  Filename: %s\n", module.c_str());
  if (FILE* file = fopen(module.c_str(), "rb")) {
    fseek(file, 0, SEEK_END);
    const long size = ftell(file);
    fclose(file);
    Log("  File size: %ld\n", size);
  }
}

void CUtility::Change_To_Exe_Directory() {
  const platform::SystemApi& system = platform::api().system;
  const std::string folder = system.program_folder();
  if (folder.empty() || !system.make_folder(folder)) return;
  system.change_directory(folder);
}
