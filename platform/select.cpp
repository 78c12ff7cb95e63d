// Connects every platform area to its backend for this system.
#include "platform/platform.h"

#include "platform/headless_window.h"

#if defined(_WIN32)
#include "platform/win32_connect.h"
#else
#include "platform/x11_connect.h"
#endif

namespace platform {
namespace {

#if defined(_WIN32)

Platform connect_defaults() {
  Platform table{};
  win32::connect_clock(table.clock);
  win32::connect_system(table.system);
  headless::connect_window(table.window);
  win32::connect_resources(table.resources);
  registry::connect_store(table.store);
  win32::connect_shell(table.shell);
  win32::connect_dialog(table.dialog);
  win32::connect_password(table.password);
  return table;
}

bool connect_native(Platform& table) { return win32::connect(table); }

#else

Platform connect_defaults() {
  Platform table{};
  posix::connect_clock(table.clock);
  posix::connect_system(table.system);
  table.system.on_stop_request = posix::on_stop_request;
  headless::connect_window(table.window);
  embedded::connect_resources(table.resources);
  file::connect_store(table.store);
  posix::connect_shell(table.shell);
  gtk::connect_dialog(table.dialog);
  absent::connect_password(table.password);
  return table;
}

bool connect_native(Platform& table) { return x11::connect(table); }

#endif

}  // namespace

#if defined(_WIN32)
void connect_offscreen_context(ContextApi& context) { wgl::connect_pbuffer_context(context); }
#else
void connect_offscreen_context(ContextApi& context) { egl::connect_context(context); }
#endif

Platform& api() {
  static Platform table = connect_defaults();
  return table;
}

bool select_backend(Backend backend) {
  Platform& table = api();
  switch (backend) {
    case Backend::Native:
      return connect_native(table);
    case Backend::Headless:
      headless::connect_window(table.window);
      connect_offscreen_context(table.context);
      return true;
  }
  return false;
}

}  // namespace platform
