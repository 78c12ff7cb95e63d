// Process entry: long options first, then a host program's options, then
// the screensaver switches.
#include <string>

#include "host/hosted_mode.h"
#include "host/long_options.h"
#include "host/mode_dispatcher.h"
#include "platform/platform.h"

namespace {

// The arguments as the one command-line text the switches are read from,
// without the program name and the blanks and control characters before the
// first switch.
std::string command_line_text(int argc, char** argv) {
  std::string text;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) text += ' ';
    text += argv[i];
  }
  size_t start = 0;
  while (start < text.size() && text[start] >= 0x01 && text[start] <= 0x20) ++start;
  return text.substr(start);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && Is_Long_Option(argv[1])) return Run_Long_Options(argc - 1, argv + 1);
  if (argc > 1 && Is_Hosting_Option(argv[1])) return Run_Hosted_Mode(argc - 1, argv + 1);
  const std::string text = command_line_text(argc, argv);
  const ModeRequest request = Parse_Mode(text.c_str());
  // The settings find the screen size and the foreground window through the
  // display too, but can still explain themselves without one.
  const bool uses_display =
      Needs_Window_System(request.mode) || request.mode == SaverMode::Configure;
  if (uses_display && !platform::select_backend(platform::Backend::X11) &&
      Needs_Window_System(request.mode)) {
    return 1;
  }
  return Run_Mode(request);
}
