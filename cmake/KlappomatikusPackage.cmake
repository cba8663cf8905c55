# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Debian package of the installed tree: `cpack -G DEB` in the build
# directory (or `cmake --build build --target package`).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME klappomatikus)
set(CPACK_PACKAGE_VENDOR "Klappomatikus-Team")
set(KLAPPOMATIKUS_CONTACT "Klappomatikus-Team <info@klappo.de>")
set(CPACK_PACKAGE_CONTACT ${KLAPPOMATIKUS_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "graphical reaction-time game with a German user interface")
# Kept free of quotes and semicolons, which CPack would split as a list;
# Debian wants its lines at most 80 characters long.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Klappomatikus is a small desktop game that measures how quickly you react."
    "After a random wait of one to six seconds a red circle appears in its"
    "window, and the player clicks a big button as fast as possible. The time"
    "is shown in seconds with three decimals, together with a joking verdict."
    "The user interface is in German.")
set(CPACK_PACKAGE_HOMEPAGE_URL ${KLAPPOMATIKUS_HOMEPAGE})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY klappomatikus)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_KLAPPOMATIKUS_OBJCOPY ${CMAKE_OBJCOPY})
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/KlappomatikusPackageStrip.cmake)
# Directories that the install rules create implicitly follow the umask,
# which is 002 for many users; the package's must be 0755.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Not "games": Debian puts the programs of that section into /usr/games,
# which is not on every user's search path (root's, for one); the program
# stays in /usr/bin like any desktop application.
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program links come from dpkg-shlibdeps; the window's
# texts are laid out for Liberation Sans 2, which no library pulls in
# (Debian 12 ships it as fonts-liberation2, Debian 13 as fonts-liberation).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation (>= 1:2) | fonts-liberation2")
# Qt opens the homepage link through xdg-open, else the browser named in
# $BROWSER; the game works without either.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)

include(GNUInstallDirs)

# The documentation folder Debian requires: the machine-readable copyright
# file and the changelog, made from the metainfo's release list. They are
# for this project's own package, which always has them; a distribution's
# tools write their own, so `cmake --install` leaves them out unless asked.
option(KLAPPOMATIKUS_INSTALL_DEBIAN_DOCS
    "cmake --install also writes the Debian copyright file and changelog" OFF)
set(KLAPPOMATIKUS_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})
# The template's own licence lines go: the copyright format has no comments.
file(READ ${PROJECT_SOURCE_DIR}/data/copyright.in copyright_template)
string(REGEX REPLACE "^(#[^\n]*\n)+\n" "" copyright_template "${copyright_template}")
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/data/copyright CONTENT "${copyright_template}" @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/copyright.in)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(changelog ${PROJECT_BINARY_DIR}/data/changelog.gz)
add_custom_command(OUTPUT ${changelog}
    COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/scripts/metainfo-changelog.py
            ${KLAPPOMATIKUS_METAINFO} ${CPACK_PACKAGE_NAME} ${PROJECT_VERSION}
            ${KLAPPOMATIKUS_CONTACT} ${changelog}
    DEPENDS ${PROJECT_SOURCE_DIR}/scripts/metainfo-changelog.py ${KLAPPOMATIKUS_METAINFO}
    COMMENT "Writing the changelog from the metainfo's releases"
    VERBATIM)
add_custom_target(klappomatikus_changelog ALL DEPENDS ${changelog})
if(KLAPPOMATIKUS_INSTALL_DEBIAN_DOCS)
    set(debian_docs_exclusion)
else()
    set(debian_docs_exclusion EXCLUDE_FROM_ALL)
endif()
install(FILES ${PROJECT_BINARY_DIR}/data/copyright ${changelog}
        DESTINATION ${KLAPPOMATIKUS_DOC_DIR}
        COMPONENT debian_docs ${debian_docs_exclusion})
# The package: everything `cmake --install` writes, and the documentation.
set(CPACK_INSTALL_CMAKE_PROJECTS
    ${PROJECT_BINARY_DIR} ${PROJECT_NAME} ALL /
    ${PROJECT_BINARY_DIR} ${PROJECT_NAME} debian_docs /)

include(CPack)
