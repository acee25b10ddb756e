# The Debian package: `cpack -G DEB` in a Release build makes tavrenna-mapeditor_<version>_amd64.deb from
# what `cmake --install` puts in place (./package.sh configures, builds and packages in one go). The
# shared libraries the programs link are found by dpkg-shlibdeps; what they load at run time is declared.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavrenna-mapeditor)
set(CPACK_PACKAGE_VENDOR "The Tavrenna MapEditor developers")
set(CPACK_PACKAGE_CONTACT "The Tavrenna MapEditor developers <mapeditor@tavrenna.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the battle maps of Tavrenna")
# The summary is the synopsis line; this is the text below it.
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop editor for the 48 x 48 battle maps of a turn-based strategy
game, with a Japanese user interface and an English translation. Map
authors paint tile codes with seven raster tools, let the editor shape
shores, cliffs, castle walls and faction houses, check the map against the
game's rules, and load and save the 2306-byte .map files.
.
The package also holds tavrenna-map, which checks, shapes, paints, renders
and analyses maps from scripts, and shows maps as pictures in file managers.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A Japanese face for the interface, Qt's own texts in English, and the display plugins without which
# the editor cannot open a window (libqt6gui6 only recommends them).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk | fonts-ipafont-gothic, qt6-translations-l10n, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Stripped as Debian's own packages are: no symbols, and no compiler notes (.comment, .note).
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
