# Copies each file of SOURCE_DIR to the same place under TARGET_DIR unless one is there already: the
# user may have replaced a delivered picture, and a rebuild or a reinstall must not undo that.
file(GLOB_RECURSE files RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*")
foreach(file IN LISTS files)
    if(NOT EXISTS "${TARGET_DIR}/${file}")
        get_filename_component(dir "${TARGET_DIR}/${file}" DIRECTORY)
        file(COPY "${SOURCE_DIR}/${file}" DESTINATION "${dir}")
    endif()
endforeach()
