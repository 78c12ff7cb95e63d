#!/bin/sh
# Runs a test program with a fresh, empty program folder unless the caller
# chose one, so that no test ever reads or writes a real home.
# Sanitizer builds: leaks inside the system's libraries are not ours, and
# llvmpipe's own worker threads are kept out of ThreadSanitizer's view;
# races inside the toolkit's libraries are not ours either.
support=$(dirname "$0")
LSAN_OPTIONS="suppressions=$support/sanitizer.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
TSAN_OPTIONS="suppressions=$support/tsan.supp${TSAN_OPTIONS:+:$TSAN_OPTIONS}"
LP_NUM_THREADS=${LP_NUM_THREADS:-0}
export LSAN_OPTIONS TSAN_OPTIONS LP_NUM_THREADS

if [ -n "$ORBALUNE3D_HOME" ]; then
  exec "$@"
fi
home=$(mktemp -d "${TMPDIR:-/tmp}/ob3d-test.XXXXXX") || exit 1
ORBALUNE3D_HOME=$home
export ORBALUNE3D_HOME
"$@"
status=$?
rm -rf "$home"
exit $status
