#!/bin/sh
# A picture of the Windows screensaver running full screen under Wine:
# docs/windows-running.png. Starts "orbalune3d.scr /s" on a private X server
# at 1024x768, waits for the scene to settle, captures it and closes the
# saver with a key. Wine draws the saver's OpenGL into an X window of its own,
# kept just off the screen at -1,-1 (the screen itself stays black), so the
# picture is read from that window.
# Usage: tools/windows-saver-screenshot.sh [build folder] (build-windows)
set -e
cd "$(dirname "$0")/.."
build=${1:-build-windows}
scr=$PWD/$build/orbalune3d.scr
[ -f "$scr" ] || { echo "no $scr: build it first (tools/build-windows.sh)" >&2; exit 1; }
WINEPREFIX=${WINEPREFIX:-$PWD/$build/wineprefix}
WINEDEBUG=-all
WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
[ -d "$WINEPREFIX" ] || /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
home=$(mktemp -d "${TMPDIR:-/tmp}/ob3d-saver-picture.XXXXXX")
export ORBALUNE3D_HOME="Z:$home" scr
xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
  /usr/lib/wine/wine64 "$scr" /s &
  saver=$!
  sleep 12
  window=$(xwininfo -root -tree |
    grep -E "\(\)  1024x768\+0\+0  \+-1\+-1" | awk "NR == 1 { print \$1 }")
  status=1
  if [ -n "$window" ]; then
    import -window "$window" -depth 8 docs/windows-running.png && status=0
  fi
  xdotool key a
  wait $saver
  /usr/lib/wine/wineserver -k
  exit $status'
rm -rf "$home"
