#include "xvfb_display.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace {

pid_t server = 0;

void stop_server() {
  if (server <= 0) return;
  kill(server, SIGTERM);
  waitpid(server, nullptr, 0);
  server = 0;
}

}  // namespace

bool Start_Private_Display() {
  if (server > 0) return true;
  int fds[2];
  if (pipe(fds) != 0) return false;
  pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    close(fds[0]);
    std::string fd = std::to_string(fds[1]);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten",
           "tcp", (char*)nullptr);
    _exit(127);
  }
  close(fds[1]);
  std::string number;
  char c;
  while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
  close(fds[0]);
  if (number.empty()) {
    waitpid(pid, nullptr, 0);
    return false;
  }
  server = pid;
  std::atexit(stop_server);
  setenv("DISPLAY", (":" + number).c_str(), 1);
  // No accessibility bus in the test environment.
  setenv("NO_AT_BRIDGE", "1", 1);
  return true;
}
