# The layering test: every #include "<folder>/..." of a file of src/ must be
# allowed by its folder's quillon_folder() lists.  A core file may include
# core headers of its own folder and of the folders it uses; a GUI file
# also GUI headers, of its own folder and of the folders its GUI uses.
#   cmake -DMANIFEST=<file> -DSRC=<src folder> -P check_layers.cmake

cmake_minimum_required(VERSION 3.25)

file(STRINGS "${MANIFEST}" entries)
set(core_headers "")
foreach(entry IN LISTS entries)
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 1 part)
    list(GET parts 2 path)
    if(part STREQUAL "core" AND path MATCHES "\\.h$")
        list(APPEND core_headers "${path}")
    endif()
endforeach()

set(problems "")
foreach(entry IN LISTS entries)
    string(REPLACE "|" ";" parts "${entry}")
    list(LENGTH parts count)
    list(GET parts 0 folder)
    list(GET parts 1 part)
    list(GET parts 2 path)
    set(uses "")
    if(count GREATER 3)
        list(GET parts 3 uses)
        string(REPLACE "," ";" uses "${uses}")
    endif()
    file(STRINGS "${SRC}/${path}" includes REGEX "^#include \"[a-z]+/")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" header "${line}")
        string(REGEX REPLACE "/.*" "" target "${header}")
        if(NOT target STREQUAL folder AND NOT target IN_LIST uses)
            string(APPEND problems "${path}: ${header} (${folder} does not use ${target})\n")
        elseif(part STREQUAL "core" AND NOT header IN_LIST core_headers)
            string(APPEND problems "${path}: ${header} (a core file includes a header that is not core)\n")
        endif()
    endforeach()
endforeach()

if(problems)
    message(FATAL_ERROR "Includes that cross the folders' layers:\n${problems}")
endif()
list(LENGTH entries checked)
message(STATUS "${checked} files keep to their layers")
