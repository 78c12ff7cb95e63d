#include "support/run_program.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <map>
#include <thread>

extern char** environ;

namespace {

std::vector<std::string> merged_environment(const Environment& env) {
  std::map<std::string, std::string> variables;
  for (char** entry = environ; *entry; ++entry) {
    const char* equals = strchr(*entry, '=');
    if (equals) variables[std::string(*entry, static_cast<size_t>(equals - *entry))] = equals + 1;
  }
  for (const auto& [name, value] : env) variables[name] = value;
  std::vector<std::string> result;
  for (const auto& [name, value] : variables) result.push_back(name + "=" + value);
  return result;
}

std::vector<char*> c_strings(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

int decode_status(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

}  // namespace

void pause_seconds(double seconds) {
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

RunningProgram::RunningProgram(const std::vector<std::string>& argv, const Environment& env) {
  std::vector<std::string> arguments = argv;
  std::vector<std::string> environment = merged_environment(env);
  std::vector<char*> c_argv = c_strings(arguments);
  std::vector<char*> c_env = c_strings(environment);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, folder_.file("out").c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, folder_.file("err").c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (posix_spawnp(&pid_, c_argv[0], &actions, nullptr, c_argv.data(), c_env.data()) != 0) {
    pid_ = -1;
    ended_ = true;
    status_ = 127 << 8;
  }
  posix_spawn_file_actions_destroy(&actions);
}

RunningProgram::~RunningProgram() {
  if (!ended_) {
    kill(pid_, SIGKILL);
    waitpid(pid_, &status_, 0);
  }
}

bool RunningProgram::wait(double timeout_s) {
  return ended_ || eventually(
                       [this] {
                         ended_ = waitpid(pid_, &status_, WNOHANG) == pid_;
                         return ended_;
                       },
                       timeout_s);
}

void RunningProgram::signal(int signal_number) {
  if (!ended_) kill(pid_, signal_number);
}

ProgramResult RunningProgram::finish(double timeout_s) {
  const bool timed_out = !wait(timeout_s);
  if (timed_out) {
    kill(pid_, SIGKILL);
    waitpid(pid_, &status_, 0);
    ended_ = true;
  }
  return ProgramResult{decode_status(status_), timed_out, out(), read_file(folder_.file("err"))};
}

std::string RunningProgram::out() const { return read_file(folder_.file("out")); }

// Xvfb picks a free display number itself and writes it to the descriptor.
XServer::XServer(int depth, int width, int height) {
  int fds[2];
  if (pipe(fds) != 0) return;
  const std::string screen =
      std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(depth);
  std::vector<std::string> arguments{"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen",
                                     "0", screen, "-nolisten", "tcp"};
  std::vector<char*> c_argv = c_strings(arguments);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  // The server must not hold the test runner's output open: a server left
  // behind by a killed test would keep ctest waiting for end of file.
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  const bool started =
      posix_spawnp(&pid_, "Xvfb", &actions, nullptr, c_argv.data(), environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  std::string number;
  pollfd readable{fds[0], POLLIN, 0};
  char c = 0;
  while (started && poll(&readable, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') {
    number += c;
  }
  close(fds[0]);
  if (!started) pid_ = -1;
  if (!number.empty()) display_ = ":" + number;
}

XServer::~XServer() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
}

// A loaded server refuses connections now and then (EAGAIN on its socket),
// and Xlib gives up at once; such a run is repeated.
ProgramResult XServer::run_x_client(const std::vector<std::string>& argv) const {
  const int ATTEMPTS = 10;
  ProgramResult result{};
  for (int attempt = 0; attempt < ATTEMPTS; ++attempt) {
    result = run_program(argv, environment(), 10);
    if (result.err.find("open display") == std::string::npos) break;
    pause_seconds(0.1);
  }
  return result;
}

std::string XServer::xdotool(const std::vector<std::string>& arguments) const {
  std::vector<std::string> argv{"xdotool"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return run_x_client(argv).out;
}

unsigned long XServer::wait_for_window(const char* how, const std::string& what,
                                       double timeout_s) const {
  unsigned long window = 0;
  eventually(
      [&] {
        window = strtoul(xdotool({"search", how, what}).c_str(), nullptr, 10);
        return window != 0;
      },
      timeout_s);
  return window;
}

unsigned long XServer::wait_for_window_class(const std::string& window_class,
                                             double timeout_s) const {
  return wait_for_window("--class", window_class, timeout_s);
}

unsigned long XServer::wait_for_window_name(const std::string& name, double timeout_s) const {
  return wait_for_window("--name", name, timeout_s);
}
