#!/bin/sh
# Builds the Windows program and its tests (tools/build-windows.sh) and runs
# the 64-bit ones under Wine on a private X server: every portable test
# program built as a Windows program, the Win32 backend's tests and the
# end-to-end tests of orbalune3d.scr. Each run gets a fresh Wine prefix in
# build-windows/wineprefix. The 32-bit build is built, not run: that needs
# Debian's i386 Wine (a second architecture for the whole machine).
set -e
cd "$(dirname "$0")/.."
tools/build-windows.sh
WINEPREFIX=$PWD/build-windows/wineprefix
WINEDEBUG=-all
# No Mono or Gecko installer questions in a fresh prefix.
WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
rm -rf "$WINEPREFIX"
/usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
/usr/lib/wine/wineserver -w
xvfb-run -a -s "-screen 0 1024x768x24" sh -c \
  'ctest --test-dir build-windows --output-on-failure --timeout 900 -j2; status=$?
   /usr/lib/wine/wineserver -k; exit $status'
