# Checks that a built SDK library has the expected file name and exports the four
# entry points and nothing else. A constructor or destructor shows as two symbols
# (complete and base object), so distinct demangled names are counted.
#   LIBRARY, EXPECTED_FILE_NAME, FORMAT (ELF: DUMPER is nm; PE: DUMPER is objdump), DEMANGLER

set(expected
    "nivaro_sdk::NivaroSdk::get_instance()"
    "nivaro_sdk::SDKLogger::GetILogger()"
    "nivaro_sdk::SDKLogger::SDKLogger(nivaro_sdk::severity_level)"
    "nivaro_sdk::SDKLogger::~SDKLogger()")

get_filename_component(file_name "${LIBRARY}" NAME)
if(NOT file_name STREQUAL EXPECTED_FILE_NAME)
    message(FATAL_ERROR "the SDK library is named ${file_name}, expected ${EXPECTED_FILE_NAME}")
endif()
if(NOT DEMANGLER)
    message(FATAL_ERROR "no c++filt found to demangle the exported names")
endif()

if(FORMAT STREQUAL "ELF")
    execute_process(COMMAND "${DUMPER}" -D --defined-only "${LIBRARY}"
        OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
    set(symbol_line "^[0-9a-fA-F]+ [A-Za-z] ([^ ]+)$")
elseif(FORMAT STREQUAL "PE")
    execute_process(COMMAND "${DUMPER}" -p "${LIBRARY}"
        OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
    # Keep only the export name table: "[Ordinal/Name Pointer] Table" up to the next blank line.
    string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table[^\n]*\n([^\n]+\n)*" listing "${listing}")
    set(symbol_line "^[ \t]*\\[ *[0-9]+\\] ([^ ]+)$")
else()
    message(FATAL_ERROR "unknown FORMAT '${FORMAT}'")
endif()
if(failed)
    message(FATAL_ERROR "${DUMPER} failed on ${LIBRARY}: ${failed}")
endif()

string(REPLACE "\n" ";" lines "${listing}")
set(symbols "")
foreach(line IN LISTS lines)
    if(line MATCHES "${symbol_line}")
        list(APPEND symbols "${CMAKE_MATCH_1}")
    endif()
endforeach()
if(NOT symbols)
    message(FATAL_ERROR "no exported symbol found in ${LIBRARY}")
endif()

execute_process(COMMAND "${DEMANGLER}" ${symbols} OUTPUT_VARIABLE demangled RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${DEMANGLER} failed: ${failed}")
endif()
string(STRIP "${demangled}" demangled)
string(REPLACE "\n" ";" exported "${demangled}")
list(REMOVE_DUPLICATES exported)
list(SORT exported)

list(LENGTH exported count)
string(REPLACE ";" "\n  " shown "${exported}")
message(STATUS "${file_name} exports ${count} distinct names:\n  ${shown}")
if(NOT exported STREQUAL expected)
    string(REPLACE ";" "\n  " wanted "${expected}")
    message(FATAL_ERROR "expected exactly these entry points:\n  ${wanted}")
endif()
