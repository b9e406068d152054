# The Debian package: `cpack -G DEB` in the build folder (or the `package` target) writes
# tesaro_<version>_<arch>.deb with everything `cmake --install` puts under /usr.
# Installing and packaging take what the build made: they never start a build of every target
# first (the tests and benchmarks included), which the package's own test would otherwise run
# beside the other tests over the same build folder.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tesaro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tesaro")
set(CPACK_PACKAGE_CONTACT "Екипът на Tesaro / The Tesaro team <tesaro@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Жилищен регистър на общината / municipal housing register")
# The long description under the summary; CPack indents its lines and marks the empty one.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Картотека на домакинствата, нуждаещи се от общинско жилище: картони, членове,
класиране, годишен списък, служебни бележки и износ на регистъра, над вграден
регистър на Firebird.

The register of households in need of municipal housing: cards, members,
ranking, the annual list, service notes and exports, over an embedded Firebird
register. tesaro-admin creates registers, manages users and writes the
documents from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program and its own libraries link (the Firebird client, Qt, ...) are found
# by dpkg-shlibdeps. What they load at run time is named here, since no linker entry shows it:
# the embedded database engine (libEngine12.so) and Firebird's configuration, Qt's plugins for
# typing (input methods, compose keys) and the desktop's theme, Qt's Bulgarian translations,
# and the font the printed documents fall back to.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "firebird3.0-server-core, firebird3.0-common, qt6-qpa-plugins, qt6-translations-l10n, fonts-dejavu-core")

include(CPack)
