# Installation as a Linux screensaver (GNU install directories) and the
# Debian package made from the same rules: `cmake --install build` or
# `cpack -G DEB` in the build folder.
include(GNUInstallDirs)

install(TARGETS orbalune3d RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# XScreenSaver looks for its display programs in their own folder (Debian's
# layout); a relative link keeps the installed tree movable.
set(OB3D_HACK_DIR ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
file(RELATIVE_PATH OB3D_HACK_TO_BIN /${OB3D_HACK_DIR} /${CMAKE_INSTALL_BINDIR}/orbalune3d)
install(CODE "
  set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${OB3D_HACK_DIR}/orbalune3d\")
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${OB3D_HACK_DIR}\")
  file(CREATE_LINK \"${OB3D_HACK_TO_BIN}\" \"\${link}\" SYMBOLIC)
  message(STATUS \"Installing: \${link}\")")

install(FILES resources/desktop/orbalune3d-settings.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 48 128 256)
  install(FILES resources/icons/orbalune3d-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME orbalune3d.png)
endforeach()

# XScreenSaver's settings description and the manual page's list of flags
# come from the table the program reads its flags with. The tool runs with
# a folder of its own for the options store, never the user's.
add_executable(ob3d_describe_flags tools/describe_flags/describe_flags.cpp)
target_link_libraries(ob3d_describe_flags PRIVATE ob3d)
set(OB3D_DESCRIBE_HOME ${CMAKE_BINARY_DIR}/describe_flags_home)
set(OB3D_DESCRIBE ${CMAKE_COMMAND} -E env ORBALUNE3D_HOME=${OB3D_DESCRIBE_HOME}
    $<TARGET_FILE:ob3d_describe_flags>)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/orbalune3d.xml ${CMAKE_BINARY_DIR}/orbalune3d.6
  COMMAND ${CMAKE_COMMAND} -E make_directory ${OB3D_DESCRIBE_HOME}
  COMMAND ${OB3D_DESCRIBE} xml ${CMAKE_BINARY_DIR}/orbalune3d.xml
  COMMAND ${OB3D_DESCRIBE} manual ${CMAKE_SOURCE_DIR}/docs/orbalune3d.6.in
          ${CMAKE_BINARY_DIR}/orbalune3d.6
  DEPENDS ob3d_describe_flags ${CMAKE_SOURCE_DIR}/docs/orbalune3d.6.in VERBATIM)
install(FILES ${CMAKE_BINARY_DIR}/orbalune3d.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)

# The manual page and the change log, compressed as Debian wants them.
function(ob3d_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND gzip -9n -c ${source} > ${output}
    DEPENDS ${source} VERBATIM)
endfunction()
ob3d_gzip(${CMAKE_BINARY_DIR}/orbalune3d.6 ${CMAKE_BINARY_DIR}/orbalune3d.6.gz)
ob3d_gzip(${CMAKE_SOURCE_DIR}/docs/changelog ${CMAKE_BINARY_DIR}/changelog.gz)
add_custom_target(installed_docs ALL DEPENDS ${CMAKE_BINARY_DIR}/orbalune3d.xml
  ${CMAKE_BINARY_DIR}/orbalune3d.6.gz ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/orbalune3d.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

install(FILES README.md docs/ob3d_help.htm docs/copyright ${CMAKE_BINARY_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The Debian package: dependencies from the binary's libraries
# (dpkg-shlibdeps), files under /usr.
set(CPACK_PACKAGE_NAME orbalune3d)
set(CPACK_PACKAGE_VENDOR "Vantrel")
set(CPACK_PACKAGE_CONTACT "Vantrel <orbalune3d@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Earth, Moon and Sun where they really are, as a screensaver")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Orbalune 3D draws the Earth, the Moon and the Sun where they really are, in
real time: the lit half of the globe follows the Sun and the Moon shows its
true phase. Clouds, an atmosphere halo, nebulae, stars, a lens flare, city
markers and clocks surround them.

It runs full-screen on its own, as an XScreenSaver display program, or
offscreen to write a picture, and has a settings window of its own.")
set(CPACK_PACKAGE_FILE_NAME "orbalune3d_${PROJECT_VERSION}_amd64")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS xscreensaver)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.example.org/orbalune3d/")
set(CPACK_STRIP_FILES ON)
include(CPack)
