# Installation and the Debian package.
#
# The program's folder is its application folder (the base, the ini file and
# the data folder lie beside the executable), so everything goes into
# <prefix>/lib/kodrix, with the command in <prefix>/bin linking to it. Installed
# for every user, that folder cannot be written: the program then opens the
# base for reading and keeps unpacked attachments in the user's own cache.
#   cmake --preset package && cmake --build --preset package && cpack --preset package
set(KODRIX_APP_DIR lib/kodrix)

install(TARGETS kodrix kodrix-base RUNTIME DESTINATION ${KODRIX_APP_DIR})
install(FILES ${CMAKE_BINARY_DIR}/bin/basemain.mdb ${CMAKE_BINARY_DIR}/bin/orvex.ini DESTINATION ${KODRIX_APP_DIR})
install(FILES ${CMAKE_BINARY_DIR}/bin/data/zvcreatedir DESTINATION ${KODRIX_APP_DIR}/data)
# Relative links, so the tree can be moved (DESTDIR, a package).
install(CODE [[
  set(bin "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin")
  file(MAKE_DIRECTORY "${bin}")
  foreach(tool kodrix kodrix-base)
    file(REMOVE "${bin}/${tool}")
    file(CREATE_LINK "../lib/kodrix/${tool}" "${bin}/${tool}" SYMBOLIC)
    message(STATUS "Installing: ${bin}/${tool} -> ../lib/kodrix/${tool}")
  endforeach()
]])
install(FILES ${PROJECT_SOURCE_DIR}/packaging/kodrix.desktop DESTINATION share/applications)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/src/shell/icons/kodrix-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME kodrix.png)
endforeach()

set(CPACK_PACKAGE_NAME kodrix)
set(CPACK_PACKAGE_VENDOR "Zelvorant")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Visual Basic reference library (Russian) over an encrypted base")
set(CPACK_PACKAGE_DESCRIPTION
    "Kodrix is a desktop reference of articles, examples and programs on Visual Basic, with a Russian
 user interface: a catalogue tree, an alphabetical index, full-text search, attached files and
 see-also references, kept in one encrypted SQLCipher base. The package carries a demo base.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Zelvorant Kodrix <kodrix@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries' packages from what the binaries link (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own buttons in Russian, the desktop's opener for attachments and links.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils, fonts-dejavu-core")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
include(CPack)
