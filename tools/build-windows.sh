#!/bin/sh
# Builds the Windows screensaver from Linux with MinGW-w64:
#   build-windows/orbalune3d.scr     64-bit, with its tests (tools/test-windows.sh)
#   build-windows32/orbalune3d.scr   32-bit (i686), the program alone: its tests
#                                    would need Debian's i386 Wine to run
#   build-windows/Orbalune3D-Setup.exe  the installer of both (tools/build-installer.sh)
# Installs what is missing first (tools/setup-windows.sh). Further arguments
# go to cmake's configure step of both builds.
set -e
cd "$(dirname "$0")/.."
tools/setup-windows.sh x86_64 i686
configure() {
  dir=$1 arch=$2
  shift 2
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DOB3D_WINDOWS_ARCH="$arch" "$@" >/dev/null
}
configure build-windows x86_64 "$@"
cmake --build build-windows
configure build-windows32 i686 "$@"
cmake --build build-windows32 --target orbalune3d
echo "Built build-windows/orbalune3d.scr and build-windows32/orbalune3d.scr"
tools/build-installer.sh build-windows/Orbalune3D-Setup.exe build-windows/orbalune3d.scr \
  build-windows32/orbalune3d.scr
