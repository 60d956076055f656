# The Debian package: `cpack -G DEB` in a build tree packs what `cmake --install` installs, under
# /usr, with the documents Debian asks for and the binaries stripped (cmake/PackageStage.cmake)
# and no maintainer scripts (cmake/PackageScripts.cmake).
# dpkg-shlibdeps computes the libraries from the binaries; the Depends named here are only what
# the programs load without linking it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pictolan)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Pictolan)
set(CPACK_PACKAGE_CONTACT "Pictolan maintainers <maintainers@pictolan.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://pictolan.org/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "make icons from pictures and take icons out of programs")
set(CPACK_PACKAGE_DESCRIPTION [=[
Pictolan is a desktop tool for icons with two pages. The first converts
pictures into one multi-image icon file, at sizes from 16 to 128 pixels and as
a 256 x 256 PNG image. The second opens executable modules (EXE, DLL, CPL,
ICL) and icon files, shows their icons and saves one or all of them as icon
files or as BMP, JPG, GIF, TIFF or PNG pictures; it also saves a folder's icon,
splits multi-image icons and rebuilds icons without their PNG-compressed
images.

The window speaks Chinese, or English where the desktop speaks English. The
companion command pictolan-cli runs the same operations from the command line,
without a display.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/PackageStage.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/PackageScripts.cmake)
set(CPACK_PICTOLAN_DOCUMENTS ${PROJECT_SOURCE_DIR}/dist/deb)
set(CPACK_PICTOLAN_STRIP ${CMAKE_STRIP})

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so no linking shows them: Qt's TIFF plugin (the TIFF format), the font the
# window is drawn with (frame/units/qt_unit.cpp) and xdg-open, which shows a saved file's folder.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-image-formats-plugins, fonts-wqy-microhei, xdg-utils")
# Qt's own texts in its dialogs in Chinese (frame/units/window.cpp).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)

include(CPack)
