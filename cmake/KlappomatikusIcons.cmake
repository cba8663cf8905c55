# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Renders the one clock-face design (app/icons/klappomatikus.svg) to PNGs
# of any size at build time, so that the window icon and the desktop's
# themed icons all come from the same drawing.

find_program(KLAPPOMATIKUS_RSVG_CONVERT rsvg-convert REQUIRED)
set(KLAPPOMATIKUS_ICON_SOURCE ${PROJECT_SOURCE_DIR}/app/icons/klappomatikus.svg)

# klappomatikus_render_icon(<size> <output.png>)
function(klappomatikus_render_icon size output)
    get_filename_component(directory ${output} DIRECTORY)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${directory}
        COMMAND ${KLAPPOMATIKUS_RSVG_CONVERT} -w ${size} -h ${size}
                -o ${output} ${KLAPPOMATIKUS_ICON_SOURCE}
        DEPENDS ${KLAPPOMATIKUS_ICON_SOURCE}
        COMMENT "Rendering the ${size}x${size} icon"
        VERBATIM)
endfunction()
