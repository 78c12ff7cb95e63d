#!/bin/sh
# Runs a Windows test program under Wine the way with_home.sh runs a Linux
# one: with an empty program folder of its own (ORBALUNE3D_HOME) and no
# options left in the registry by an earlier run. WINEPREFIX and DISPLAY
# come from the caller (tools/test-windows.sh).
loader=/usr/lib/wine/wine64
[ -n "$OB3D_WINE" ] && loader=$OB3D_WINE
home=$(mktemp -d "${TMPDIR:-/tmp}/ob3d-wine-test.XXXXXX") || exit 1
"$loader" reg delete 'HKCU\Software\Vantrel\Orbalune 3D' /f >/dev/null 2>&1
ORBALUNE3D_HOME=Z:$home "$loader" "$@"
status=$?
rm -rf "$home"
exit $status
