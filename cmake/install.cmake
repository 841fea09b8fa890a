# Installed under a prefix: the executable in bin, the help page in the data
# folder, and the files that make Quillon known to the desktop (menu entry,
# album file type, icon, software-centre entry) where freedesktop looks.
include(GNUInstallDirs)

set(QUILLON_APP_ID io.github.velloran.Quillon)
set(QUILLON_DATA_DIR ${CMAKE_INSTALL_DATADIR}/quillon)

# The running program finds the help page from its own folder, so the install
# may be moved to another prefix.
file(RELATIVE_PATH QUILLON_DATA_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/quillon)
set_property(SOURCE src/platform/this_program.cpp APPEND PROPERTY
  COMPILE_DEFINITIONS QUILLON_DATA_FROM_BIN="${QUILLON_DATA_FROM_BIN}")

configure_file(desktop/${QUILLON_APP_ID}.metainfo.xml ${CMAKE_BINARY_DIR}/${QUILLON_APP_ID}.metainfo.xml @ONLY)

install(TARGETS quillon RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES help/quillon-help.html DESTINATION ${QUILLON_DATA_DIR})
install(FILES desktop/${QUILLON_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES desktop/${QUILLON_APP_ID}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
  RENAME ${QUILLON_APP_ID}.xml)
install(FILES desktop/${QUILLON_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_BINARY_DIR}/${QUILLON_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# A Debian package of the installed files; its dependencies are read from the
# libraries the executable links (dpkg-shlibdeps), so they follow the build.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillon)
set(CPACK_PACKAGE_VENDOR Velloran)
set(CPACK_PACKAGE_CONTACT "Velloran <quillon@velloran.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "jukebox for a catalogue of railway sound recordings")
set(CPACK_PACKAGE_DESCRIPTION "Quillon lists the tracks of an album of railway sound recordings with their
recording dates and notes, plays one track, all tracks or random tracks,
keeps playlists, searches the track list and merges albums.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt opens no window without its platform plugins, which are a separate package.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
