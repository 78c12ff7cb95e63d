// Connects every platform area to its backend.
#include "platform/platform.h"

#include "platform/headless_window.h"
#include "platform/x11_connect.h"

namespace platform {
namespace {

Platform connect_defaults() {
  Platform table{};
  posix::connect_clock(table.clock);
  posix::connect_system(table.system);
  headless::connect_window(table.window);
  embedded::connect_resources(table.resources);
  file::connect_store(table.store);
  posix::connect_shell(table.shell);
  gtk::connect_dialog(table.dialog);
  return table;
}

}  // namespace

Platform& api() {
  static Platform table = connect_defaults();
  return table;
}

bool select_backend(Backend backend) {
  Platform& table = api();
  switch (backend) {
    case Backend::X11:
      return x11::connect(table);
    case Backend::Headless:
      headless::connect_window(table.window);
      egl::connect_context(table.context);
      return true;
  }
  return false;
}

}  // namespace platform
