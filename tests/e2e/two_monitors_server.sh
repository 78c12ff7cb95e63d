#!/bin/sh
# Starts a private Xorg with two monitors side by side, on the dummy video
# driver (Xvfb cannot present several monitors): RandR 1.5 monitors "left"
# and "right" on one screen. Prints "DISPLAY=:N XORG_PID=P" as its last line;
# the caller ends the server with kill P. Exit 77: Xorg, its dummy driver or
# xrandr is missing, or the server did not start (not root, no wrapper).
#   two_monitors_server.sh LEFTxHEIGHT RIGHTxHEIGHT
set -eu
left=${1:-1280x960}
right=${2:-1024x768}
lw=${left%x*}; lh=${left#*x}; rw=${right%x*}; rh=${right#*x}
width=$((lw + rw)); height=$((lh > rh ? lh : rh))

command -v Xorg >/dev/null && command -v xrandr >/dev/null || exit 77
ls /usr/lib/xorg/modules/drivers/dummy_drv.so >/dev/null 2>&1 || exit 77

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cat > "$folder/xorg.conf" <<CONF
Section "Device"
  Identifier "card"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
EndSection
Section "Screen"
  Identifier "screen"
  Device "card"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual $width $height
  EndSubSection
EndSection
CONF

# The display number comes back through -displayfd: never a fixed one.
Xorg -noreset -nolisten tcp -config "$folder/xorg.conf" -logfile "$folder/xorg.log" \
  -displayfd 3 3>"$folder/display" </dev/null >/dev/null 2>&1 &
pid=$!
for _ in $(seq 1 200); do
  [ -s "$folder/display" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if ! [ -s "$folder/display" ]; then
  kill "$pid" 2>/dev/null || true
  cat "$folder/xorg.log" >&2 2>/dev/null || true
  exit 77
fi
DISPLAY=:$(cat "$folder/display")
export DISPLAY
# Millimetres at about 96 dots per inch.
xrandr --fb "${width}x${height}"
xrandr --setmonitor left "${lw}/$((lw * 254 / 960))x${lh}/$((lh * 254 / 960))+0+0" none
xrandr --setmonitor right "${rw}/$((rw * 254 / 960))x${rh}/$((rh * 254 / 960))+${lw}+0" none
echo "DISPLAY=$DISPLAY XORG_PID=$pid"
