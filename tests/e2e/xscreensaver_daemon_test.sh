#!/bin/sh
# The saver under the real XScreenSaver daemon, on a private X server: a
# ~/.xscreensaver that selects "PROGRAM --root --no-clouds -speed 300
# -light 1000 -no-nebulae" (the two-dash spelling the daemon's settings may
# use, and flags: full ambient light lights the night side too, and no
# nebulae leave the sky black, so the picture does not depend on the hour);
# "xscreensaver-command -activate" must start it in the daemon's window (its
# log shows the start-up with the flags' values, the window tree its hosted
# window, a picture of the screen the lit Earth at its centre) without
# writing the flags into the options store, and
# "-deactivate" must end it through its shut-down with no process left.
#
# Usage: xscreensaver_daemon_test.sh PROGRAM
# Exit code 0 passed, 1 failed, 77 skipped (with the reason).
set -u

program=$1
SKIPPED=77
# Seconds allowed for each step.
STEP_TIMEOUT=30
# The program runs under this name, so that the daemon's log tells its
# process apart.
NAME=ob3d-under-xss

work=""
server_pid=""
daemon_pid=""

log() { echo "xscreensaver_daemon_test: $*"; }

# The process id of the saver, from the daemon's log ("forked ... in pid N").
saver_pid() {
  sed -n "s/.*forked \".*$NAME.*\" in pid \([0-9]*\).*/\1/p" "$work/daemon.log" | tail -n 1
}

# True while the process runs (not once it has ended and waits to be collected).
process_runs() {
  [ -n "$1" ] && [ -e "/proc/$1/stat" ] && ! grep -q ') Z ' "/proc/$1/stat" 2>/dev/null
}

cleanup() {
  [ -n "$daemon_pid" ] && kill "$daemon_pid" 2>/dev/null && wait "$daemon_pid" 2>/dev/null
  if [ -n "$work" ]; then
    pid=$(saver_pid)
    if process_runs "$pid" && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = "$NAME" ]; then
      kill -9 "$pid"
    fi
  fi
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null
  [ -n "$work" ] && rm -rf "$work"
}
trap cleanup EXIT

skip() {
  log "SKIPPED: $*"
  exit $SKIPPED
}

fail() {
  log "FAILED: $*"
  for file in "$work/daemon.log" "$home/ob3d/_vantrel_ob3d.txt"; do
    [ -f "$file" ] && { log "--- $file"; tail -n 40 "$file"; }
  done
  exit 1
}

# Polls the command until it succeeds or STEP_TIMEOUT passes.
within_timeout() {
  tries=$((STEP_TIMEOUT * 5))
  while [ $tries -gt 0 ]; do
    "$@" >/dev/null 2>&1 && return 0
    tries=$((tries - 1))
    sleep 0.2
  done
  return 1
}

log_has() { grep -qF "$1" "$home/ob3d/_vantrel_ob3d.txt" 2>/dev/null; }

# The brightest channel of the screen's pixel (x, y), read from a picture of
# the root window in binary PPM ("P6\n640 480\n255\n", then RGB rows).
screen_pixel() {
  import -window root -depth 8 "ppm:$work/screen.ppm" 2>/dev/null || return 1
  width=$(sed -n 2p "$work/screen.ppm" | cut -d' ' -f1)
  header=$(head -n 3 "$work/screen.ppm" | wc -c)
  od -An -tu1 -j $((header + ($2 * width + $1) * 3)) -N3 "$work/screen.ppm" |
    tr -s ' ' '\n' | sort -n | tail -n 1
}
earth_at_centre() {
  centre=$(screen_pixel 320 240) && corner=$(screen_pixel 5 5) && other=$(screen_pixel 634 5) &&
    [ "$centre" -gt 60 ] && { [ "$corner" -lt 30 ] || [ "$other" -lt 30 ]; }
}
saver_gone() { ! process_runs "$pid"; }
hosted_window_shown() { xwininfo -root -tree | grep -qF '"Hosted Screen Saver"'; }

for tool in xscreensaver xscreensaver-command Xvfb xwininfo import od; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (tools/setup-debian.sh installs it)"
done

# The daemon refuses to start display programs as root, so root runs it as
# "nobody"; anyone else runs it as themselves.
user=$(id -un)
as_user=""
if [ "$(id -u)" = 0 ]; then
  user=nobody
  id "$user" >/dev/null 2>&1 || skip "there is no user $user to run the daemon as"
  as_user="setpriv --reuid=$(id -u $user) --regid=$(id -g $user) --clear-groups"
  $as_user true 2>/dev/null || skip "cannot switch to the user $user (setpriv)"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/ob3d-xss.XXXXXX") || skip "no temporary folder"
chmod 755 "$work"
home=$work/home
mkdir -p "$home/ob3d"
ln -s "$(realpath "$program")" "$work/$NAME"
$as_user test -x "$work/$NAME" || skip "the user $user cannot run $program"

printf 'Orbalune 3D Options Store 1\n\n[HKEY_CURRENT_USER\\Software\\Vantrel\\Orbalune 3D]\n"ReleaseLogging"=dword:00000001\n' \
  >"$home/ob3d/ob3d_options.reg"
cat >"$home/.xscreensaver" <<EOF
timeout:	0:30:00
cycle:		0:00:00
lock:		False
splash:		False
fade:		False
unfade:		False
dpmsEnabled:	False
mode:		one
selected:	0
programs:	$work/$NAME --root --no-clouds -speed 300 -light 1000 -no-nebulae \\n
EOF
[ "$user" != "$(id -un)" ] && chown -R "$user" "$home"

# -noreset: a server that resets when its last client leaves would drop the
# daemon's properties on the root window if a query came and went while the
# daemon was between connections.
Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 640x480x24 3>"$work/display" \
  </dev/null >/dev/null 2>&1 &
server_pid=$!
within_timeout grep -q . "$work/display" || fail "Xvfb did not start"
DISPLAY=:$(head -n 1 "$work/display")
HOME=$home
ORBALUNE3D_HOME=$home/ob3d
export DISPLAY HOME ORBALUNE3D_HOME
unset XSCREENSAVER_WINDOW

$as_user xscreensaver --no-splash --verbose >"$work/daemon.log" 2>&1 &
daemon_pid=$!
within_timeout $as_user xscreensaver-command -version || fail "the daemon did not come up"

$as_user xscreensaver-command -activate >/dev/null 2>&1 || fail "xscreensaver-command -activate failed"
within_timeout log_has "ScreenSaverChildProc:WM_SIZE" || fail "the daemon did not start the saver"
within_timeout hosted_window_shown || fail "the saver's window is not in the daemon's window"
pid=$(saver_pid)
process_runs "$pid" || fail "no saver process runs"
for line in "  ShowClouds:                 0" "  FactorCameraRotationSpeed:  0.30"; do
  log_has "$line" || fail "the flags did not set \"$line\""
done
grep -qF '"ShowClouds"=dword:00000001' "$home/ob3d/ob3d_options.reg" ||
  fail "a flag was written into the options store"
within_timeout earth_at_centre || fail "the screen shows no lit Earth at its centre (centre $centre, corner $corner)"
log "the daemon started the saver (process $pid)"

$as_user xscreensaver-command -deactivate >/dev/null 2>&1 || fail "xscreensaver-command -deactivate failed"
within_timeout log_has "  Average framerate = " || fail "the saver did not shut down"
for line in "ScreenSaverChildProc:WM_DESTROY" " frames rendered"; do
  log_has "$line" || fail "the shut-down did not log \"$line\""
done
within_timeout saver_gone || fail "the saver process $pid is left"
log "the daemon ended the saver through its shut-down"
