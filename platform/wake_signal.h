// Waking a message loop that waits for input, from a signal handler or
// another thread (posix_wake_signal.cpp, win32_wake_signal.cpp).
#pragma once

namespace platform {

// Makes the signal ready; runs before any waker can raise it. Idempotent.
void open_wake_signal();
// Async-signal-safe.
void raise_wake_signal();
// Blocks until the signal is raised (and clears it) or, when
// native_descriptor is not -1, until that descriptor is readable.
void wait_for_wake_signal(int native_descriptor);

}  // namespace platform
