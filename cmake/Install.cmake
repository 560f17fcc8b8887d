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

# Debian's documentation files: copyright, changelog and manual page, compressed as policy asks.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(package_doc ${CMAKE_BINARY_DIR}/package-doc)
add_custom_command(OUTPUT ${package_doc}/changelog.gz ${package_doc}/velmora.1.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${package_doc}
  COMMAND ${GZIP_PROGRAM} -9nc ${CMAKE_SOURCE_DIR}/data/package/changelog > ${package_doc}/changelog.gz
  COMMAND ${GZIP_PROGRAM} -9nc ${CMAKE_SOURCE_DIR}/data/package/velmora.1 > ${package_doc}/velmora.1.gz
  DEPENDS ${CMAKE_SOURCE_DIR}/data/package/changelog ${CMAKE_SOURCE_DIR}/data/package/velmora.1)
add_custom_target(velmora_package_doc ALL DEPENDS ${package_doc}/changelog.gz ${package_doc}/velmora.1.gz)
install(FILES ${CMAKE_SOURCE_DIR}/data/package/copyright ${package_doc}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velmora)
install(FILES ${package_doc}/velmora.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "The Velmora developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Ambient-soundscape mixer for the Linux desktop")
# No public address exists yet; whoever distributes the package sets theirs.
set(VELMORA_PACKAGE_CONTACT "The Velmora developers <velmora@localhost>" CACHE STRING
  "Maintainer of the Debian package")
set(CPACK_PACKAGE_CONTACT "${VELMORA_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Velmora builds a soundscape from sound banks and plays it for hours: looping
backgrounds (rain, wind, sea, streams, forest, fire) drift slowly in volume
inside ranges you set, one-shot sounds (birds, insects, frogs, animals,
weather) fire at random moments with random pan and volume, and sixteen steady
tones play underneath. Soundscapes are saved as scenarios and recalled from a
list or preset buttons. Every sound is synthesised and ships with the program.")
# The program keeps its symbols in the build tree; the package carries stripped copies.
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
# The libraries the program links (Qt, PortAudio, libsndfile, FFmpeg, ...) become the
# package's dependencies as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
