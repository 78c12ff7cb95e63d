// The wake signal as a non-blocking pipe, waited for with poll.
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "platform/wake_signal.h"

namespace platform {
namespace {

int wake_pipe[2] = {-1, -1};

void drain_wake_pipe() {
  char buffer[64];
  while (read(wake_pipe[0], buffer, sizeof buffer) > 0) {
  }
}

}  // namespace

void open_wake_signal() {
  if (wake_pipe[0] < 0 && pipe2(wake_pipe, O_NONBLOCK | O_CLOEXEC) != 0) {
    wake_pipe[0] = wake_pipe[1] = -1;
  }
}

void raise_wake_signal() {
  const char byte = 1;
  if (wake_pipe[1] >= 0) {
    [[maybe_unused]] ssize_t written = write(wake_pipe[1], &byte, 1);
  }
}

void wait_for_wake_signal(int native_descriptor) {
  pollfd descriptors[2] = {{wake_pipe[0], POLLIN, 0}, {native_descriptor, POLLIN, 0}};
  const nfds_t count = native_descriptor >= 0 ? 2 : 1;
  if (descriptors[0].fd < 0 && count == 1) return;
  poll(descriptors, count, -1);
  if (descriptors[0].revents & POLLIN) drain_wake_pipe();
}

}  // namespace platform
