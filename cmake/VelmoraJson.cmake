# Targets velmora_json (the header-only JSON library the stand-in SDK reads its configuration
# file with) and velmora_json_schema (the header-only validator that holds a file to the
# configuration's JSON Schema).

# A cross build finds the headers by their folder (VELMORA_JSON_INCLUDE_DIR,
# VELMORA_VALIJSON_INCLUDE_DIR) and stages them alone: the host's own include folder must stay
# out of it, since its C library headers would shadow the target's.
function(velmora_staged_headers target header folder_variable)
    find_path(${folder_variable} "${header}" NO_CMAKE_FIND_ROOT_PATH DOC "Folder holding ${header}")
    if(NOT ${folder_variable})
        message(FATAL_ERROR "${header} not found: set ${folder_variable}")
    endif()
    string(REGEX MATCH "^[^/]+" top "${header}")
    set(staged_dir "${CMAKE_BINARY_DIR}/staged-headers/${target}")
    file(COPY "${${folder_variable}}/${top}" DESTINATION "${staged_dir}")
    add_library(${target} INTERFACE)
    target_include_directories(${target} SYSTEM INTERFACE "${staged_dir}")
endfunction()

if(CMAKE_CROSSCOMPILING)
    velmora_staged_headers(velmora_json nlohmann/json.hpp VELMORA_JSON_INCLUDE_DIR)
    velmora_staged_headers(velmora_json_schema valijson/validator.hpp VELMORA_VALIJSON_INCLUDE_DIR)
else()
    find_package(nlohmann_json 3.8 REQUIRED)
    add_library(velmora_json INTERFACE)
    target_link_libraries(velmora_json INTERFACE nlohmann_json::nlohmann_json)

    add_library(velmora_json_schema INTERFACE)
    # Debian's package names its target valijson, the project's own ValiJSON::valijson; without
    # either, the folder of the headers serves.
    find_package(valijson CONFIG QUIET)
    if(TARGET ValiJSON::valijson)
        target_link_libraries(velmora_json_schema INTERFACE ValiJSON::valijson)
    elseif(TARGET valijson)
        target_link_libraries(velmora_json_schema INTERFACE valijson)
    else()
        find_path(VELMORA_VALIJSON_INCLUDE_DIR valijson/validator.hpp DOC "Folder holding valijson/validator.hpp")
        if(NOT VELMORA_VALIJSON_INCLUDE_DIR)
            message(FATAL_ERROR "valijson not found: install it or set VELMORA_VALIJSON_INCLUDE_DIR")
        endif()
        target_include_directories(velmora_json_schema SYSTEM INTERFACE "${VELMORA_VALIJSON_INCLUDE_DIR}")
    endif()
endif()
# A schema the validator cannot read is reported by an exception rather than an abort.
target_compile_definitions(velmora_json_schema INTERFACE VALIJSON_USE_EXCEPTIONS=1)
target_link_libraries(velmora_json_schema INTERFACE velmora_json)
