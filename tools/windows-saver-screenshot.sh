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
picture_kind=saver-picture
. tools/wine-pictures-setup.sh
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
