# VELMORA_COMPILER_RUNTIME: the compiler's runtime DLLs a Windows program of this build loads,
# which go beside it. MinGW's C++ runtime is found where the compiler finds it (a cross
# compiler's own tree), else beside the compiler (a MinGW installed on Windows); MSVC's
# runtime is the system's.
set(VELMORA_COMPILER_RUNTIME "")
if(MINGW)
    get_filename_component(compiler_dir "${CMAKE_CXX_COMPILER}" DIRECTORY)
    foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
        execute_process(COMMAND "${CMAKE_CXX_COMPILER}" -print-file-name=${dll}
            OUTPUT_VARIABLE reported OUTPUT_STRIP_TRAILING_WHITESPACE)
        get_filename_component(reported_dir "${reported}" DIRECTORY)
        find_file(runtime_dll ${dll} HINTS ${reported_dir} "${compiler_dir}"
            NO_CMAKE_FIND_ROOT_PATH NO_CACHE)
        if(NOT runtime_dll)
            message(FATAL_ERROR "${dll} of ${CMAKE_CXX_COMPILER} not found")
        endif()
        list(APPEND VELMORA_COMPILER_RUNTIME "${runtime_dll}")
        unset(runtime_dll)
    endforeach()
endif()
