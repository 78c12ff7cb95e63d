// Long options ("--name"), read before the screensaver switches. None is
// defined yet, so each is reported as unknown.
#include "host/long_options.h"

#include <cstdio>
#include <cstring>

bool Is_Long_Option(const char* argument) {
  return argument && strncmp(argument, "--", 2) == 0;
}

int Run_Long_Options(int argc, char** argv) {
  fprintf(stderr, "orbalune3d: unknown option %s\n", argc > 0 ? argv[0] : "");
  fprintf(stderr, "usage: orbalune3d [/s | /p <window id> | /c[:<window id>]]\n");
  return -1;
}
