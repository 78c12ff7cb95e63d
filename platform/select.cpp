// Connects every platform area to its backend.
#include "platform/platform.h"

namespace platform {
namespace {

Platform connect_defaults() {
  Platform table{};
  posix::connect_clock(table.clock);
  posix::connect_system(table.system);
  embedded::connect_resources(table.resources);
  file::connect_store(table.store);
  return table;
}

}  // namespace

Platform& api() {
  static Platform table = connect_defaults();
  return table;
}

bool select_backend(Backend backend) {
  (void)backend;
  return false;
}

}  // namespace platform
