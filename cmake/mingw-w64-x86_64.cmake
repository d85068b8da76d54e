# Cross build for 64-bit Windows with MinGW-w64, POSIX threads variant (the one whose
# C++ runtime has std::thread and std::mutex), e.g. Debian's g++-mingw-w64-x86-64-posix.
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DCMAKE_PREFIX_PATH=<a Qt 5.15 built for this compiler>
# or, for the stand-in SDK alone (no Qt), -DVELMORA_SDK_ONLY=ON instead of the prefix.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_target x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${mingw_target}-gcc-posix ${mingw_target}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${mingw_target}-g++-posix ${mingw_target}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${mingw_target}-windres)

# Libraries and headers for the target come from target trees only; build tools
# (code generators, checkers) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_target})
# Every prefix given for the target (a Qt kit, say) is a tree of target files too: as a
# root of its own it is searched as it is rather than re-rooted under the MinGW-w64 tree.
list(APPEND CMAKE_FIND_ROOT_PATH ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
