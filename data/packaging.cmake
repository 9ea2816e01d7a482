# SPDX-License-Identifier: GPL-3.0-or-later
# The .deb (cpack -G DEB in the build folder) and the source tarball
# (cpack --config CPackSourceConfig.cmake -G TXZ).
#
# The .deb's dependencies are the packages of the libraries the programs and
# the gpsim module link, as dpkg-shlibdeps finds them (Qt6 Widgets, Gui,
# PrintSupport, Core, the C++ runtime, and gpsim for the module's libgpsim),
# plus gputils, whose gpasm the programs run, and gpsim when no module is
# built to bring it. The install prefix is CPack's default for a .deb, /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "Velmora Project")
set(CPACK_PACKAGE_CONTACT "Velmora Project <packaging@velmora.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://velmora.org/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Basic translator and simulator for the PIC16F84 microcontroller")
# The English description the archive requires; the Italian one is in the
# AppStream metadata's translations.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Velmora is a teaching tool for school: students write programs in a small\n"
       "Basic dialect made for the PIC16F84, and Velmora translates them into\n"
       "assembly source for gpasm, with a report of the program memory, RAM,\n"
       "variables and stack levels used. The programs run on gpsim in a simulator\n"
       "window with breakpoints, input lines, variables and timing.\n"
       "\n"
       "The package holds the desktop program (velmora), with help pages, a guide,\n"
       "examples and timing calculators, and the command-line translator\n"
       "(velmorac), which also grades the programs of a whole class against an\n"
       "exercise file. The interface is in Italian.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TARGET velmora_gpsim)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "gputils")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "gputils, gpsim")
endif()
# Qt's own Italian texts (context menus, standard dialogs); gpsim's manual.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "gpsim-doc")
# Read by lintian from the installed tree; each override says why.
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME velmora)

# The source tarball: velmora-VERSION/ at the top, the tracked tree without
# build folders, editor leftovers or the repository itself.
set(CPACK_SOURCE_GENERATOR TXZ)
set(CPACK_SOURCE_PACKAGE_FILE_NAME velmora-${PROJECT_VERSION})
set(CPACK_SOURCE_IGNORE_FILES
    "/\\\\.git/" "/\\\\.git$" "/\\\\.gitignore$" "/\\\\.ci/"
    "^${PROJECT_SOURCE_DIR}/build[^/]*/" "^${PROJECT_SOURCE_DIR}/out/"
    "/_CPack_Packages/" "\\\\.swp$" "~$" "/compile_commands\\\\.json$"
    "/CMakeCache\\\\.txt$" "/CMakeFiles/" "\\\\.tar\\\\.xz$" "\\\\.deb$")
if(NOT PROJECT_BINARY_DIR STREQUAL PROJECT_SOURCE_DIR)
  list(APPEND CPACK_SOURCE_IGNORE_FILES "^${PROJECT_BINARY_DIR}/")
endif()
include(CPack)
