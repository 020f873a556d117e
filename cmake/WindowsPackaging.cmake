# The Windows packages: `cpack` in the cross build's folder writes
# Radixor-<version>-win64.zip, the portable radixor.exe, and
# Radixor-<version>-win64.exe, the installer. The installer is our own
# script, installer/NSIS.template.in, which cpack's NSIS generator takes
# in place of its default one.
set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME Radixor)
set(CPACK_PACKAGE_VENDOR "The Radixor developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_FILE_NAME Radixor-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}/installer)

# What the script takes from here. The window's title, which the installer
# looks for to find a running Radixor, is the project's description.
set(CPACK_RADIXOR_DISPLAY_VERSION ${RADIXOR_DISPLAY_VERSION})
set(CPACK_RADIXOR_COPYRIGHT "${RADIXOR_COPYRIGHT}")
set(CPACK_RADIXOR_WINDOW_TITLE "${PROJECT_DESCRIPTION}")
set(CPACK_RADIXOR_ICON ${CMAKE_BINARY_DIR}/app/radixor.ico)
# The licence page shows a text file as it is, and Windows breaks lines at
# CR LF.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(REPLACE "\n" "\r\n" licence "${licence}")
file(WRITE ${CMAKE_BINARY_DIR}/LICENSE.txt "${licence}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RADIXOR_LICENSE ${CMAKE_BINARY_DIR}/LICENSE.txt)

# strip writes the time it runs into each program's header, and cpack
# strips for the ZIP and for the installer apart: with the release's date
# in its place both hold the same radixor.exe, whenever they are built.
execute_process(COMMAND date -u -d ${RADIXOR_RELEASE_DATE} +%s
    OUTPUT_VARIABLE release_epoch OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
file(WRITE ${CMAKE_BINARY_DIR}/CPackEnvironment.cmake "set(ENV{SOURCE_DATE_EPOCH} ${release_epoch})\n")
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/CPackEnvironment.cmake)

include(CPack)
