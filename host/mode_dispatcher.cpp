// The mode dispatcher: the screensaver switches of the command line.
#include "host/mode_dispatcher.h"

#include "host/saver_host.h"
#include "host/saver_password.h"
#include "host/saver_steps.h"
#include "platform/platform.h"

namespace {

bool is_blank(char c) { return c == ' '; }

const char* skip_blanks(const char* text) {
  while (is_blank(*text)) ++text;
  return text;
}

// Digits accumulate value * 10 + digit; anything else ends the number, and
// no digits read as 0. Overlong numbers wrap and then name no window.
platform::WindowHandle read_decimal(const char* text) {
  platform::WindowHandle value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) value = value * 10 + (*text - '0');
  return value;
}

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

ModeRequest Parse_Mode(const char* command_line) {
  const char* text = command_line ? command_line : "";
  while (is_blank(*text) || *text == '-' || *text == '/') ++text;
  switch (lower(*text)) {
    case '\0':
      return ModeRequest{SaverMode::Configure, 0};
    case 's':
      return ModeRequest{SaverMode::FullScreen, 0};
    case 'p':
    case 'l':
      return ModeRequest{SaverMode::Preview, read_decimal(skip_blanks(text + 1))};
    case 'c':
      return ModeRequest{SaverMode::Configure, text[1] == ':' ? read_decimal(text + 2) : 0};
    case 'a':
      return ModeRequest{SaverMode::ChangePassword, read_decimal(skip_blanks(text + 1))};
    default:
      return ModeRequest{SaverMode::Invalid, 0};
  }
}

platform::WindowHandle Configuration_Owner(platform::WindowHandle window) {
  const platform::WindowApi& api = platform::api().window;
  return window && api.is_window(window) ? window : api.foreground_window();
}

bool Needs_Window_System(SaverMode mode) {
  return mode == SaverMode::FullScreen || mode == SaverMode::Preview;
}

int Run_Mode(const ModeRequest& request) {
  Windows9x = platform::api().password.is_windows_9x();
  switch (request.mode) {
    case SaverMode::Configure:
      return Run_Configuration_Mode(Configuration_Owner(request.window));
    case SaverMode::FullScreen:
      return Run_Saver(0);
    case SaverMode::Preview:
      if (request.window == 0 || !platform::api().window.is_window(request.window)) return -1;
      return Run_Saver(request.window);
    case SaverMode::ChangePassword:
      return Change_Password(Configuration_Owner(request.window));
    case SaverMode::Invalid:
      break;
  }
  return -1;
}

int Dispatch_Mode(const char* command_line) { return Run_Mode(Parse_Mode(command_line)); }
