# Sourced by the scripts that take pictures of the Windows program under
# Wine, from the repository's root with the build folder as $1 (default
# build-windows) and a name for the temporary program folder in $picture_kind.
# Sets scr (the program), the Wine variables and ORBALUNE3D_HOME (in $home),
# making the Wine prefix when it is missing.
build=${1:-build-windows}
scr=$PWD/$build/orbalune3d.scr
[ -f "$scr" ] || { echo "no $scr: build it first (tools/build-windows.sh)" >&2; exit 1; }
WINEPREFIX=${WINEPREFIX:-$PWD/$build/wineprefix}
WINEDEBUG=-all
WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
[ -d "$WINEPREFIX" ] || /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
home=$(mktemp -d "${TMPDIR:-/tmp}/ob3d-$picture_kind.XXXXXX")
export ORBALUNE3D_HOME="Z:$home" build scr
