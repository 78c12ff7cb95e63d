#!/bin/sh
# Runs a test program with a fresh, empty program folder unless the caller
# chose one, so that no test ever reads or writes a real home.
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
