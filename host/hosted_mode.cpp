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

bool Fail(std::string* error, const std::string& reason) {
  *error = reason;
  return false;
}

}  // namespace

bool Is_Hosting_Option(const char* argument) {
  return argument &&
         (strcmp(argument, ROOT_OPTION) == 0 || strcmp(argument, WINDOW_ID_OPTION) == 0);
}

bool Parse_Hosting_Arguments(int argc, char** argv, const char* window_variable,
                             HostedRequest* request, std::string* error) {
  *request = HostedRequest{};
  if (argc < 1 || !Is_Hosting_Option(argv[0])) return Fail(error, "expected -root or -window-id");
  int used = 1;
  if (strcmp(argv[0], ROOT_OPTION) == 0) {
    if (window_variable && *window_variable) {
      if (!Parse_Window_Id(window_variable, &request->window)) {
        return Fail(error, std::string("XSCREENSAVER_WINDOW is not a window id: ") +
                               window_variable);
      }
    } else {
      request->desktop = true;
    }
  } else {
    if (argc < 2) return Fail(error, "-window-id needs the id of a window");
    if (!Parse_Window_Id(argv[1], &request->window)) {
      return Fail(error, std::string("-window-id wants a window id, not ") + argv[1]);
    }
    used = 2;
  }
  if (argc > used) return Fail(error, std::string("unexpected argument ") + argv[used]);
  return true;
}

int Run_Hosted_Mode(int argc, char** argv) {
  HostedRequest request;
  std::string error;
  if (!Parse_Hosting_Arguments(argc, argv, getenv("XSCREENSAVER_WINDOW"), &request, &error)) {
    fprintf(stderr, "orbalune3d: %s\n", error.c_str());
    return -1;
  }
  if (!platform::select_backend(platform::Backend::X11)) return 1;
  platform::WindowApi& windows = platform::api().window;
  const platform::WindowHandle host = request.desktop ? windows.desktop_window() : request.window;
  if (!host || !windows.is_window(host)) {
    fprintf(stderr, "orbalune3d: there is no window 0x%lx to draw in\n", (unsigned long)host);
    return -1;
  }
  return Run_Hosted_Saver(host);
}
