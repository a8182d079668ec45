# Runs at install time: the menu entry, the icons and the software-centre metadata for freedesktop
# desktops, in the install's data folder (share/ under the prefix). Exec is the absolute program path without
# DESTDIR (where the program will run from, also for a package staged elsewhere), while the files themselves
# go under DESTDIR (which file(INSTALL) adds itself).
# Expects PEMMORA_PROGRAM and PEMMORA_DATADIR (below the prefix, or absolute), PEMMORA_SOURCE_DIR and
# PEMMORA_METAINFO (file name in cmake/).
foreach(var program datadir)
    string(TOUPPER "PEMMORA_${var}" given)
    if(IS_ABSOLUTE "${${given}}")
        set(${var} "${${given}}")
    else()
        set(${var} "${CMAKE_INSTALL_PREFIX}/${${given}}")
    endif()
endforeach()

# Exec quoting: inside double quotes backslash, quote, backquote and dollar are escaped; then the file
# format doubles every backslash and a literal percent sign is written twice.
string(REGEX REPLACE "([\\\\\"`$])" "\\\\\\1" quoted "${program}")
set(PEMMORA_EXEC "\"${quoted}\"")
string(REPLACE "\\" "\\\\" PEMMORA_EXEC "${PEMMORA_EXEC}")
string(REPLACE "%" "%%" PEMMORA_EXEC "${PEMMORA_EXEC}")
string(REPLACE "\\" "\\\\" PEMMORA_TRY_EXEC "${program}")

set(entry "$ENV{DESTDIR}${datadir}/applications/pemmora.desktop")
message(STATUS "Installing: ${entry}")
configure_file("${PEMMORA_SOURCE_DIR}/cmake/pemmora.desktop.in" "${entry}" @ONLY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${entry}")

file(INSTALL "${PEMMORA_SOURCE_DIR}/cmake/${PEMMORA_METAINFO}" DESTINATION "${datadir}/metainfo")
file(INSTALL "${PEMMORA_SOURCE_DIR}/resources/img/icon.png"
     DESTINATION "${datadir}/icons/hicolor/256x256/apps" RENAME pemmora.png)
file(INSTALL "${PEMMORA_SOURCE_DIR}/resources/svg/icon.svg"
     DESTINATION "${datadir}/icons/hicolor/scalable/apps" RENAME pemmora.svg)
