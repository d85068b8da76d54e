# What a Windows build of the program loads besides its own files: the Qt libraries and
# plug-ins, and the compiler's runtime DLLs. Staged beside the programs of the build, so that
# the program and the tests start from the build tree as they do once installed, and installed
# beside the installed program.

# Qt's screen (platforms), the native look (styles) and the reader of the window's .ico icon.
set(VELMORA_QT_LIBRARIES Qt5::Core Qt5::Gui Qt5::Widgets Qt5::SerialPort)
set(VELMORA_QT_PLUGINS Qt5::QWindowsIntegrationPlugin Qt5::QWindowsVistaStylePlugin Qt5::QICOPlugin)

# Target `name`, built with everything, copies the Qt libraries and plug-ins and the files given
# into the folder of the programs (the plug-ins into the subfolders Qt looks for them in).
function(velmora_stage_runtime name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "LIBRARIES;PLUGINS;FILES")
    set(folder "$<TARGET_FILE_DIR:VelmoraHD>")
    set(commands COMMAND "${CMAKE_COMMAND}" -E make_directory "${folder}")
    foreach(library IN LISTS arg_LIBRARIES)
        list(APPEND commands COMMAND "${CMAKE_COMMAND}" -E copy_if_different
            "$<TARGET_FILE:${library}>" "${folder}")
    endforeach()
    foreach(plugin IN LISTS arg_PLUGINS)
        get_target_property(kind ${plugin} QT_PLUGIN_TYPE)
        list(APPEND commands
            COMMAND "${CMAKE_COMMAND}" -E make_directory "${folder}/${kind}"
            COMMAND "${CMAKE_COMMAND}" -E copy_if_different "$<TARGET_FILE:${plugin}>" "${folder}/${kind}")
    endforeach()
    foreach(file IN LISTS arg_FILES)
        list(APPEND commands COMMAND "${CMAKE_COMMAND}" -E copy_if_different "${file}" "${folder}")
    endforeach()
    add_custom_target(${name} ALL ${commands} VERBATIM)
endfunction()

velmora_stage_runtime(velmora_runtime
    LIBRARIES ${VELMORA_QT_LIBRARIES}
    PLUGINS ${VELMORA_QT_PLUGINS}
    FILES ${VELMORA_COMPILER_RUNTIME})

# Installs the runtime into destination, beside the installed program. A cross build has no
# windeployqt to run (it is a Windows program), so it installs the files staged above, taken
# from the Qt kit and the compiler; a build on Windows lets the kit's windeployqt choose them.
function(velmora_install_runtime destination)
    if(CMAKE_CROSSCOMPILING)
        install(IMPORTED_RUNTIME_ARTIFACTS ${VELMORA_QT_LIBRARIES} RUNTIME DESTINATION "${destination}")
        foreach(plugin IN LISTS VELMORA_QT_PLUGINS)
            get_target_property(kind ${plugin} QT_PLUGIN_TYPE)
            install(IMPORTED_RUNTIME_ARTIFACTS ${plugin} LIBRARY DESTINATION "${destination}/${kind}")
        endforeach()
        install(FILES ${VELMORA_COMPILER_RUNTIME} DESTINATION "${destination}")
        return()
    endif()
    get_target_property(qmake Qt5::qmake IMPORTED_LOCATION)
    get_filename_component(qt_bin "${qmake}" DIRECTORY)
    install(CODE "
        set(VELMORA_QT_BIN \"${qt_bin}\")
        set(VELMORA_PROGRAM \"\${CMAKE_INSTALL_PREFIX}/${destination}/$<TARGET_FILE_NAME:VelmoraHD>\")
    ")
    install(SCRIPT "${PROJECT_SOURCE_DIR}/cmake/DeployQtRuntime.cmake")
endfunction()
