// The name of a Windows version, from GetVersionExA's numbers.
#include "platform/windows_version.h"

namespace platform {
namespace {

enum PlatformId { WIN32S = 0, WIN32_WINDOWS = 1, WIN32_NT = 2 };

std::string windows_9x_name(int major, int minor, int build) {
  if (major > 4 || (major == 4 && minor > 0)) return minor == 90 ? "Windows Me" : "Windows 98";
  return (build & 0xFFFF) > 1000 ? "Windows 95 OSR2" : "Windows 95";
}

// Versions 6 and later get their own names: read as 5.x they would call
// Windows 7 (6.1) "Windows XP".
std::string windows_nt_name(int major, int minor) {
  if (major < 5) return "Windows NT";
  if (major == 5) return minor == 1 ? "Windows XP" : "Windows 2000";
  if (major == 6) {
    switch (minor) {
      case 0:
        return "Windows Vista";
      case 1:
        return "Windows 7";
      case 2:
        return "Windows 8";
      default:
        return "Windows 8.1";
    }
  }
  return "Windows 10 or later";
}

}  // namespace

std::string windows_name(int platform_id, int major, int minor, int build) {
  switch (platform_id) {
    case WIN32S:
      return "Windows 3.1";
    case WIN32_WINDOWS:
      return windows_9x_name(major, minor, build);
    case WIN32_NT:
      return windows_nt_name(major, minor);
    default:
      return "";
  }
}

}  // namespace platform
