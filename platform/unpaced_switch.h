// The benchmarks' switch for unpaced frames: ORBALUNE3D_UNPACED set to
// anything but empty or "0" makes the native backends ask for no swap
// interval and report no refresh rate, so frames follow one another as fast
// as they are drawn.
#pragma once

#include <cstdlib>

namespace platform {

inline bool unpaced_requested() {
  const char* value = getenv("ORBALUNE3D_UNPACED");
  return value && *value && *value != '0';
}

}  // namespace platform
