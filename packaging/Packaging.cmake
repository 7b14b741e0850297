# Installation and the Debian package, in Debian's layout for games: the executables in games/,
# the data in share/games/groundline, the manual pages in section 6. The game looks for its data
# at ../share/games/groundline beside itself, so these destinations stay fixed whatever
# GNUInstallDirs would choose.

set(GROUNDLINE_ID org.groundline.Groundline)

install(TARGETS groundline groundline-sim RUNTIME DESTINATION games)
# The compilers' version strings are of no use to a player, and distributions drop them.
install(CODE "foreach(exe groundline groundline-sim)
  execute_process(COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment
                          \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/games/\${exe}\")
endforeach()")
# The desktop icons live in data/ because the generator makes them, but the game never reads them.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION share/games/groundline PATTERN icons EXCLUDE)
foreach(size 16 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/data/icons/groundline-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME groundline.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${GROUNDLINE_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION share/doc/groundline)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/lintian-overrides DESTINATION share/lintian/overrides
        RENAME groundline)

# The desktop entry names the executable by its full path, known only once the prefix is: a
# desktop session's PATH often lacks games/. cpack installs with its own prefix (/usr) too. The
# mode is stated: configure_file would copy the source's, group-writable from some tarballs.
install(CODE "configure_file(${CMAKE_SOURCE_DIR}/packaging/${GROUNDLINE_ID}.desktop.in
  \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/share/applications/${GROUNDLINE_ID}.desktop\" @ONLY
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)")

# Debian ships manual pages and change logs compressed, without a time stamp in the gzip header.
find_program(GZIP gzip)
if(NOT GZIP)
  message(FATAL_ERROR "gzip is needed for the manual pages and the change log")
endif()
set(GZIPPED)
foreach(source groundline.6 groundline-sim.6 changelog)
  set(copy ${CMAKE_BINARY_DIR}/packaging/${source})
  add_custom_command(OUTPUT ${copy}.gz
                     COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/packaging/${source} ${copy}
                     COMMAND ${GZIP} -9nf ${copy}
                     DEPENDS ${CMAKE_SOURCE_DIR}/packaging/${source} VERBATIM)
  list(APPEND GZIPPED ${copy}.gz)
endforeach()
add_custom_target(groundline_gzipped ALL DEPENDS ${GZIPPED})
install(FILES ${CMAKE_BINARY_DIR}/packaging/groundline.6.gz
              ${CMAKE_BINARY_DIR}/packaging/groundline-sim.6.gz DESTINATION share/man/man6)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz DESTINATION share/doc/groundline)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME groundline)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Groundline developers")
set(CPACK_PACKAGE_CONTACT "The Groundline developers <groundline@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tower defence against waves of alien invaders")
# Lines of at most 80 columns, as Debian's tools show them.
set(CPACK_PACKAGE_DESCRIPTION
    "Waves of alien invaders march down the night sky towards the ground line.
Build laser turrets, missile turrets and tesla coils along it, upgrade,
repair and sell them, and hold out for as many waves as you can. Every
tenth wave is a boss.
.
The game is played with the mouse in a window of 640x480 pixels (or 320x240
times 1 to 4). Play-throughs can be recorded and replayed, and
groundline-sim plays the game without a window to try out strategies.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The library packages (Allegro 4, zlib, the C++ runtime) come from dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
