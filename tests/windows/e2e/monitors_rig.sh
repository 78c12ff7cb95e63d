#!/bin/sh
# Runs a Windows test program (with its arguments) under Wine on a private
# Xorg with two monitors side by side: 1280x960 on the left, the primary,
# and 1024x768 on the right. Each monitor is an output of the dummy driver
# of its own, since Wine takes the monitors from the outputs, not from
# RandR's monitor list. Exit 77 when no such server can be started.
set -u
here=$(cd "$(dirname "$0")" && pwd)
wineserver=${OB3D_WINESERVER:-/usr/lib/wine/wineserver}

started=$("$here/../../e2e/two_monitors_server.sh" 1280x960 1024x768) || exit 77
line=$(printf '%s\n' "$started" | tail -n 1)
DISPLAY=$(printf '%s\n' "$line" | sed -n 's/^DISPLAY=\([^ ]*\) .*/\1/p')
pid=$(printf '%s\n' "$line" | sed -n 's/.*XORG_PID=\([0-9]*\)$/\1/p')
[ -n "$DISPLAY" ] && [ -n "$pid" ] || exit 77
export DISPLAY
trap 'kill "$pid"' EXIT

xrandr --delmonitor left && xrandr --delmonitor right &&
  xrandr --addmode DUMMY1 1024x768 &&
  xrandr --output DUMMY0 --mode 1280x960 --pos 0x0 --primary \
    --output DUMMY1 --mode 1024x768 --pos 1280x0 || exit 1
# Without a query of the new layout first, Wine's display driver was seen
# to find the first output alone.
xrandr --listmonitors

# A Wine server still running for an earlier test knows the monitors of
# that test's display; the programs here need one started on this display,
# and the next test one on its own again.
"$wineserver" -w
"$here/../run_under_wine.sh" "$@"
status=$?
"$wineserver" -w
exit $status
