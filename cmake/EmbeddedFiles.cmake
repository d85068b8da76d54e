# Files compiled into programs, and the keys of the configuration file's schema with their
# built-in values.

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

# nivaro_schema_keys(schema path): appends to the list variable `keys` one entry per key under
# schema, "<path>|<built-in value>|<range>": the path dotted ("*" for any member of an object
# whose members are not named), the built-in value as JSON text and the range as
# "<minimum>..<maximum>", each empty when there is none.
function(nivaro_schema_keys schema path)
    string(JSON count ERROR_VARIABLE none LENGTH "${schema}" properties)
    if(NOT none AND count GREATER 0)
        math(EXPR last "${count} - 1")
        foreach(index RANGE ${last})
            string(JSON key MEMBER "${schema}" properties ${index})
            string(JSON member GET "${schema}" properties "${key}")
            set(built_in "")
            string(JSON type ERROR_VARIABLE none TYPE "${member}" default)
            if(NOT none)
                string(JSON built_in GET "${member}" default)
                if(type STREQUAL "STRING")
                    set(built_in "\"${built_in}\"")
                elseif(type STREQUAL "BOOLEAN" AND built_in)
                    set(built_in true)
                elseif(type STREQUAL "BOOLEAN")
                    set(built_in false)
                endif()
            endif()
            set(range "")
            string(JSON maximum ERROR_VARIABLE none GET "${member}" maximum)
            if(NOT none)
                string(JSON minimum GET "${member}" minimum)
                set(range "${minimum}..${maximum}")
            endif()
            list(APPEND keys "${path}${key}|${built_in}|${range}")
            nivaro_schema_keys("${member}" "${path}${key}.")
        endforeach()
    endif()
    string(JSON type ERROR_VARIABLE none TYPE "${schema}" additionalProperties)
    if(NOT none AND type STREQUAL "OBJECT")
        string(JSON member GET "${schema}" additionalProperties)
        nivaro_schema_keys("${member}" "${path}*.")
    endif()
    set(keys "${keys}" PARENT_SCOPE)
endfunction()

# nivaro_schema_built_ins(header schema_file): writes header, in which the schema's built-in value
# of each key is NIVARO_SIM_BUILT_IN_<path>, the path's dots as _ and its "*" as "each".
function(nivaro_schema_built_ins header schema_file)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${schema_file}")
    file(READ "${schema_file}" schema)
    set(keys "")
    nivaro_schema_keys("${schema}" "")
    set(built_ins "")
    foreach(key IN LISTS keys)
        if(key MATCHES "^([^|]*)\\|([^|]+)\\|")
            string(REPLACE "." "_" name "${CMAKE_MATCH_1}")
            string(REPLACE "*" "each" name "${name}")
            string(REPLACE "[]" "{}" value "${CMAKE_MATCH_2}")
            string(APPEND built_ins "#define NIVARO_SIM_BUILT_IN_${name} ${value}\n")
        endif()
    endforeach()
    file(CONFIGURE OUTPUT "${header}" CONTENT
        "#pragma once\n\n// The built-in values of the configuration file's schema, by key path.\n${built_ins}" @ONLY)
endfunction()
