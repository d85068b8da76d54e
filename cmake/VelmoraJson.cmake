# Target velmora_json: the header-only JSON library the stand-in SDK reads its
# configuration file with.

if(CMAKE_CROSSCOMPILING)
    # The host's own include folder must stay out of a cross build (its C library
    # headers would shadow the target's), so the library's headers are staged alone.
    find_path(VELMORA_JSON_INCLUDE_DIR nlohmann/json.hpp NO_CMAKE_FIND_ROOT_PATH
        DOC "Folder holding nlohmann/json.hpp")
    if(NOT VELMORA_JSON_INCLUDE_DIR)
        message(FATAL_ERROR "nlohmann/json.hpp not found: set VELMORA_JSON_INCLUDE_DIR")
    endif()
    set(staged_dir "${CMAKE_BINARY_DIR}/staged-json/include")
    file(COPY "${VELMORA_JSON_INCLUDE_DIR}/nlohmann" DESTINATION "${staged_dir}")
    add_library(velmora_json INTERFACE)
    target_include_directories(velmora_json SYSTEM INTERFACE "${staged_dir}")
else()
    find_package(nlohmann_json 3.2 REQUIRED)
    add_library(velmora_json INTERFACE)
    target_link_libraries(velmora_json INTERFACE nlohmann_json::nlohmann_json)
endif()
