# The core: formats and rules in standard C++ only, with no Qt, one folder
# per subsystem under src/core/ (core/badges, core/board, ...). Every source
# there is core, and nothing else is. Its headers are included with the
# layer in the path ("core/badges/listfile.h"), so that a reader can tell the
# Qt-free core from the window library's "badges/..." at a glance.
# The window library, the board simulator and the fuzz targets all link it.
# platine_add_core(<target>) builds it as a static library named <target>;
# the fuzz build calls it with its own compiler and sanitizers.
set(PLATINE_CORE_DIR ${CMAKE_CURRENT_LIST_DIR}/core)
file(GLOB PLATINE_CORE_FILES CONFIGURE_DEPENDS
    ${PLATINE_CORE_DIR}/*/*.cpp ${PLATINE_CORE_DIR}/*/*.h)

function(platine_add_core target)
    foreach(path ${PLATINE_CORE_FILES})
        # A core file that reaches for Qt stops the build here: the core
        # must build where no Qt is installed.
        file(STRINGS ${path} qt_includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]Q")
        if(qt_includes)
            message(FATAL_ERROR "${path} is a core file and includes Qt: ${qt_includes}")
        endif()
        # Nor may it include a header of the window library: its own
        # includes all start with "core/".
        file(STRINGS ${path} upper_includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z_]+/")
        list(FILTER upper_includes EXCLUDE REGEX "include[ \t]*\"core/")
        if(upper_includes)
            message(FATAL_ERROR "${path} is a core file and includes the window library: ${upper_includes}")
        endif()
    endforeach()
    add_library(${target} STATIC ${PLATINE_CORE_FILES})
    target_include_directories(${target} PUBLIC ${PLATINE_CORE_DIR}/..)
    target_compile_features(${target} PUBLIC cxx_std_20)
    set_target_properties(${target} PROPERTIES AUTOMOC OFF)
endfunction()
