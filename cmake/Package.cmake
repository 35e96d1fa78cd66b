# The Debian package: `cpack --preset package` after the package build (CMakePresets.json) gives
# quillaro_<version>_amd64.deb. Libraries (Qt, SQLite, Hunspell) are found by dpkg-shlibdeps; what
# the programs open by name is declared here.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillaro)
set(CPACK_PACKAGE_VENDOR "Quillaro")
set(CPACK_PACKAGE_CONTACT "${QUILLARO_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "cataloguing of the articles of online legal journals")
set(CPACK_PACKAGE_DESCRIPTION "Quillaro is the cataloguing system of an indexing centre: one document per
article of an online legal journal, with its reference, codes, authors,
classification, cited legal sources and texts. It checks each delivery against
the cataloguing rules and writes its error lists, link reports, RTF print and
summaries. The package holds the desktop program quillaro and the command line
quillaro-cli.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${QUILLARO_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Italian dictionary is opened by name at run time; the English one and Qt's Italian texts are welcome.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "hunspell-it")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hunspell-en-us, qt6-translations-l10n")
include(CPack)
