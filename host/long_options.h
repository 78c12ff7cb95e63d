// Long options ("--name"), read before the screensaver switches.
#pragma once

// True when the first argument is a long option.
bool Is_Long_Option(const char* argument);

// Runs the long options of argv[0..argc) and returns the exit code.
int Run_Long_Options(int argc, char** argv);
