# Runs at install time: the menu entry, the icons and the software-centre metadata for freedesktop
# desktops. They go where desktops look: with the default per-user install into the user's data folder
# ($XDG_DATA_HOME, by default ~/.local/share), with another prefix into its share/, and into
# CMAKE_INSTALL_DATADIR when that was given. Exec is the absolute program path without DESTDIR (where the
# program will run from), while the files themselves go under DESTDIR (which file(INSTALL) adds itself).
# Expects PEMMORA_PROGRAM (file name), PEMMORA_DATADIR (as given, may be empty), PEMMORA_USER_PREFIX (the
# default per-user prefix), PEMMORA_SOURCE_DIR and PEMMORA_METAINFO (file name in cmake/).
if(PEMMORA_DATADIR)
    if(IS_ABSOLUTE "${PEMMORA_DATADIR}")
        set(datadir "${PEMMORA_DATADIR}")
    else()
        set(datadir "${CMAKE_INSTALL_PREFIX}/${PEMMORA_DATADIR}")
    endif()
elseif(CMAKE_INSTALL_PREFIX STREQUAL PEMMORA_USER_PREFIX)
    if(IS_ABSOLUTE "$ENV{XDG_DATA_HOME}")
        set(datadir "$ENV{XDG_DATA_HOME}")
    else()
        set(datadir "$ENV{HOME}/.local/share")
    endif()
else()
    set(datadir "${CMAKE_INSTALL_PREFIX}/share")
endif()

# Exec quoting: inside double quotes backslash, quote, backquote and dollar are escaped; then the file
# format doubles every backslash and a literal percent sign is written twice.
set(program "${CMAKE_INSTALL_PREFIX}/${PEMMORA_PROGRAM}")
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
