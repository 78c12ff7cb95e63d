# The Windows build (MinGW-w64, cmake/mingw-w64.cmake): the Win32 backends,
# the cross-built libraries, and the screensaver module orbalune3d.scr with
# its resources. Sets OB3D_PLATFORM_SOURCES and OB3D_PLATFORM_LIBRARIES.
find_package(Threads REQUIRED)
find_package(JPEG REQUIRED)
find_package(ZLIB REQUIRED)
find_package(PNG REQUIRED)
find_package(GTest REQUIRED)

# One self-contained file: the C and C++ runtimes and winpthread are linked
# in, so no DLL has to stand beside the module.
add_link_options(-static -static-libgcc -static-libstdc++)
add_compile_definitions(
  # printf with %zu and %lld on every Windows version (MinGW's own stdio).
  __USE_MINGW_ANSI_STDIO=1
  # gmtime_r and localtime_r, and timegm under the runtime's name.
  _POSIX_THREAD_SAFE_FUNCTIONS
  timegm=_mkgmtime
  # M_PI and the other constants of <cmath>.
  _USE_MATH_DEFINES
  # Windows XP and later: the oldest system MinGW-w64's runtime supports.
  _WIN32_WINNT=0x0501
  WINVER=0x0501)
# The formats are checked in the Linux build; here GCC would check them
# against the Microsoft runtime's printf, which the program does not use.
add_compile_options(-Wno-format)
# <GL/gl.h> and <GL/glu.h> without <windows.h>, for the portable code.
include_directories(BEFORE SYSTEM ${CMAKE_SOURCE_DIR}/platform/win32_gl)

set(OB3D_PLATFORM_SOURCES "")
foreach(name IN ITEMS select command_line windows_version win32_wake_signal headless_window png_writer text_encoding
        win32_clock win32_system win32_resources win32_window win32_shell win32_dialog win32_password
        win32_page win32_page_template win32_page_lists win32_page_statics win32_page_choosers
        wgl_context wgl_pbuffer registry_store)
  list(APPEND OB3D_PLATFORM_SOURCES ${CMAKE_SOURCE_DIR}/platform/${name}.cpp)
endforeach()
set(OB3D_PLATFORM_LIBRARIES
  PNG::PNG ZLIB::ZLIB JPEG::JPEG Threads::Threads
  glu32 opengl32 gdi32 user32 advapi32 shell32 comctl32 comdlg32 imm32 winmm)

# The screensaver module: a GUI program named .scr, its icon, images,
# strings, dialog template, version and application manifest in the
# module's resources.
function(ob3d_make_screensaver target)
  target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/resources/orbalune3d.rc)
  set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON SUFFIX ".scr")
  set_property(SOURCE ${CMAKE_SOURCE_DIR}/resources/orbalune3d.rc APPEND PROPERTY
    OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/resources/manifest.txt;${CMAKE_SOURCE_DIR}/resources/orbalune3d.manifest")
endfunction()
