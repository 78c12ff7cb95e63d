#!/bin/sh
# Makes the Windows installer with NSIS from installer/orbalune3d.nsi:
#   tools/build-installer.sh <setup .exe> <64-bit .scr> [<32-bit .scr>]
# With the 32-bit .scr the installer is a 32-bit program that installs the
# .scr that fits the system it runs on; without, a 64-bit program for the
# 64-bit .scr alone. makensis comes from Debian's nsis package
# (tools/setup-windows.sh).
set -e
[ $# -ge 2 ] || { echo "usage: $0 <setup .exe> <64-bit .scr> [<32-bit .scr>]" >&2; exit 2; }
root=$(cd "$(dirname "$0")/.." && pwd)
setup=$(realpath -m "$1")
scr64=$(realpath "$2")
scr32=${3:+$(realpath "$3")}
version=$(sed -n 's/^project(orbalune3d VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
set -- -V2 -DVERSION="$version" -DSCR64="$scr64" -DHELP="$root/docs/ob3d_help.htm" \
  -DOUTFILE="$setup"
[ -n "$scr32" ] && set -- "$@" -DSCR32="$scr32"
makensis "$@" "$root/installer/orbalune3d.nsi" >/dev/null
echo "Built $setup"
