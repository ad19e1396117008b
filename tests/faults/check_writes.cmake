# Every file the program writes is replaced through the atomic writer
# (src/core/platform/files.cpp), so a write killed midway leaves the old file
# whole. This scan fails when a source file under DIR opens a file for
# writing, or renames, copies or truncates one, any other way:
#
#   cmake -DDIR=<folder> -P check_writes.cmake
#
# The killed writes (faults_kill) prove the writer itself; this proves the
# program uses it. Lines that touch no file of the operator's are listed below.

if(NOT DIR)
    message(FATAL_ERROR "usage: cmake -DDIR=<folder> -P check_writes.cmake")
endif()

get_filename_component(DIR "${DIR}" ABSOLUTE)
set(word "(^|[^A-Za-z0-9_])")
set(forbidden
    "${word}(fopen|_wfopen|freopen|fdopen|creat|mkstemps?|fwrite|fputs|fputc|rename|truncate|ftruncate|symlink)[ \t]*\\("
    "${word}(o?fstream|basic_o?fstream|QSaveFile|QTemporaryFile|QSettings|QTextStream|QDataStream)${word}"
    "(QIODevice|QIODeviceBase|QFile)::(WriteOnly|ReadWrite|Append|Truncate|NewOnly)"
    "${word}O_(WRONLY|RDWR|CREAT|TRUNC|APPEND)${word}"
    "filesystem::(copy|copy_file|rename|resize_file|create_symlink)"
    "QFile::(copy|rename|link|resize)"
    "WritePrivateProfileString")

# file | text of the line: why it is no file write of the program's.
set(allowed
    "platform/qt_platform.cpp|m_port.open(QIODevice::ReadWrite)" # the serial port
    "platform/folders.cpp|#include <QTemporaryFile>"             # the folder probe below
    "platform/folders.cpp|QTemporaryFile probe("                 # made and removed at once
    "platform/reports/table_report.cpp|buffer.open(QIODevice::WriteOnly)" # a PDF drawn in memory
    # the spreadsheet library's own scratch file, read back and removed; the
    # export itself goes through the atomic writer
    "platform/reports/xlsx.cpp|mkstemps(tmp.data(), 5)"
)

file(GLOB_RECURSE sources "${DIR}/*.cpp" "${DIR}/*.h")
set(found "")
foreach(path ${sources})
    file(RELATIVE_PATH rel "${DIR}" "${path}")
    if(rel STREQUAL "core/platform/files.cpp")
        continue() # the atomic writer itself
    endif()
    file(STRINGS "${path}" lines)
    set(n 0)
    foreach(line IN LISTS lines)
        math(EXPR n "${n} + 1")
        string(REGEX REPLACE "//.*$" "" code "${line}")
        foreach(pattern ${forbidden})
            if(NOT code MATCHES "${pattern}")
                continue()
            endif()
            set(excused FALSE)
            foreach(entry ${allowed})
                string(REPLACE "|" ";" pair "${entry}")
                list(GET pair 0 file)
                list(GET pair 1 text)
                string(FIND "${code}" "${text}" at)
                if(rel STREQUAL file AND NOT at EQUAL -1)
                    set(excused TRUE)
                endif()
            endforeach()
            if(NOT excused)
                string(APPEND found "\n  ${rel}:${n}: ${line}")
            endif()
            break()
        endforeach()
    endforeach()
endforeach()

list(LENGTH sources count)
if(count EQUAL 0)
    message(FATAL_ERROR "no source file under ${DIR}")
endif()
if(found)
    message(FATAL_ERROR "files written without the atomic writer (core/platform/files.h):${found}")
endif()
message(STATUS "${count} files: every write goes through the atomic writer")
