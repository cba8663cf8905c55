# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Run by `cmake --install` (and CPack): writes the desktop entry for the
# prefix being installed to, which is known only now, and installs it.
# The entry starts the program by name where every user's search path
# finds it, and by its full path anywhere else (/usr/games, for one, is not
# on root's search path).
# Expects: template, output, bindir, datadir, executable.
foreach(directory bindir datadir)
    if(NOT IS_ABSOLUTE "${${directory}}")
        set(${directory} "${CMAKE_INSTALL_PREFIX}/${${directory}}")
    endif()
    cmake_path(NORMAL_PATH ${directory})
    string(REGEX REPLACE "(.)/$" "\\1" ${directory} "${${directory}}")
endforeach()

if(bindir STREQUAL "/usr/bin" OR bindir STREQUAL "/usr/local/bin")
    set(KLAPPOMATIKUS_EXEC "${executable}")
elseif(bindir MATCHES "[\"`$\\\\]")
    message(FATAL_ERROR "the desktop entry cannot name a program in ${bindir}")
elseif(bindir MATCHES "[^A-Za-z0-9/._+-]")
    set(KLAPPOMATIKUS_EXEC "\"${bindir}/${executable}\"")
else()
    set(KLAPPOMATIKUS_EXEC "${bindir}/${executable}")
endif()
configure_file("${template}" "${output}" @ONLY)
file(INSTALL "${output}" DESTINATION "${datadir}/applications")
