// Long options ("--name"), read before the screensaver switches.
#include "host/long_options.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "config/hack_flags.h"
#include "host/hosted_mode.h"
#include "host/snapshot.h"

namespace {

const char USAGE[] =
    "usage: orbalune3d [/s | /p <window id> | /c[:<window id>]]\n"
    "       orbalune3d -root | -window-id <window id>  [flags]\n"
    "       orbalune3d --snapshot FILE.png [--size WxH] [--time YYYY-MM-DDTHH:MM:SSZ]"
    " [--frames N] [--rate FPS]\n"
    "       orbalune3d --help\n";

void Print_Usage() { fprintf(stderr, "%s(orbalune3d --help lists the flags)\n", USAGE); }

int Print_Help() {
  printf("%s\n%s", USAGE, Hack_Flags_Usage().c_str());
  return 0;
}

}  // namespace

bool Is_Long_Option(const char* argument) {
  return argument && strncmp(argument, "--", 2) == 0;
}

int Run_Long_Options(int argc, char** argv) {
  // XScreenSaver's settings may write its display programs' switches with two dashes.
  if (argc > 0 && Is_Hosting_Option(argv[0])) return Run_Hosted_Mode(argc, argv);
  if (argc == 1 && strcmp(argv[0], "--help") == 0) return Print_Help();
  if (argc > 0 && strcmp(argv[0], "--snapshot") == 0) {
    SnapshotRequest request;
    std::string error;
    if (Parse_Snapshot_Arguments(argc, argv, &request, &error)) return Run_Snapshot(request);
    fprintf(stderr, "orbalune3d: %s\n", error.c_str());
  } else {
    fprintf(stderr, "orbalune3d: unknown option %s\n", argc > 0 ? argv[0] : "");
  }
  Print_Usage();
  return -1;
}
