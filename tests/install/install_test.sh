#!/bin/sh
# Installs the build into a temporary prefix and checks what a Linux desktop
# and XScreenSaver find there: the program and its XScreenSaver link, the
# settings description, the menu entry and its icons, the manual page and
# the documents.
#   install_test.sh BUILD_DIR
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/orbalune3d libexec/xscreensaver/orbalune3d \
    share/xscreensaver/config/orbalune3d.xml \
    share/applications/orbalune3d-settings.desktop \
    share/icons/hicolor/48x48/apps/orbalune3d.png \
    share/icons/hicolor/128x128/apps/orbalune3d.png \
    share/icons/hicolor/256x256/apps/orbalune3d.png \
    share/man/man6/orbalune3d.6.gz \
    share/doc/orbalune3d/README.md share/doc/orbalune3d/ob3d_help.htm \
    share/doc/orbalune3d/copyright \
    share/doc/orbalune3d/changelog.gz; do
  [ -e "$prefix/$file" ] || fail "$file is not installed"
done

# XScreenSaver runs the display program from its own folder.
[ -L "$prefix/libexec/xscreensaver/orbalune3d" ] || fail "the XScreenSaver entry is not a link"
ORBALUNE3D_HOME=$prefix "$prefix/libexec/xscreensaver/orbalune3d" --help >/dev/null ||
  fail "the program does not run through the XScreenSaver link"

desktop-file-validate "$prefix/share/applications/orbalune3d-settings.desktop" ||
  fail "the desktop entry does not validate"
grep -qx 'Exec=orbalune3d -c' "$prefix/share/applications/orbalune3d-settings.desktop" ||
  fail "the desktop entry does not open the settings"

xmllint --noout "$prefix/share/xscreensaver/config/orbalune3d.xml" ||
  fail "orbalune3d.xml is not well-formed"

warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l \
  "$prefix/share/man/man6/orbalune3d.6.gz" 2>&1 >/dev/null) || fail "man cannot render the page"
[ -z "$warnings" ] || fail "man warns: $warnings"
LC_ALL=C.UTF-8 man -l "$prefix/share/man/man6/orbalune3d.6.gz" 2>/dev/null |
  grep -q -- '-no-clouds' || fail "the manual page does not list the flags"

if [ "$failures" -ne 0 ]; then
  echo "0 passed, $failures failed"
  exit 1
fi
echo "install test: every installed file is in place"
