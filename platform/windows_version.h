// The name of a Windows version for the system report.
#pragma once

#include <string>

namespace platform {

// Platform ids 0 (Win32s), 1 (Windows 95, 98, Me) and 2 (the NT family);
// "" for an unknown platform id.
std::string windows_name(int platform_id, int major, int minor, int build);

}  // namespace platform
