# Files compiled into programs, and the built-in values of the configuration file's schema.

# velmora_embed_file(header symbol file): writes header, in which `constexpr char symbol[]` holds
# the file's bytes and a terminating NUL. Bytes rather than a string literal: compilers limit
# the length of a literal, and the file may hold any text.
function(velmora_embed_file header symbol file)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${file}")
    file(READ "${file}" bytes HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${bytes}")
    file(CONFIGURE OUTPUT "${header}"
        CONTENT "#pragma once\n\nconstexpr char ${symbol}[] = {${bytes}'\\0'};\n" @ONLY)
endfunction()

# The "default" of each key under schema, as the line `#define NIVARO_SIM_BUILT_IN_<path> value`
# appended to the variable built_ins; <path> joins the keys by _, with "each" for any member of
# an object whose members are not named.
function(nivaro_collect_built_ins schema path)
    string(JSON type ERROR_VARIABLE none TYPE "${schema}" default)
    if(NOT none)
        string(JSON value GET "${schema}" default)
        if(type STREQUAL "STRING")
            string(REPLACE "\\" "\\\\" value "${value}")
            string(REPLACE "\"" "\\\"" value "${value}")
            set(value "\"${value}\"")
        elseif(type STREQUAL "BOOLEAN")
            if(value)
                set(value true)
            else()
                set(value false)
            endif()
        elseif(type STREQUAL "ARRAY")
            string(JSON length LENGTH "${schema}" default)
            if(NOT length EQUAL 0)
                message(FATAL_ERROR "the schema's default of ${path} is a list that is not empty")
            endif()
            set(value "{}")
        endif()
        string(APPEND built_ins "#define NIVARO_SIM_BUILT_IN_${path} ${value}\n")
    endif()
    string(JSON count ERROR_VARIABLE none LENGTH "${schema}" properties)
    if(NOT none AND count GREATER 0)
        math(EXPR last "${count} - 1")
        foreach(index RANGE ${last})
            string(JSON key MEMBER "${schema}" properties ${index})
            string(JSON member GET "${schema}" properties "${key}")
            if(path)
                nivaro_collect_built_ins("${member}" "${path}_${key}")
            else()
                nivaro_collect_built_ins("${member}" "${key}")
            endif()
        endforeach()
    endif()
    string(JSON type ERROR_VARIABLE none TYPE "${schema}" additionalProperties)
    if(NOT none AND type STREQUAL "OBJECT")
        string(JSON member GET "${schema}" additionalProperties)
        nivaro_collect_built_ins("${member}" "${path}_each")
    endif()
    set(built_ins "${built_ins}" PARENT_SCOPE)
endfunction()

# nivaro_schema_built_ins(header schema_file): writes header with the schema's built-in values.
function(nivaro_schema_built_ins header schema_file)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${schema_file}")
    file(READ "${schema_file}" schema)
    set(built_ins "")
    nivaro_collect_built_ins("${schema}" "")
    file(CONFIGURE OUTPUT "${header}" CONTENT
        "#pragma once\n\n// The built-in values of the configuration file's schema, by key path.\n${built_ins}" @ONLY)
endfunction()
