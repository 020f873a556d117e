# The Debian package: `cpack -G DEB` in a build tree writes
# radixor_<version>_<architecture>.deb holding what `cmake --install` puts
# under /usr, with its dependencies worked out by dpkg-shlibdeps.
include(GNUInstallDirs)

set(RADIXOR_MAINTAINER "Radixor maintainers <maintainers@users.noreply.c-seed-81c836d8.example>")

# Debian keeps a package's copyright and changelog beside its other docs,
# and wants a manual page for every program. Changelog and manual page go
# compressed without a name or time stamp, so that every build gives the
# same bytes.
configure_file(${CMAKE_CURRENT_LIST_DIR}/deb/changelog.in ${CMAKE_BINARY_DIR}/deb/changelog @ONLY)
foreach(page ${CMAKE_BINARY_DIR}/deb/changelog ${CMAKE_CURRENT_LIST_DIR}/deb/radixor.1)
    get_filename_component(name ${page} NAME)
    execute_process(COMMAND gzip -9nc ${page}
        OUTPUT_FILE ${CMAKE_BINARY_DIR}/deb/${name}.gz
        COMMAND_ERROR_IS_FATAL ANY)
endforeach()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/deb/copyright ${CMAKE_BINARY_DIR}/deb/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${CMAKE_BINARY_DIR}/deb/radixor.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME radixor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${RADIXOR_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${RADIXOR_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own texts (the entry's context menu) in the desktop's language; the
# program runs in English without them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "show a whole number in decimal, binary, hexadecimal and octal")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Radixor is a small window with an entry box and a keypad. Type or click a
whole decimal number and press Enter: four boxes show it in decimal,
binary, hexadecimal and octal, ready to select and copy. Numbers from
2147483648 (2^31) upward are shown in decimal only.")

include(CPack)
