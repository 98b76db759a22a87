# Installing kanote as a desktop program (`cmake --install build`, prefix
# /usr/local unless told otherwise) and packing it for Debian (`cpack -G DEB`).
#
#   bin/kanote                                  the program
#   share/kanote/kanote.hlp                     its help file (found from bin/)
#   share/kanote/samples/sample.kno             the sample address book
#   share/applications/org.kanote.kanote.desktop
#   share/icons/hicolor/{scalable,NxN}/apps/    the icon, SVG and PNG sizes
#   share/mime/packages/org.kanote.kanote.xml   *.kno = application/x-kanote-book
#   share/metainfo/org.kanote.kanote.metainfo.xml
#
# The postal-code data is built into the program. Settings are written where
# the user may write (the program falls back to the configuration folder).
include(GNUInstallDirs)

set(KANOTE_ID org.kanote.kanote)
set(desktop ${CMAKE_SOURCE_DIR}/resources/desktop)
configure_file(${desktop}/${KANOTE_ID}.metainfo.xml ${CMAKE_BINARY_DIR}/${KANOTE_ID}.metainfo.xml @ONLY)

install(TARGETS kanote RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/resources/kanote.hlp DESTINATION ${CMAKE_INSTALL_DATADIR}/kanote)
install(FILES ${CMAKE_SOURCE_DIR}/samples/sample.kno DESTINATION ${CMAKE_INSTALL_DATADIR}/kanote/samples)
install(FILES ${desktop}/${KANOTE_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop}/${KANOTE_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
  install(FILES ${desktop}/icon-${size}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${KANOTE_ID}.png)
endforeach()
install(FILES ${desktop}/${KANOTE_ID}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${KANOTE_ID}.xml)
install(FILES ${CMAKE_BINARY_DIR}/${KANOTE_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/resources/postal-LICENSE.txt DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The Debian package installs under /usr; Debian's triggers refresh the MIME,
# desktop and icon caches, so it needs no scripts of its own.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kanote)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "kanote developers <kanote@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Japanese address book that prints addresses on postcards")
set(CPACK_PACKAGE_DESCRIPTION "かのて住所録 (kanote) keeps addresses in its own file of fixed-length records or
in delimited text files, exchanges them with other programs as CSV or vCard,
and prints addresses onto postcards, vertically or horizontally.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libc6, libstdc++6, libgcc-s1, libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6printsupport6 (>= 6.4), libqt6network6 (>= 6.4), qt6-qpa-plugins, fonts-ipafont-mincho, fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, poppler-utils, fcitx5-frontend-qt6 | ibus")
include(CPack)
