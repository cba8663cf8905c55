# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Renders the one clock-face design (app/icons/klappomatikus.svg) once, at
# build time, to a PNG of every size that the window icon and the desktop's
# themed icons use, so that all of them come from the same drawing.

find_program(KLAPPOMATIKUS_RSVG_CONVERT rsvg-convert REQUIRED)
set(KLAPPOMATIKUS_ICON_SOURCE ${PROJECT_SOURCE_DIR}/app/icons/klappomatikus.svg)

# The window icon's sizes (the window asks for 32 x 32; the others keep it
# sharp in title bars, task bars and at high scale factors), and the themed
# icons' sizes: those and one more for large launchers.
set(KLAPPOMATIKUS_WINDOW_ICON_SIZES 16 24 32 48 64 128)
set(KLAPPOMATIKUS_ICON_SIZES ${KLAPPOMATIKUS_WINDOW_ICON_SIZES} 256)

set(KLAPPOMATIKUS_ICON_DIR ${PROJECT_BINARY_DIR}/icons)

# klappomatikus_icon_files(<variable> <size>...): the rendered PNGs.
function(klappomatikus_icon_files variable)
    set(files)
    foreach(size IN LISTS ARGN)
        list(APPEND files ${KLAPPOMATIKUS_ICON_DIR}/klappomatikus-${size}.png)
    endforeach()
    set(${variable} ${files} PARENT_SCOPE)
endfunction()

set(rendered_icons)
foreach(size IN LISTS KLAPPOMATIKUS_ICON_SIZES)
    klappomatikus_icon_files(png ${size})
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${KLAPPOMATIKUS_ICON_DIR}
        COMMAND ${KLAPPOMATIKUS_RSVG_CONVERT} -w ${size} -h ${size}
                -o ${png} ${KLAPPOMATIKUS_ICON_SOURCE}
        DEPENDS ${KLAPPOMATIKUS_ICON_SOURCE}
        COMMENT "Rendering the ${size}x${size} icon"
        VERBATIM)
    list(APPEND rendered_icons ${png})
endforeach()
add_custom_target(klappomatikus_icons ALL DEPENDS ${rendered_icons})
