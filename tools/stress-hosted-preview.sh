#!/bin/bash
# Starts the saver as a preview inside another program's window, closes that
# program at a random moment within the saver's first seconds (2 unless
# given; 0.5 hits its start-up most often), and counts the runs that did not
# end with 0 (or with 255, a window gone before the saver looked for it).
# Run on a private X server:
#   xvfb-run -a -s "-screen 0 1024x768x24" tools/stress-hosted-preview.sh build/orbalune3d 80 [0.5]
# A run that ends badly keeps its folder (stderr, and a core where allowed).
program=$(realpath "$1")
runs=${2:-20}
latest=${3:-2}
failures=0
for run in $(seq "$runs"); do
  home=$(mktemp -d)
  xmessage -geometry 320x240+10+10 host &
  host=$!
  window=
  for attempt in $(seq 50); do
    window=$(xdotool search --class Xmessage 2>/dev/null | head -1)
    [ -n "$window" ] && break
    sleep 0.1
  done
  (cd "$home" && ulimit -c unlimited &&
   ORBALUNE3D_HOME=$home ORBALUNE3D_UNPACED=1 exec "$program" /p "$window") \
    >"$home/out" 2>"$home/err" &
  saver=$!
  sleep "$(awk -v r="$RANDOM" -v latest="$latest" 'BEGIN { printf "%.2f", r / 32768 * latest }')"
  kill "$host"
  wait "$host" 2>/dev/null
  for attempt in $(seq 100); do
    kill -0 "$saver" 2>/dev/null || break
    sleep 0.1
  done
  kill -9 "$saver" 2>/dev/null
  wait "$saver"
  status=$?
  if [ "$status" -ne 0 ] && [ "$status" -ne 255 ]; then
    failures=$((failures + 1))
    echo "run $run: exit $status, folder $home"
  else
    rm -rf "$home"
  fi
done
echo "$failures of $runs runs ended badly"
