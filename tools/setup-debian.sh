#!/bin/sh
# Installs the Debian packages that building, running and testing need,
# and any further packages named as arguments (tools/setup-windows.sh).
# As root it runs apt-get itself; otherwise it prints the exact command.
set -e

PACKAGES="cmake ninja-build g++ pkg-config googletest libgtest-dev
  libjpeg62-turbo-dev libpng-dev libgl-dev libglu1-mesa-dev libegl-dev
  libegl-mesa0 libgl1-mesa-dri libx11-dev libxss-dev libgtk-3-dev
  xvfb xauth xdotool x11-utils shared-mime-info xscreensaver
  desktop-file-utils libxml2-utils man-db dpkg-dev lintian
  libxrandr-dev xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils imagemagick $*"

missing=""
for package in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
    missing="$missing $package"
  fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" = 0 ]; then
  echo "Installing:$missing"
  export DEBIAN_FRONTEND=noninteractive
  apt-get -o DPkg::Lock::Timeout=600 update -qq
  # shellcheck disable=SC2086
  apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends $missing
else
  echo "Missing Debian packages. Install them with:"
  echo "  sudo apt-get -o DPkg::Lock::Timeout=600 install -y$missing"
  exit 1
fi
