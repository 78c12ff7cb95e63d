// Connecting the Win32 backends, declared apart from <windows.h>.
#pragma once

#include "platform/platform.h"

namespace platform::win32 {

void connect_clock(ClockApi& clock);
void connect_system(SystemApi& system);
// The module's own resources (FindResourceA, LoadResource).
void connect_resources(ResourceApi& resources);
void connect_shell(ShellApi& shell);
void connect_dialog(DialogApi& dialog);
// The saver password services of Windows 95, 98 and Me.
void connect_password(PasswordApi& password);
// Real windows and the WGL context on them; always succeeds.
bool connect(Platform& table);

}  // namespace platform::win32

namespace platform::registry {
// The options store as the per-user registry itself.
void connect_store(StoreApi& store);
}  // namespace platform::registry
