// Running the program (OB3D_PROGRAM) or a tool as a child process with
// arguments and environment, a timeout, its exit code and captured output;
// and a private X server with the xdotool helpers end-to-end tests use.
#pragma once

#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

#include "support/temp_folder.h"

using Environment = std::vector<std::pair<std::string, std::string>>;

struct ProgramResult {
  int exit_code;    // the exit status; 128 + signal when killed by one
  bool timed_out;   // killed because it ran past the timeout
  std::string out;  // standard output
  std::string err;  // standard error
};

// A started child process. Its output goes to files, so that a chatty child
// never blocks on a full pipe. Killed at destruction if still running.
class RunningProgram {
 public:
  // argv[0] is a path or a name looked up in PATH; env adds to or replaces
  // variables of this process's environment.
  RunningProgram(const std::vector<std::string>& argv, const Environment& env);
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  pid_t pid() const { return pid_; }
  // True once the process has ended (within timeout_s seconds).
  bool wait(double timeout_s);
  void signal(int signal_number);
  // Waits up to timeout_s, kills it when still running, and reports.
  ProgramResult finish(double timeout_s);
  // The output written so far.
  std::string out() const;

 private:
  TempFolder folder_;
  pid_t pid_ = -1;
  int status_ = 0;
  bool ended_ = false;
};

// Runs to the end (or the timeout) and reports.
ProgramResult run_program(const std::vector<std::string>& argv, const Environment& env,
                          double timeout_s);

// The saver program under test.
std::vector<std::string> program_argv(const std::vector<std::string>& arguments);

// A private Xvfb of the given colour depth, found through -displayfd.
class XServer {
 public:
  explicit XServer(int depth, int width = 640, int height = 480);
  ~XServer();
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;

  bool ok() const { return !display_.empty(); }
  const std::string& display() const { return display_; }
  // DISPLAY for a child process.
  Environment environment() const { return {{"DISPLAY", display_}}; }

  // Runs an X client on this display, again when it could not connect.
  ProgramResult run_x_client(const std::vector<std::string>& argv) const;
  // Runs an xdotool command on this display; its standard output.
  std::string xdotool(const std::vector<std::string>& arguments) const;
  // The first window of the class, waiting up to timeout_s; 0 when none appears.
  unsigned long wait_for_window_class(const std::string& window_class, double timeout_s) const;
  // The first window with this name, waiting up to timeout_s; 0 when none appears.
  unsigned long wait_for_window_name(const std::string& name, double timeout_s) const;

 private:
  unsigned long wait_for_window(const char* how, const std::string& what, double timeout_s) const;
  pid_t pid_ = -1;
  std::string display_;
};

// Polls until the predicate holds or timeout_s passes; its last answer.
template <typename Predicate>
bool eventually(Predicate predicate, double timeout_s);

// Sleeps for the given seconds.
void pause_seconds(double seconds);

template <typename Predicate>
bool eventually(Predicate predicate, double timeout_s) {
  const int steps = static_cast<int>(timeout_s / 0.05) + 1;
  for (int i = 0; i < steps; ++i) {
    if (predicate()) return true;
    pause_seconds(0.05);
  }
  return predicate();
}
