# Layers point one way: app -> board -> badges -> serial -> platform, with the
# core (src/core, checked apart by src/core.cmake) below them all. A file of a
# room that includes a header of a layer above its own (a header found in the
# rooms of DIR; a core header, "core/...", is no room's) is named
# with its line, and the check fails.
#
#   include(check_layers.cmake) then platine_check_layers(<src folder>)   at configure
#   cmake -DDIR=<folder> -P check_layers.cmake                              alone

if(CMAKE_SCRIPT_MODE_FILE)
    cmake_minimum_required(VERSION 3.22) # as the project (IN_LIST below)
endif()

# The rooms of the window library, each a folder of src/; platform/reports
# (the formats and the printed report) is of the platform layer.
set(PLATINE_ROOMS app serial badges board platform platform/reports)
# What the files of each layer may include besides the core.
set(PLATINE_LAYERS_app app board badges serial platform)
set(PLATINE_LAYERS_board board badges serial platform)
set(PLATINE_LAYERS_badges badges serial platform)
set(PLATINE_LAYERS_serial serial platform)
set(PLATINE_LAYERS_platform platform)

function(platine_check_layers dir)
    get_filename_component(dir "${dir}" ABSOLUTE)
    set(found "")
    set(count 0)
    foreach(room ${PLATINE_ROOMS})
        file(GLOB paths "${dir}/${room}/*.cpp" "${dir}/${room}/*.h")
        foreach(path ${paths})
            math(EXPR count "${count} + 1")
            file(RELATIVE_PATH rel "${dir}" "${path}")
            string(REGEX MATCH "^[a-z]+" layer "${rel}")
            file(STRINGS "${path}" lines)
            set(n 0)
            foreach(line IN LISTS lines)
                math(EXPR n "${n} + 1")
                if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"(([a-z_]+)/[^\"]+)\"")
                    continue()
                endif()
                set(header "${CMAKE_MATCH_1}")
                set(target_layer "${CMAKE_MATCH_2}")
                if(target_layer STREQUAL "core")
                    continue() # below every layer
                endif()
                if(EXISTS "${dir}/${header}" AND NOT target_layer IN_LIST PLATINE_LAYERS_${layer})
                    string(APPEND found
                           "\n  ${rel}:${n}: includes ${header}, of the layer ${target_layer}, above ${layer}")
                endif()
            endforeach()
        endforeach()
    endforeach()
    if(count EQUAL 0)
        message(FATAL_ERROR "no source file in the rooms of ${dir}")
    endif()
    if(found)
        message(FATAL_ERROR "a layer includes one above it (app -> board -> badges -> serial -> platform):${found}")
    endif()
    message(STATUS "${count} files: every layer includes its own and those below")
endfunction()

if(CMAKE_SCRIPT_MODE_FILE)
    if(NOT DIR)
        message(FATAL_ERROR "usage: cmake -DDIR=<folder> -P check_layers.cmake")
    endif()
    platine_check_layers("${DIR}")
endif()
