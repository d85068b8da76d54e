# Cross build for 64-bit Windows with MinGW-w64, POSIX threads variant (the one whose
# C++ runtime has std::thread and std::mutex), e.g. Debian's g++-mingw-w64-x86-64-posix.
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DVELMORA_SDK_ONLY=ON

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_target x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${mingw_target}-gcc-posix ${mingw_target}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${mingw_target}-g++-posix ${mingw_target}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${mingw_target}-windres)

# Libraries and headers for the target come from the MinGW-w64 tree only; build tools
# (code generators, checkers) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_target})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
