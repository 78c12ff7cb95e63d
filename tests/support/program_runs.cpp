// Whole runs of a program and the saver's command line, for both systems'
// RunningProgram (run_program.cpp here, tests/windows/run_program_win32.cpp).
#include "support/run_program.h"

ProgramResult run_program(const std::vector<std::string>& argv, const Environment& env,
                          double timeout_s) {
  RunningProgram program(argv, env);
  return program.finish(timeout_s);
}

std::vector<std::string> program_argv(const std::vector<std::string>& arguments) {
  std::vector<std::string> argv{OB3D_PROGRAM};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return argv;
}
