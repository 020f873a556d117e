# The Windows packages: `cpack` in the cross build's folder writes
# Radixor-<version>-win64.zip, the portable radixor.exe, and
# Radixor-<version>-win64.exe, an installer with a Start-menu shortcut,
# an uninstaller and an entry with the version in the installed programs.
set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME Radixor)
set(CPACK_PACKAGE_VENDOR "Radixor maintainers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_FILE_NAME Radixor-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Radixor)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_LIST_DIR}/deb/copyright)
set(CPACK_PACKAGE_EXECUTABLES radixor Radixor)

# NSIS makes a 32-bit installer unless told otherwise, and that one,
# under a 64-bit-only Windows or Wine, installs nothing and still succeeds.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_DISPLAY_NAME Radixor)
set(CPACK_NSIS_PACKAGE_NAME Radixor)
set(CPACK_NSIS_INSTALLED_ICON_NAME radixor.exe)
set(CPACK_NSIS_MUI_ICON ${CMAKE_BINARY_DIR}/app/radixor.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_BINARY_DIR}/app/radixor.ico)
set(CPACK_NSIS_UNINSTALL_NAME Uninstall)

include(CPack)
