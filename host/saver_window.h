// The program's two window procedures: start-up on the main window, the GL
// child that draws one frame per paint, and the shut-down.
#pragma once

#include <cstdint>

#include "platform/window.h"

// False when the renderer is a software rasteriser; scene objects then spare
// the work that only looks right at speed.
extern bool HardwareAccelerated;

// The main window's procedure behind the host.
intptr_t ScreenSaverProc(platform::WindowHandle window, uint32_t message, uintptr_t wparam,
                         intptr_t lparam);

// The GL child's procedure.
intptr_t ScreenSaverChildProc(platform::WindowHandle window, uint32_t message,
                              uintptr_t wparam, intptr_t lparam);

// Ends the process when result equals failure_value: "<function_name> failed:
// Error <code>." in the log and in an error box, exit code 1.
void Check_Api_Result(intptr_t result, intptr_t failure_value, const char* function_name,
                      uint32_t error_code);

// The start-up steps shared with the configuration dialog: the logging
// switch, the banner and system report, the option dump, the random seed and
// the repair of stored options that are out of range.
void Init_Application();
