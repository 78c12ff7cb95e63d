#!/bin/sh
# Configures and builds into the given folder (default build/) with Ninja.
# Further arguments go to cmake's configure step, e.g. -DOB3D_SANITIZE=address.
set -e
cd "$(dirname "$0")/.."
dir=${1:-build}
[ $# -gt 0 ] && shift
cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
cmake --build "$dir"
