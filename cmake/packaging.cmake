# The Debian package: `cpack -G DEB` in the build folder (or the `package` target) writes
# tesaro_<version>_<arch>.deb with everything `cmake --install` puts under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tesaro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tesaro")
set(CPACK_PACKAGE_CONTACT "Екипът на Tesaro / The Tesaro team <tesaro@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Жилищен регистър на общината / municipal housing register")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Жилищен регистър на общината / municipal housing register
 Картотека на домакинствата, нуждаещи се от общинско жилище: картони, членове,
 класиране, годишен списък, служебни бележки и износ на регистъра, над вграден
 регистър на Firebird.
 .
 The register of households in need of municipal housing: cards, members,
 ranking, the annual list, service notes and exports, over an embedded Firebird
 register. tesaro-admin creates registers, manages users and writes the
 documents from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program and its own libraries link are found by dpkg-shlibdeps. What they
# load at run time is named here, since no linker entry shows it: the embedded database engine
# (libEngine12.so) and Firebird's configuration, Qt's desktop platform plugin and its Bulgarian
# translations, and the font the printed documents fall back to.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "firebird3.0-server-core, firebird3.0-common, libfbclient2, qt6-qpa-plugins, qt6-translations-l10n, fonts-dejavu-core")

include(CPack)
