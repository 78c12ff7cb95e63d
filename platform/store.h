// The per-user options store: named 32-bit words and strings under key paths.
#pragma once

namespace platform {

struct StoreApi {
};

}  // namespace platform
