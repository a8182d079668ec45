# Runs at install time: writes the menu entry for the installed program. Exec and Icon are absolute paths
# without DESTDIR (where the program will run from), while the file itself goes under DESTDIR.
# Expects PEMMORA_PROGRAM (file name), PEMMORA_DATADIR (relative to the prefix, or absolute) and
# PEMMORA_DESKTOP_TEMPLATE.
if(IS_ABSOLUTE "${PEMMORA_DATADIR}")
    set(datadir "${PEMMORA_DATADIR}")
else()
    set(datadir "${CMAKE_INSTALL_PREFIX}/${PEMMORA_DATADIR}")
endif()

# Exec quoting: inside double quotes backslash, quote, backquote and dollar are escaped; then the file
# format doubles every backslash and a literal percent sign is written twice.
set(program "${CMAKE_INSTALL_PREFIX}/${PEMMORA_PROGRAM}")
string(REGEX REPLACE "([\\\\\"`$])" "\\\\\\1" quoted "${program}")
set(PEMMORA_EXEC "\"${quoted}\"")
string(REPLACE "\\" "\\\\" PEMMORA_EXEC "${PEMMORA_EXEC}")
string(REPLACE "%" "%%" PEMMORA_EXEC "${PEMMORA_EXEC}")
string(REPLACE "\\" "\\\\" PEMMORA_TRY_EXEC "${program}")
set(PEMMORA_ICON "${datadir}/icons/hicolor/scalable/apps/pemmora.svg")

set(entry "$ENV{DESTDIR}${datadir}/applications/pemmora.desktop")
message(STATUS "Installing: ${entry}")
configure_file("${PEMMORA_DESKTOP_TEMPLATE}" "${entry}" @ONLY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${entry}")
