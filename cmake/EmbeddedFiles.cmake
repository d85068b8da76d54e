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

# nivaro_schema_built_ins(header schema_file): writes header, in which the schema's built-in value
# of each key is NIVARO_SIM_BUILT_IN_<path>, the path's dots as _ and the unnamed members of an
# object as "each".
function(nivaro_schema_built_ins header schema_file)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${schema_file}")
    file(READ "${schema_file}" schema)
    set(built_ins "")
    nivaro_schema_defines("${schema}" "")
    file(CONFIGURE OUTPUT "${header}" CONTENT
        "#pragma once\n\n// The built-in values of the configuration file's schema, by key path.\n${built_ins}" @ONLY)
endfunction()

# nivaro_schema_defines(schema prefix): appends to the variable `built_ins` the #define of every
# key under schema that has a built-in value, its name after prefix.
function(nivaro_schema_defines schema prefix)
    string(JSON count ERROR_VARIABLE none LENGTH "${schema}" properties)
    if(NOT none AND count GREATER 0)
        math(EXPR last "${count} - 1")
        foreach(index RANGE ${last})
            string(JSON key MEMBER "${schema}" properties ${index})
            string(JSON member GET "${schema}" properties "${key}")
            string(JSON type ERROR_VARIABLE none TYPE "${member}" default)
            if(NOT none)
                string(JSON value GET "${member}" default)
                if(type STREQUAL "STRING")
                    set(value "\"${value}\"")
                elseif(type STREQUAL "BOOLEAN" AND value)
                    set(value true)
                elseif(type STREQUAL "BOOLEAN")
                    set(value false)
                elseif(type STREQUAL "ARRAY")
                    # A list's JSON text as a braced initializer: [] is {}.
                    string(REPLACE "[" "{" value "${value}")
                    string(REPLACE "]" "}" value "${value}")
                endif()
                string(APPEND built_ins "#define NIVARO_SIM_BUILT_IN_${prefix}${key} ${value}\n")
            endif()
            nivaro_schema_defines("${member}" "${prefix}${key}_")
        endforeach()
    endif()
    string(JSON type ERROR_VARIABLE none TYPE "${schema}" additionalProperties)
    if(NOT none AND type STREQUAL "OBJECT")
        string(JSON member GET "${schema}" additionalProperties)
        nivaro_schema_defines("${member}" "${prefix}each_")
    endif()
    set(built_ins "${built_ins}" PARENT_SCOPE)
endfunction()
