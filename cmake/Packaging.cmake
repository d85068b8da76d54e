# The installer, made by CPack from the install rules (`cpack` in the build folder). On
# Windows: a 64-bit NSIS installer into Program Files\Velmora HD with a Start-menu entry and
# an uninstaller, listed among the installed programs as Velmora HD by Dravik.

# The values below reach CPack as written, quotes included.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME "${PROJECT_NAME}")
set(CPACK_PACKAGE_VENDOR "Dravik")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Velmora HD")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Velmora HD")

if(WIN32)
    set(CPACK_GENERATOR NSIS)
    set(CPACK_NSIS_PACKAGE_NAME "Velmora HD")
    set(CPACK_NSIS_DISPLAY_NAME "Velmora HD")
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
    # The Start-menu entry starts the program, which sits at the top of its folder (the
    # entries CPACK_PACKAGE_EXECUTABLES makes point into bin\), in that folder.
    set(CPACK_NSIS_CREATE_ICONS_EXTRA
        "CreateShortCut \"$SMPROGRAMS\\$STARTMENU_FOLDER\\Velmora HD.lnk\" \"$INSTDIR\\VelmoraHD.exe\"")
    set(CPACK_NSIS_DELETE_ICONS_EXTRA "Delete \"$SMPROGRAMS\\$MUI_TEMP\\Velmora HD.lnk\"")
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
else()
    set(CPACK_GENERATOR TGZ)
endif()

include(CPack)
