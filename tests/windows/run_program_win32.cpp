// support/run_program.h for the Windows test programs: the program under
// test runs through CreateProcessA, its output into files. There is no X
// server here; the Windows end-to-end tests drive the saver from Linux.
#include "support/run_program.h"

#include "platform/command_line.h"

#include <windows.h>

#include <chrono>
#include <map>
#include <thread>

namespace {

// The handles of the running children, by process id.
std::map<pid_t, HANDLE>& children() {
  static std::map<pid_t, HANDLE> handles;
  return handles;
}

// This process's environment with the given variables added or replaced,
// as CreateProcessA takes it: NAME=value strings, each with its NUL, and
// one more NUL at the end.
std::string environment_block(const Environment& env) {
  std::map<std::string, std::string> variables;
  char* strings = GetEnvironmentStringsA();
  for (const char* entry = strings; *entry; entry += strlen(entry) + 1) {
    const char* equals = strchr(entry + 1, '=');
    if (equals) variables[std::string(entry, size_t(equals - entry))] = equals + 1;
  }
  FreeEnvironmentStringsA(strings);
  for (const auto& [name, value] : env) variables[name] = value;
  std::string block;
  for (const auto& [name, value] : variables) block += name + "=" + value + '\0';
  return block + '\0';
}

HANDLE inheritable_file(const std::string& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                     disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

void pause_seconds(double seconds) {
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

RunningProgram::RunningProgram(const std::vector<std::string>& argv, const Environment& env) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = inheritable_file("NUL", GENERIC_READ, OPEN_EXISTING);
  startup.hStdOutput = inheritable_file(folder_.file("out"), GENERIC_WRITE, CREATE_ALWAYS);
  startup.hStdError = inheritable_file(folder_.file("err"), GENERIC_WRITE, CREATE_ALWAYS);
  std::string line = platform::join_quoted(argv);
  std::string block = environment_block(env);
  PROCESS_INFORMATION process{};
  if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, block.data(), nullptr,
                     &startup, &process)) {
    CloseHandle(process.hThread);
    pid_ = pid_t(process.dwProcessId);
    children()[pid_] = process.hProcess;
  } else {
    ended_ = true;
    status_ = 127;
  }
  for (HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
}

RunningProgram::~RunningProgram() {
  if (!ended_) finish(0);
}

bool RunningProgram::wait(double timeout_s) {
  if (ended_) return true;
  HANDLE process = children()[pid_];
  if (WaitForSingleObject(process, DWORD(timeout_s * 1000)) != WAIT_OBJECT_0) return false;
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  status_ = int(code);
  CloseHandle(process);
  children().erase(pid_);
  ended_ = true;
  return true;
}

// Windows has no signals: any signal ends the process, as SIGKILL would.
void RunningProgram::signal(int signal_number) {
  if (!ended_) TerminateProcess(children()[pid_], UINT(128 + signal_number));
}

ProgramResult RunningProgram::finish(double timeout_s) {
  const bool timed_out = !wait(timeout_s);
  if (timed_out) {
    TerminateProcess(children()[pid_], 128 + 9);
    wait(10);
  }
  return ProgramResult{status_, timed_out, out(), read_file(folder_.file("err"))};
}

std::string RunningProgram::out() const { return read_file(folder_.file("out")); }
