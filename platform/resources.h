// The module's embedded resources, found by numeric id and type name.
#pragma once

namespace platform {

struct ResourceApi {
};

}  // namespace platform
