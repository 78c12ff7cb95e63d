// Process entry: long options first, then a host program's options, then
// the screensaver switches.
#include <string>

#include "host/hosted_mode.h"
#include "host/long_options.h"
#include "host/mode_dispatcher.h"
#include "platform/command_line.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  if (argc > 1 && Is_Long_Option(argv[1])) return Run_Long_Options(argc - 1, argv + 1);
  if (argc > 1 && Is_Hosting_Option(argv[1])) return Run_Hosted_Mode(argc - 1, argv + 1);
  const std::string text = platform::command_line_switches(argc, argv);
  const ModeRequest request = Parse_Mode(text.c_str());
  // The settings find the screen size and the foreground window through the
  // display too, but can still explain themselves without one.
  const bool uses_display =
      Needs_Window_System(request.mode) || request.mode == SaverMode::Configure;
  if (uses_display && !platform::select_backend(platform::Backend::Native) &&
      Needs_Window_System(request.mode)) {
    return 1;
  }
  return Run_Mode(request);
}
