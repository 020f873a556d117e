# The Debian package: `cpack -G DEB` in a build tree writes
# radixor_<version>_<architecture>.deb holding what `cmake --install` puts
# under /usr, with its dependencies worked out by dpkg-shlibdeps.
include(GNUInstallDirs)

set(RADIXOR_MAINTAINER "Radixor maintainers <maintainers@users.noreply.c-seed-81c836d8.example>")

# Debian keeps a package's copyright and changelog beside its other docs,
# and wants a manual page for every program. Both carry the release's
# version and date in their own forms, and go compressed without a name or
# time stamp, so that every build gives the same bytes. They are compressed
# by the build, so an edit reaches the package.
execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C
        date -u -d ${RADIXOR_RELEASE_DATE} "+%B %Y%n%a, %d %b %Y"
    OUTPUT_VARIABLE release_date OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
string(REPLACE "\n" ";" release_date "${release_date}")
list(GET release_date 0 RADIXOR_RELEASE_MONTH)  # December 2026
list(GET release_date 1 RADIXOR_RELEASE_DAY)    # Mon, 07 Dec 2026
# The copyright file in Debian's machine-readable form, which calls the MIT
# licence "Expat"; its terms are LICENSE's, indented, a blank line a dot.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(REGEX REPLACE "^.*\nCopyright [^\n]*\n\n" "" licence "${licence}")
string(STRIP "${licence}" licence)
string(REPLACE "\n\n" "\n.\n" licence "${licence}")
string(REPLACE "\n" "\n " RADIXOR_LICENCE_TERMS " ${licence}")
string(REPLACE "Copyright " "" RADIXOR_COPYRIGHT_YEARS_HOLDER "${RADIXOR_COPYRIGHT}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/deb/copyright.in ${CMAKE_BINARY_DIR}/deb/copyright @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)

set(docs)
foreach(name changelog radixor.1)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/deb/${name}.in ${CMAKE_BINARY_DIR}/deb/${name} @ONLY)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/deb/${name}.gz
        COMMAND gzip -9nkf ${CMAKE_BINARY_DIR}/deb/${name}
        DEPENDS ${CMAKE_BINARY_DIR}/deb/${name} VERBATIM)
    list(APPEND docs ${CMAKE_BINARY_DIR}/deb/${name}.gz)
endforeach()
add_custom_target(radixor_docs ALL DEPENDS ${docs})
install(FILES ${CMAKE_BINARY_DIR}/deb/copyright ${CMAKE_BINARY_DIR}/deb/changelog.gz
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
