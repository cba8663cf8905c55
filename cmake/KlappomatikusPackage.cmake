# Debian package of the installed tree: `cpack -G DEB` in the build
# directory (or `cmake --build build --target package`).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME klappomatikus)
set(CPACK_PACKAGE_VENDOR "Klappomatikus-Team")
set(CPACK_PACKAGE_CONTACT "Klappomatikus-Team <info@klappo.de>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small reaction-time test with a German user interface")
# Kept free of quotes and semicolons, which CPack would split as a list.
set(CPACK_PACKAGE_DESCRIPTION
    "Wait for the red circle and click the big button as fast as you can. The time is shown in seconds with three decimals, followed by a joking verdict.")
set(CPACK_PACKAGE_HOMEPAGE_URL ${KLAPPOMATIKUS_HOMEPAGE})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY klappomatikus)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program links come from dpkg-shlibdeps; the window's
# texts are laid out for Liberation Sans 2, which no library pulls in
# (Debian 12 ships it as fonts-liberation2, Debian 13 as fonts-liberation).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation (>= 1:2) | fonts-liberation2")

include(CPack)
