// SIGTERM and SIGINT as the system's stop requests (XScreenSaver stops its
// display programs with SIGTERM).
#include <csignal>

#include "platform/system.h"

namespace platform::posix {
namespace {

// Written before the handlers are installed, read inside them.
void (*stop_handler)() = nullptr;

void on_signal(int) {
  if (stop_handler) stop_handler();
}

}  // namespace

void on_stop_request(void (*handler)()) {
  stop_handler = handler;
  struct sigaction action {};
  action.sa_handler = on_signal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

}  // namespace platform::posix
