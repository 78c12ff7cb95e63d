#!/bin/sh
# Pictures of the Windows settings sheet's five pages under Wine:
# docs/windows-dialog-<page>.png. Each page is shown by storing its index
# as the page to open with, starting "orbalune3d.scr /c" on a private X
# server and capturing the sheet's window with ImageMagick's import.
# Usage: tools/windows-dialog-screenshots.sh [build folder] (build-windows)
set -e
cd "$(dirname "$0")/.."
picture_kind=sheet-pictures
. tools/wine-pictures-setup.sh
xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
  key="HKCU\\Software\\Vantrel\\Orbalune 3D"
  # Without a window manager, Wine draws the caption itself.
  /usr/lib/wine/wine64 reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f >/dev/null
  index=0
  for page in introduction overview controls cities music; do
    /usr/lib/wine/wine64 reg add "$key" /v CurrentConfigureSheet /t REG_DWORD /d $index /f >/dev/null
    /usr/lib/wine/wine64 "$scr" /c &
    settings=$!
    window=""
    for attempt in $(seq 1 120); do
      window=$(xdotool search --onlyvisible --name "^Orbalune 3D\$" 2>/dev/null | head -n 1) || true
      [ -n "$window" ] && break
      sleep 0.5
    done
    [ -n "$window" ] || { echo "no sheet for $page" >&2; kill $settings; exit 1; }
    sleep 2
    import -window "$window" "docs/windows-dialog-$page.png"
    kill $settings
    wait $settings || true
    index=$((index + 1))
  done
  /usr/lib/wine/wine64 reg delete "HKCU\\Software\\Wine\\X11 Driver" /v Managed /f >/dev/null
  /usr/lib/wine/wineserver -k'
rm -rf "$home"
