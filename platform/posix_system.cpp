// POSIX process and machine facts behind platform::SystemApi.
//
// Implemented: program and options folders (XDG or ORBALUNE3D_HOME, made
// absolute against the directory the process started in), module
// name, memory and processor counts, kernel and distribution names, beep on
// the terminal, debugger break when traced, message text on standard error.
// The X11 backend replaces message_box and beep with visible ones.
#include <sys/stat.h>
#include <sys/sysinfo.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "platform/system.h"

namespace platform::posix {
namespace {

std::string env_or_empty(const char* name) {
  const char* value = getenv(name);
  return value ? value : "";
}

std::string current_directory() {
  char buffer[PATH_MAX];
  return getcwd(buffer, sizeof buffer) ? buffer : "";
}

// The working directory the process started in, taken before any change of
// directory (change_directory asks for it first).
const std::string& start_directory() {
  static const std::string directory = current_directory();
  return directory;
}

// A relative folder is read against the start directory, so that a change of
// the working directory cannot move the program's files.
std::string absolute(const std::string& path) {
  if (path.empty() || path[0] == '/' || start_directory().empty()) return path;
  return start_directory() + "/" + path;
}

// $XDG_<kind>_HOME/orbalune3d, falling back to ~/<fallback>/orbalune3d;
// ORBALUNE3D_HOME puts every file of the program in one folder. Always an
// absolute path.
std::string xdg_folder(const char* xdg_variable, const char* home_fallback) {
  std::string single = env_or_empty("ORBALUNE3D_HOME");
  if (!single.empty()) return absolute(single);
  std::string base = env_or_empty(xdg_variable);
  if (base.empty()) base = env_or_empty("HOME") + "/" + home_fallback;
  return absolute(base + "/orbalune3d");
}

std::string program_folder() { return xdg_folder("XDG_DATA_HOME", ".local/share"); }
std::string options_folder() { return xdg_folder("XDG_CONFIG_HOME", ".config"); }

bool make_folder(const std::string& path) {
  if (path.empty()) return false;
  for (size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    mkdir(path.substr(0, slash).c_str(), 0755);
  }
  mkdir(path.c_str(), 0755);
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool change_directory(const std::string& path) {
  start_directory();
  return chdir(path.c_str()) == 0;
}

std::string module_file_name() {
  char buffer[4096];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return "";
  buffer[n] = '\0';
  return buffer;
}

MemoryStatus memory_status() {
  struct sysinfo info {};
  if (sysinfo(&info) != 0) return {0, 0};
  return {uint64_t(info.totalram) * info.mem_unit,
          uint64_t(info.freeram + info.bufferram) * info.mem_unit};
}

int processor_count() { return int(sysconf(_SC_NPROCESSORS_ONLN)); }

std::string os_release_pretty_name() {
  std::ifstream file("/etc/os-release");
  std::string line;
  while (std::getline(file, line)) {
    if (line.rfind("PRETTY_NAME=", 0) != 0) continue;
    std::string value = line.substr(12);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
      value = value.substr(1, value.size() - 2);
    return value;
  }
  return "";
}

OsVersion os_version() {
  OsVersion version{"", 0, 0, 0, "", os_release_pretty_name()};
  struct utsname names {};
  if (uname(&names) != 0) return version;
  version.kernel_name = names.sysname;
  version.release = names.release;
  sscanf(names.release, "%d.%d.%d", &version.major, &version.minor, &version.patch);
  return version;
}

void beep() {
  if (isatty(STDERR_FILENO)) fputc('\a', stderr);
}

bool debugger_attached() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("TracerPid:", 0) == 0) return atoi(line.c_str() + 10) != 0;
  }
  return false;
}

void break_into_debugger() {
  if (debugger_attached()) raise(SIGTRAP);
}

void message_box(const char* text, const char* caption, MessageBoxIcon) {
  fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
}

[[noreturn]] void exit_process(int code) {
  fflush(stdout);
  fflush(stderr);
  _exit(code);
}

}  // namespace

void connect_system(SystemApi& system) {
  system.module_file_name = module_file_name;
  system.program_folder = program_folder;
  system.options_folder = options_folder;
  system.make_folder = make_folder;
  system.change_directory = change_directory;
  system.memory_status = memory_status;
  system.processor_count = processor_count;
  system.os_version = os_version;
  system.beep = beep;
  system.break_into_debugger = break_into_debugger;
  system.message_box = message_box;
  system.exit_process = exit_process;
}

}  // namespace platform::posix
