#!/bin/sh
# Makes the Debian package from a build folder (default build/) and checks
# it with lintian: any error fails.
#   tools/package-debian.sh [BUILD_DIR]
set -e
cd "$(dirname "$0")/.."
dir=${1:-build}
rm -f "$dir"/orbalune3d_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
package=$(ls "$dir"/orbalune3d_*_amd64.deb)
echo "Debian package: $package"
# lintian warns that it runs as root; that says nothing about the package.
report=$(lintian --tag-display-limit 0 "$package" 2>&1 | grep -v 'running with root privileges' || true)
[ -n "$report" ] && echo "$report"
if echo "$report" | grep -q '^E: '; then
  echo "error: lintian found errors in $package" >&2
  exit 1
fi
echo "lintian: no errors"
