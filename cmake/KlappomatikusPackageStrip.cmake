# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Run by CPack on the staged files before packing them: the stripped
# program loses the compiler's version notes (the .comment section) too,
# as in Debian's own packages, where lintian finds it unneeded.
file(GLOB_RECURSE programs "${CPACK_TEMPORARY_DIRECTORY}/*/klappomatikus")
if(NOT programs)
    message(FATAL_ERROR "no program among the files to package")
endif()
foreach(program IN LISTS programs)
    execute_process(COMMAND ${CPACK_KLAPPOMATIKUS_OBJCOPY} --remove-section=.comment ${program}
                    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
