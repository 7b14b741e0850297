# Installation and the Debian package. The executable looks for its data at ../share/groundline
# beside itself, so the two destinations below stay fixed whatever GNUInstallDirs would choose.

set(GROUNDLINE_ID org.groundline.Groundline)

install(TARGETS groundline RUNTIME DESTINATION bin)
# The desktop icons live in data/ because the generator makes them, but the game never reads them.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION share/groundline PATTERN icons EXCLUDE)
foreach(size 16 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/data/icons/groundline-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME groundline.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${GROUNDLINE_ID}.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${GROUNDLINE_ID}.metainfo.xml DESTINATION share/metainfo)

# Debian ships manual pages compressed, without a time stamp in the gzip header.
find_program(GZIP gzip)
if(NOT GZIP)
  message(FATAL_ERROR "gzip is needed for the manual page")
endif()
set(MAN_PAGE ${CMAKE_BINARY_DIR}/groundline.6)
add_custom_command(OUTPUT ${MAN_PAGE}.gz
                   COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/packaging/groundline.6 ${MAN_PAGE}
                   COMMAND ${GZIP} -9nf ${MAN_PAGE}
                   DEPENDS ${CMAKE_SOURCE_DIR}/packaging/groundline.6 VERBATIM)
add_custom_target(groundline_man ALL DEPENDS ${MAN_PAGE}.gz)
install(FILES ${MAN_PAGE}.gz DESTINATION share/man/man6)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME groundline)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Groundline developers")
set(CPACK_PACKAGE_CONTACT "The Groundline developers <groundline@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tower defence against waves of alien invaders")
set(CPACK_PACKAGE_DESCRIPTION
    "Waves of alien invaders march down the sky towards the ground line. Build laser turrets, \
missile turrets and tesla coils along it, upgrade, repair and sell them, and hold out for as many \
waves as you can.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The library packages (Allegro 4, zlib, the C++ runtime) come from dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
