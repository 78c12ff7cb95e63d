// The shell: starting processes and documents, opening URLs, the single-instance lock.
#pragma once

namespace platform {

struct ShellApi {
};

}  // namespace platform
