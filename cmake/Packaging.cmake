# The packages, made by CPack from the install rules (`cpack` in the build folder). On
# Windows, three from the same files: a 64-bit NSIS installer into Program Files\Velmora HD with
# a Start-menu entry and an uninstaller, listed among the installed programs as Velmora HD by
# Dravik; a zip of the program's folder, which runs wherever it is unpacked; and, where wixl is
# found (Debian: wixl), an MSI installing per machine into the same folder, for deployment tools.

# The values below reach CPack as written, quotes included.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME "${PROJECT_NAME}")
set(CPACK_PACKAGE_VENDOR "Dravik")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Velmora HD")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Velmora HD")

if(WIN32)
    set(CPACK_GENERATOR NSIS ZIP)
    set(CPACK_NSIS_PACKAGE_NAME "Velmora HD")
    set(CPACK_NSIS_DISPLAY_NAME "Velmora HD")
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
    # The Start-menu entry starts the program, which sits at the top of its folder (the
    # entries CPACK_PACKAGE_EXECUTABLES makes point into bin\), in that folder.
    set(CPACK_NSIS_CREATE_ICONS_EXTRA
        "CreateShortCut \"$SMPROGRAMS\\$STARTMENU_FOLDER\\Velmora HD.lnk\" \"$INSTDIR\\VelmoraHD.exe\"")
    # The uninstaller removes the product's key, under the publisher's, just before the
    # Start-menu entries, and would leave the publisher's key behind, empty.
    set(CPACK_NSIS_DELETE_ICONS_EXTRA "Delete \"$SMPROGRAMS\\$MUI_TEMP\\Velmora HD.lnk\"
  DeleteRegKey /ifempty SHCTX \"Software\\${CPACK_PACKAGE_VENDOR}\"")
    set(CPACK_NSIS_INSTALLED_ICON_NAME "VelmoraHD.exe")
    set(CPACK_NSIS_MUI_ICON "${PROJECT_SOURCE_DIR}/resources/picture/camera.ico")
    set(CPACK_NSIS_MUI_UNIICON "${PROJECT_SOURCE_DIR}/resources/picture/camera.ico")
    set(CPACK_NSIS_IGNORE_LICENSE_PAGE ON)
    # makensis makes 32-bit installers unless told otherwise, and a 32-bit installer can
    # neither reach the 64-bit Program Files nor run where Windows has no 32-bit layer. The
    # version record makes the installer's file properties name the product too, and the
    # publisher stands at the foot of its pages (CPACK_NSIS_BRANDING_TEXT would add a
    # trimming option that makensis refuses outside Windows).
    set(CPACK_NSIS_DEFINES "
  Target amd64-unicode
  BrandingText \"Dravik - Velmora HD ${PROJECT_VERSION}\"
  VIProductVersion ${PROJECT_VERSION}.0
  VIAddVersionKey ProductName \"Velmora HD\"
  VIAddVersionKey CompanyName \"Dravik\"
  VIAddVersionKey ProductVersion \"${PROJECT_VERSION}\"
  VIAddVersionKey FileVersion \"${PROJECT_VERSION}\"
  VIAddVersionKey FileDescription \"Velmora HD ${PROJECT_VERSION} Setup\"")

    find_program(VELMORA_WIXL wixl)
    find_program(VELMORA_WIXL_HEAT wixl-heat)
    if(VELMORA_WIXL AND VELMORA_WIXL_HEAT)
        list(APPEND CPACK_GENERATOR External)
        set(CPACK_EXTERNAL_REQUESTED_VERSIONS 1.0)
        set(CPACK_EXTERNAL_ENABLE_STAGING ON)
        set(CPACK_EXTERNAL_PACKAGE_SCRIPT "${PROJECT_SOURCE_DIR}/cmake/MsiPackage.cmake")
        set(CPACK_VELMORA_WIXL "${VELMORA_WIXL}")
        set(CPACK_VELMORA_WIXL_HEAT "${VELMORA_WIXL_HEAT}")
        set(CPACK_VELMORA_MSI_SOURCE "${PROJECT_SOURCE_DIR}/cmake/VelmoraHD.wxs.in")
        set(CPACK_VELMORA_MSI_ICON "${PROJECT_SOURCE_DIR}/resources/picture/camera.ico")
        set(CPACK_VELMORA_MSI_PROGRAM "VelmoraHD.exe")
        # Fixed for every version to come: Windows Installer knows the product by it.
        set(CPACK_VELMORA_MSI_UPGRADE_CODE "E772D8B8-F366-4E2F-B1E1-17A877D4E7D6")
    else()
        message(STATUS "No wixl and wixl-heat (Debian: wixl): cpack makes no MSI")
    endif()
else()
    set(CPACK_GENERATOR TGZ)
endif()

include(CPack)
