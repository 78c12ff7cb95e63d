# Cross-compiling for Windows with Debian's MinGW-w64 (posix threads, so that
# std::thread and std::mutex work), for 64-bit (default) or 32-bit Windows:
#   -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DOB3D_WINDOWS_ARCH=i686
# OB3D_WINDOWS_DEPS names the folder where tools/setup-windows.sh installed
# the cross-built libraries (libjpeg-turbo, zlib, libpng, GoogleTest).
set(OB3D_WINDOWS_ARCH "x86_64" CACHE STRING "x86_64 or i686")
set(OB3D_WINDOWS_DEPS "${CMAKE_CURRENT_LIST_DIR}/../build-windows-deps/${OB3D_WINDOWS_ARCH}/prefix"
    CACHE PATH "prefix of the cross-built libraries")
# try_compile projects read this file again and need the same choices.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES OB3D_WINDOWS_ARCH OB3D_WINDOWS_DEPS)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${OB3D_WINDOWS_ARCH})
set(triplet ${OB3D_WINDOWS_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triplet} ${OB3D_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs run under Wine: its 64-bit loader, or the 32-bit one when
# Debian's i386 Wine is installed.
if(OB3D_WINDOWS_ARCH STREQUAL "i686")
  set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine)
else()
  set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
endif()
