# One folder of src/ is one subsystem: its text logic goes into quillon_core
# (Qt Core only) and its windows and dialogs into quillon_gui.
#
#   quillon_folder(<name>
#       CORE <files...>        GUI <files...>
#       CORE_USES <folders...> GUI_USES <folders...>
#       [GUI_TARGET <target>])          # GUI files into another target
#
# CORE_USES names the folders whose core headers the folder's core files may
# include; GUI_USES the folders whose headers (core or GUI) its GUI files may
# include, besides everything CORE_USES allows.  Paths are relative to the
# folder.  The layering test (tools/check_layers.cmake) holds every #include
# of src/ to these lists, so a folder cannot come to lean on another by
# accident.

set_property(GLOBAL PROPERTY QUILLON_LAYER_MANIFEST "")

function(quillon_folder name)
    cmake_parse_arguments(F "" "GUI_TARGET" "CORE;GUI;CORE_USES;GUI_USES" ${ARGN})
    if(NOT F_GUI_TARGET)
        set(F_GUI_TARGET quillon_gui)
    endif()
    if(F_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "quillon_folder(${name}): unknown arguments ${F_UNPARSED_ARGUMENTS}")
    endif()
    if(F_CORE)
        target_sources(quillon_core PRIVATE ${F_CORE})
    endif()
    if(F_GUI)
        target_sources(${F_GUI_TARGET} PRIVATE ${F_GUI})
    endif()
    # One manifest line per file: folder;part;path;allowed folders.
    set(lines "")
    string(REPLACE ";" "," core_uses "${F_CORE_USES}")
    string(REPLACE ";" "," gui_uses "${F_GUI_USES}")
    foreach(file IN LISTS F_CORE)
        string(APPEND lines "${name}|core|${name}/${file}|${core_uses}\n")
    endforeach()
    foreach(file IN LISTS F_GUI)
        string(APPEND lines "${name}|gui|${name}/${file}|${core_uses},${gui_uses}\n")
    endforeach()
    set_property(GLOBAL APPEND_STRING PROPERTY QUILLON_LAYER_MANIFEST "${lines}")
endfunction()

# Writes the manifest the layering test reads.
function(quillon_write_layer_manifest path)
    get_property(manifest GLOBAL PROPERTY QUILLON_LAYER_MANIFEST)
    file(WRITE "${path}" "${manifest}")
endfunction()
