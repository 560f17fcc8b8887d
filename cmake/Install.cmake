# The installed layout: the program folder (the program, the recorder and the factory tree
# beside them, read-only) under lib/velmora, a command on the path, and the desktop entry
# and icon. A read-only program folder makes Velmora keep a per-user copy of what it
# writes, so nothing under the prefix is ever changed by running it.
include(GNUInstallDirs)
set(VELMORA_INSTALL_PROGRAM_DIR ${CMAKE_INSTALL_LIBDIR}/velmora)

install(TARGETS velmora recorder updater RUNTIME DESTINATION ${VELMORA_INSTALL_PROGRAM_DIR})
# Only the generated factory tree: state files a test run may have left in the build's
# program folder are no part of an installation.
foreach(folder bin config help soundbanks visual)
  install(DIRECTORY ${VELMORA_PROGRAM_DIR}/${folder} DESTINATION ${VELMORA_INSTALL_PROGRAM_DIR}
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endforeach()
# The command on the path is a link: the program finds its folder through the real file.
install(CODE "
  set(dest \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(MAKE_DIRECTORY \"\${dest}\")
  file(CREATE_LINK ../${VELMORA_INSTALL_PROGRAM_DIR}/velmora \"\${dest}/velmora\" SYMBOLIC)
")
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/velmora.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/velmora.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${VELMORA_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/velmora.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "The Velmora developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Ambient-soundscape mixer for the Linux desktop")
set(CPACK_PACKAGE_CONTACT "Velmora developers <velmora@localhost>")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
# The libraries the program links (Qt, PortAudio, libsndfile, FFmpeg, ...) become the
# package's dependencies as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
