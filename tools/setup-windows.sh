#!/bin/sh
# Installs what the Windows build needs and cross-builds its libraries.
#   tools/setup-windows.sh [x86_64|i686]...   (default: both)
# Debian packages go through tools/setup-debian.sh (as root it installs
# them, otherwise it prints the command). The libraries are built only when
# missing, into build-windows-deps/<arch>/prefix: libjpeg-turbo, zlib and
# libpng from Debian's own source packages (fetched once with apt-get source
# through a private deb-src list), GoogleTest from /usr/src/googletest.
set -e
cd "$(dirname "$0")/.."
root=$PWD
deps=$root/build-windows-deps

# Beside the Linux build's packages: the cross compilers, nasm for
# libjpeg-turbo's SIMD code, dpkg-dev to unpack Debian's sources, Wine and
# the X libraries it loads, ImageMagick for screenshots, NSIS for the
# installer.
PACKAGES="make nasm dpkg-dev g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine64 libglx-mesa0 libxcomposite1 libxcursor1 libxi6 libxinerama1 libxrandr2
  libxrender1 libxxf86vm1 imagemagick nsis"
SOURCES="libjpeg-turbo zlib libpng1.6"

# apt-get with a source list of its own: the machine's Debian suites with
# deb-src added, so that nothing in /etc/apt changes.
private_apt() {
  apt_dir=$deps/apt
  mkdir -p "$apt_dir/parts" "$apt_dir/lists/partial"
  if [ ! -s "$apt_dir/parts/debian-src.sources" ]; then
    for list in /etc/apt/sources.list.d/*.sources; do
      grep -q 'debian' "$list" || continue
      sed 's/^Types:.*/Types: deb-src/' "$list"
      echo
    done > "$apt_dir/parts/debian-src.sources"
  fi
  apt-get -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$apt_dir/parts" \
    -o Dir::State::Lists="$apt_dir/lists" -o APT::Sandbox::User=root "$@"
}

# The newest source of the package, or the release's own when a mirror
# lacks the update's source.
fetch_source() {
  private_apt source -qq "$1" >/dev/null 2>&1 ||
    private_apt source -qq "$1/$(. /etc/os-release && echo "$VERSION_CODENAME")" >/dev/null
}

# Unpacks Debian's source of each library once, into build-windows-deps/src.
fetch_sources() {
  mkdir -p "$deps/src"
  for source in $SOURCES; do
    [ -f "$deps/src/$source.dir" ] && continue
    [ -f "$deps/apt/updated" ] || { private_apt update -qq && touch "$deps/apt/updated"; }
    (cd "$deps/src" && fetch_source "$source")
    folder=$(find "$deps/src" -maxdepth 1 -type d -name "${source%1.6}*-*" | sort | tail -1)
    [ -n "$folder" ] || { echo "error: no source of $source" >&2; exit 1; }
    echo "$folder" > "$deps/src/$source.dir"
  done
}

source_dir() { cat "$deps/src/$1.dir"; }

cmake_build() {
  arch=$1 name=$2 source=$3
  shift 3
  cmake -S "$source" -B "$deps/$arch/build/$name" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DOB3D_WINDOWS_ARCH="$arch" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps/$arch/prefix" "$@" >/dev/null
  cmake --build "$deps/$arch/build/$name" >/dev/null
  cmake --install "$deps/$arch/build/$name" >/dev/null
}

build_jpeg() {
  cmake_build "$1" jpeg "$(source_dir libjpeg-turbo)" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF
}

# zlib's library is its C files compiled as they are (Debian's source has
# no MinGW makefile, and its CMake build adds a DLL).
build_zlib() {
  arch=$1
  source=$(source_dir zlib) build=$deps/$arch/build/zlib prefix=$deps/$arch/prefix
  mkdir -p "$build" "$prefix/lib" "$prefix/include"
  for file in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast \
    inflate inftrees trees uncompr zutil; do
    "$arch-w64-mingw32-gcc-posix" -O2 -c "$source/$file.c" -o "$build/$file.o"
  done
  rm -f "$build/libz.a"
  "$arch-w64-mingw32-ar" rcs "$build/libz.a" "$build"/*.o
  cp "$build/libz.a" "$prefix/lib/"
  cp "$source/zlib.h" "$source/zconf.h" "$prefix/include/"
}

build_png() {
  prefix=$deps/$1/prefix
  cmake_build "$1" png "$(source_dir libpng1.6)" \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_INCLUDE_DIR="$prefix/include" -DZLIB_LIBRARY="$prefix/lib/libz.a"
}

build_gtest() {
  cmake_build "$1" gtest /usr/src/googletest -DBUILD_GMOCK=ON -Dgtest_disable_pthreads=OFF
}

# Builds one library for one architecture unless its file is there.
build_once() {
  arch=$1 library=$2 step=$3
  [ -f "$deps/$arch/prefix/lib/$library" ] && return 0
  echo "Cross-building $library for $arch"
  "$step" "$arch"
}

# shellcheck disable=SC2086
tools/setup-debian.sh $PACKAGES
fetch_sources
[ $# -eq 0 ] && set -- x86_64 i686
for arch in "$@"; do
  build_once "$arch" libjpeg.a build_jpeg
  build_once "$arch" libz.a build_zlib
  build_once "$arch" libpng16.a build_png
  build_once "$arch" libgtest.a build_gtest
done
