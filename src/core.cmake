# The core: formats and rules in standard C++ only, with no Qt. The window
# library, the board simulator and the fuzz targets all link it.
# platine_add_core(<target>) builds it as a static library named <target>;
# the fuzz build calls it with its own compiler and sanitizers.
set(PLATINE_CORE_DIR ${CMAKE_CURRENT_LIST_DIR})
set(PLATINE_CORE_FILES
    platform/cp1252.cpp platform/cp1252.h
    platform/files.cpp platform/files.h
    platform/csv.cpp platform/csv.h
    badges/hexconv.cpp badges/hexconv.h
    badges/profile.cpp badges/profile.h
    badges/listfile.cpp badges/listfile.h badges/record_fields.h
    badges/tables.h
    badges/list_table.cpp badges/list_table.h
    badges/record_check.cpp badges/record_check.h
    badges/badge_rows.cpp badges/badge_rows.h
    badges/list_edit.cpp badges/list_edit.h
    app/settings.cpp app/settings.h
    serial/pane_layout.cpp serial/pane_layout.h
    board/history_table.cpp board/history_table.h
    board/journal.cpp board/journal.h
    board/journal_view.cpp board/journal_view.h
    board/dump_listing.cpp board/dump_listing.h
    board/protocol.cpp board/protocol.h
    board/upload_plan.cpp board/upload_plan.h)

function(platine_add_core target)
    set(files)
    foreach(rel ${PLATINE_CORE_FILES})
        set(path ${PLATINE_CORE_DIR}/${rel})
        # A core file that reaches for Qt stops the build here: the core
        # must build where no Qt is installed.
        file(STRINGS ${path} qt_includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]Q")
        if(qt_includes)
            message(FATAL_ERROR "src/${rel} is a core file and includes Qt: ${qt_includes}")
        endif()
        list(APPEND files ${path})
    endforeach()
    add_library(${target} STATIC ${files})
    target_include_directories(${target} PUBLIC ${PLATINE_CORE_DIR})
    target_compile_features(${target} PUBLIC cxx_std_20)
    set_target_properties(${target} PROPERTIES AUTOMOC OFF)
endfunction()
