# Run by CPack's External generator (Packaging.cmake) once the install rules have staged the
# program in CPACK_TEMPORARY_DIRECTORY. wixl-heat lists every staged file as a WiX component, so
# the MSI holds exactly what the install rules install and no list of files is kept by hand;
# wixl builds the MSI from those components and VelmoraHD.wxs.in.

set(stage "${CPACK_TEMPORARY_DIRECTORY}")
set(work "${CPACK_TOPLEVEL_DIRECTORY}/msi")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}")

# The files at the top of the folder first: wixl-heat opens a new directory entry each time
# the folder changes from one line to the next.
file(GLOB top_files RELATIVE "${stage}" LIST_DIRECTORIES false "${stage}/*")
file(GLOB_RECURSE all_files RELATIVE "${stage}" LIST_DIRECTORIES false "${stage}/*")
if(NOT top_files)
    message(FATAL_ERROR "MsiPackage: nothing was staged in ${stage}")
endif()
list(SORT top_files)
list(SORT all_files)
list(REMOVE_ITEM all_files ${top_files})
list(APPEND top_files ${all_files})
list(TRANSFORM top_files PREPEND "./")
list(JOIN top_files "\n" listing)
file(WRITE "${work}/files.txt" "${listing}\n")

# wixl takes no absolute source paths: the staged files and the icon are named from its
# working folder.
file(RELATIVE_PATH staged "${work}" "${stage}")
file(COPY_FILE "${CPACK_VELMORA_MSI_ICON}" "${work}/program.ico")
set(icon program.ico)
set(program "${CPACK_VELMORA_MSI_PROGRAM}")
configure_file("${CPACK_VELMORA_MSI_SOURCE}" "${work}/product.wxs" @ONLY)

execute_process(
    COMMAND "${CPACK_VELMORA_WIXL_HEAT}" --directory-ref INSTALLDIR --component-group StagedFiles
        --var var.Staged --win64 --prefix ./
    INPUT_FILE "${work}/files.txt"
    OUTPUT_FILE "${work}/files.wxs"
    COMMAND_ERROR_IS_FATAL ANY)

set(msi "${work}/${CPACK_PACKAGE_FILE_NAME}.msi")
execute_process(
    COMMAND "${CPACK_VELMORA_WIXL}" --arch x64 -D "Staged=${staged}" -D Win64=yes
        -o "${msi}" product.wxs files.wxs
    WORKING_DIRECTORY "${work}"
    COMMAND_ERROR_IS_FATAL ANY)
set(CPACK_EXTERNAL_BUILT_PACKAGES "${msi}")
