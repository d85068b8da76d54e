# The maker's camera SDK from VELMORA_VENDOR_SDK_DIR: its headers in include/, on
# Windows its import library in lib/ and nivaro.sdk.dll in bin/ or lib/. Provides the
# same target names as the stand-in SDK, so the program builds unchanged against it.

set(vendor_dir "${VELMORA_VENDOR_SDK_DIR}")
if(NOT IS_DIRECTORY "${vendor_dir}/include")
    message(FATAL_ERROR "VELMORA_VENDOR_SDK_DIR: no include/ folder in ${vendor_dir}")
endif()

add_library(nivaro::headers INTERFACE IMPORTED GLOBAL)
set_target_properties(nivaro::headers PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${vendor_dir}/include")

add_library(nivaro::sdk SHARED IMPORTED GLOBAL)
set_target_properties(nivaro::sdk PROPERTIES INTERFACE_LINK_LIBRARIES nivaro::headers)

if(WIN32)
    find_file(vendor_dll nivaro.sdk.dll
        PATHS "${vendor_dir}/bin" "${vendor_dir}/lib"
        NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH NO_CACHE)
    find_library(vendor_implib NAMES nivaro.sdk
        PATHS "${vendor_dir}/lib"
        NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH NO_CACHE)
    if(NOT vendor_dll OR NOT vendor_implib)
        message(FATAL_ERROR
            "VELMORA_VENDOR_SDK_DIR: nivaro.sdk.dll (bin/ or lib/) or its import library (lib/) "
            "not found in ${vendor_dir}")
    endif()
    set_target_properties(nivaro::sdk PROPERTIES
        IMPORTED_LOCATION "${vendor_dll}"
        IMPORTED_IMPLIB "${vendor_implib}")
else()
    find_library(vendor_library NAMES nivaro.sdk
        PATHS "${vendor_dir}/lib" "${vendor_dir}/bin"
        NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH NO_CACHE)
    if(NOT vendor_library)
        message(FATAL_ERROR "VELMORA_VENDOR_SDK_DIR: the nivaro.sdk library not found in ${vendor_dir}")
    endif()
    set_target_properties(nivaro::sdk PROPERTIES IMPORTED_LOCATION "${vendor_library}")
endif()

message(STATUS "Camera SDK: the maker's, from ${vendor_dir}; the stand-in SDK and its tests are not built")
