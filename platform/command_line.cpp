// The command-line text of the screensaver switches, by the system's rule.
#include "platform/command_line.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace platform {
namespace {

bool is_blank_or_control(unsigned char c) { return c >= 0x01 && c <= 0x20; }

const char* skip_blanks_and_controls(const char* text) {
  while (is_blank_or_control(static_cast<unsigned char>(*text))) ++text;
  return text;
}

// Backslashes are literal except before a quote, where they are doubled,
// and the quote itself is escaped.
std::string quoted(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
  std::string text = "\"";
  size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    text.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    text += c;
  }
  text.append(backslashes * 2, '\\');
  return text + "\"";
}

}  // namespace

std::string join_arguments(int argc, char** argv) {
  std::string text;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) text += ' ';
    text += argv[i];
  }
  return skip_blanks_and_controls(text.c_str());
}

// The program name is single-byte text, so stepping by bytes is what
// CharNextA does for it.
std::string after_program_name(const char* command_line) {
  const char* text = command_line ? command_line : "";
  if (*text == '"') {
    ++text;
    while (*text && *text != '"') ++text;
    if (*text == '"') ++text;
  } else {
    while (static_cast<unsigned char>(*text) > ' ') ++text;
  }
  return skip_blanks_and_controls(text);
}

std::string join_quoted(const std::vector<std::string>& arguments) {
  std::string line;
  for (const std::string& argument : arguments) {
    if (!line.empty()) line += ' ';
    line += quoted(argument);
  }
  return line;
}

#if defined(_WIN32)
std::string command_line_switches(int, char**) { return after_program_name(GetCommandLineA()); }
#else
std::string command_line_switches(int argc, char** argv) { return join_arguments(argc, argv); }
#endif

}  // namespace platform
