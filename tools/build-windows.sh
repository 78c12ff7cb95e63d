#!/bin/sh
# Builds the Windows screensaver from Linux with MinGW-w64:
#   build-windows/orbalune3d.scr     64-bit
#   build-windows32/orbalune3d.scr   32-bit (i686)
# Installs what is missing first (tools/setup-windows.sh). Further arguments
# go to cmake's configure step of both builds.
set -e
cd "$(dirname "$0")/.."
tools/setup-windows.sh x86_64 i686
for build in "build-windows x86_64" "build-windows32 i686"; do
  dir=${build% *} arch=${build#* }
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DOB3D_WINDOWS_ARCH="$arch" "$@" >/dev/null
  cmake --build "$dir"
  echo "Built $dir/orbalune3d.scr"
done
