# Run by `cmake --install` of a build made on Windows once VelmoraHD.exe and the SDK DLL are
# in place (a cross build installs the runtime it staged instead, see WindowsRuntime.cmake):
# windeployqt copies the Qt libraries, plug-ins and compiler runtime the program needs, so
# the installed folder runs on a machine without Qt. Only this step needs windeployqt, so
# it is looked for here rather than when the build is configured: a Qt packaged without its
# tools still builds and runs.
#
# Expects VELMORA_QT_BIN (the folder of the Qt kit's qmake) and VELMORA_PROGRAM.

find_program(velmora_windeployqt windeployqt PATHS "${VELMORA_QT_BIN}" NO_DEFAULT_PATH)
if(NOT velmora_windeployqt)
    find_program(velmora_windeployqt windeployqt)
endif()
if(NOT velmora_windeployqt)
    get_filename_component(velmora_installed "${VELMORA_PROGRAM}" DIRECTORY)
    message(FATAL_ERROR
        "VelmoraHD.exe and the SDK DLL are installed in ${velmora_installed}, but the Qt "
        "libraries are not: windeployqt was found neither beside qmake (${VELMORA_QT_BIN}) "
        "nor on the PATH. Install the windeployqt of the same Qt kit (Qt's qttools, part of "
        "every Qt for Windows installer) and run the install again, or copy the Qt DLLs and "
        "the platforms/qwindows.dll plug-in beside the program yourself.")
endif()
execute_process(
    COMMAND "${velmora_windeployqt}" --no-translations "${VELMORA_PROGRAM}"
    COMMAND_ERROR_IS_FATAL ANY)
