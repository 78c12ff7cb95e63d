// The text the screensaver switches are read from.
#pragma once

#include <string>
#include <vector>

namespace platform {

// What follows the program name on this process's command line, without the
// blanks and control characters (0x01 to 0x20) before the first switch.
// Windows: the command line as GetCommandLineA gives it; elsewhere the
// arguments joined by blanks.
std::string command_line_switches(int argc, char** argv);

// The two rules apart from the process, for tests.
// Arguments 1 to argc - 1 joined by single blanks, leading blanks skipped.
std::string join_arguments(int argc, char** argv);
// A whole Win32 command line without its program name: a name that starts
// with a double quote runs to the next one (or the end) and past it, any
// other name to the first character at or below the blank; then 0x01 to
// 0x20 are skipped.
std::string after_program_name(const char* command_line);

// A Win32 command line that the runtime's parser splits back into these
// arguments. An argument is put in double quotes only when it is empty or
// holds a blank, a tab or a quote, so that switches stay bare: the saver
// reads its own switches from the raw text.
std::string join_quoted(const std::vector<std::string>& arguments);

}  // namespace platform
