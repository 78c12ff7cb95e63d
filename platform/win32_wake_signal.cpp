// The wake signal as an auto-reset event. Windows has no descriptors to
// wait for beside it: the Win32 window backend waits in GetMessageA.
#include <windows.h>

#include <atomic>

#include "platform/wake_signal.h"

namespace platform {
namespace {

// Created once; read by wakers on other threads (a console control handler).
std::atomic<HANDLE> wake_event{nullptr};

}  // namespace

void open_wake_signal() {
  if (wake_event.load(std::memory_order_acquire)) return;
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  HANDLE expected = nullptr;
  if (!wake_event.compare_exchange_strong(expected, event, std::memory_order_acq_rel)) {
    CloseHandle(event);
  }
}

void raise_wake_signal() {
  if (HANDLE event = wake_event.load(std::memory_order_acquire)) SetEvent(event);
}

void wait_for_wake_signal(int) {
  if (HANDLE event = wake_event.load(std::memory_order_acquire)) {
    WaitForSingleObject(event, INFINITE);
  }
}

}  // namespace platform
