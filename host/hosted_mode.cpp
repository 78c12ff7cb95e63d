#include "host/hosted_mode.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/saver_host.h"
#include "platform/platform.h"

namespace {

const char ROOT_OPTION[] = "-root";
const char WINDOW_ID_OPTION[] = "-window-id";
// X window ids have 29 significant bits.
const unsigned long long MAX_WINDOW_ID = 0x1FFFFFFF;

bool Parse_Window_Id(const char* text, platform::WindowHandle* window) {
  if (!text || !*text || *text == '-' || *text == '+') return false;
  errno = 0;
  char* end = nullptr;
  const unsigned long long value = strtoull(text, &end, 0);
  if (errno != 0 || *end != '\0' || value == 0 || value > MAX_WINDOW_ID) return false;
  *window = platform::WindowHandle(value);
  return true;
}

// The one-dash name of a hosting option, which XScreenSaver's settings may
// also spell with two dashes; nullptr for any other argument.
const char* option_name(const char* argument) {
  if (!argument) return nullptr;
  const char* name = strncmp(argument, "--", 2) == 0 ? argument + 1 : argument;
  for (const char* option : {ROOT_OPTION, WINDOW_ID_OPTION}) {
    if (strcmp(name, option) == 0) return option;
  }
  return nullptr;
}

bool Fail(std::string* error, const std::string& reason) {
  *error = reason;
  return false;
}

}  // namespace

bool Is_Hosting_Option(const char* argument) { return option_name(argument) != nullptr; }

bool Parse_Hosting_Arguments(int argc, char** argv, const char* window_variable,
                             HostedRequest* request, std::string* error) {
  *request = HostedRequest{};
  const char* option = argc < 1 ? nullptr : option_name(argv[0]);
  if (!option) return Fail(error, "expected -root or -window-id");
  int used = 1;
  if (option == ROOT_OPTION) {
    if (window_variable && *window_variable) {
      if (!Parse_Window_Id(window_variable, &request->window)) {
        return Fail(error, std::string("XSCREENSAVER_WINDOW is not a window id: ") +
                               window_variable);
      }
    } else {
      request->desktop = true;
    }
  } else {
    if (argc < 2) return Fail(error, std::string(argv[0]) + " needs the id of a window");
    if (!Parse_Window_Id(argv[1], &request->window)) {
      return Fail(error, std::string(argv[0]) + " wants a window id, not " + argv[1]);
    }
    used = 2;
  }
  return Parse_Hack_Flags(argc - used, argv + used, &request->flags, error);
}

int Run_Hosted_Mode(int argc, char** argv) {
  HostedRequest request;
  std::string error;
  if (!Parse_Hosting_Arguments(argc, argv, getenv("XSCREENSAVER_WINDOW"), &request, &error)) {
    fprintf(stderr, "orbalune3d: %s (orbalune3d --help lists the flags)\n", error.c_str());
    return -1;
  }
  Apply_Hack_Flags(request.flags);
  if (!platform::select_backend(platform::Backend::Native)) return 1;
  platform::WindowApi& windows = platform::api().window;
  const platform::WindowHandle host = request.desktop ? windows.desktop_window() : request.window;
  if (!host || !windows.is_window(host)) {
    fprintf(stderr, "orbalune3d: there is no window 0x%lx to draw in\n", (unsigned long)host);
    return -1;
  }
  return Run_Hosted_Saver(host);
}
