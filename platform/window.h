// Windows, messages and the message loop.
#pragma once

namespace platform {

struct WindowApi {
};

}  // namespace platform
