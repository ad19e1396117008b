# The English texts of the window: lupdate over src/ into a .ts file, then
# the count of entries still without an English text.
#
#   cmake -DLUPDATE=<lupdate> -DSRC=<src folder> -DTS=<platine_en.ts> [-DCHECK=ON]
#         -P cmake/translations.cmake
#
# Without CHECK the file TS itself is brought up to date (every text of the
# sources in it, the texts no longer shown dropped) and the unfinished ones
# are listed: the build target update_translations runs it so. With CHECK a
# copy is brought up to date in the current folder and the script fails when
# one entry is unfinished, naming it: a text added to the window without its
# English stops the tests (translations_complete).
#
# The core marks its templates with PLATINE_TR_NOOP(context, text)
# (core/platform/message.h), which lupdate reads as QT_TRANSLATE_NOOP.
if(NOT LUPDATE OR NOT SRC OR NOT TS)
    message(FATAL_ERROR "usage: cmake -DLUPDATE=... -DSRC=... -DTS=... [-DCHECK=ON] -P translations.cmake")
endif()

set(target "${TS}")
if(CHECK)
    get_filename_component(name "${TS}" NAME)
    set(target "${CMAKE_CURRENT_BINARY_DIR}/checked_${name}")
    file(COPY_FILE "${TS}" "${target}")
endif()

execute_process(
    COMMAND "${LUPDATE}" -silent -no-obsolete -locations none -extensions cpp,h
            -source-language fr_FR -target-language en
            -tr-function-alias QT_TRANSLATE_NOOP+=PLATINE_TR_NOOP
            "${SRC}" -ts "${target}"
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "lupdate failed (${status}): ${out}${err}")
endif()

# Each <message> holds one <source> and one <translation>; the unfinished
# ones carry type="unfinished" (a new text, or one whose source changed).
file(READ "${target}" ts)
# A ";" would cut CMake's lists: the texts are only named here.
string(REPLACE "&amp;" "&" ts "${ts}")
string(REPLACE "&apos;" "'" ts "${ts}")
string(REPLACE "&quot;" "\"" ts "${ts}")
string(REPLACE ";" "," ts "${ts}")
string(REPLACE "<byte value=\"xd\"/>" "\\r" ts "${ts}")
string(REGEX MATCHALL "<message[ >]" all "${ts}")
list(LENGTH all total)
string(REGEX MATCHALL "type=\"unfinished\"" open "${ts}")
list(LENGTH open unfinished)
string(REGEX MATCHALL "<source>[^<]*</source>[ \t\r\n]*(<comment>[^<]*</comment>[ \t\r\n]*)?<translation type=\"unfinished\""
       open "${ts}")
set(names "")
foreach(m IN LISTS open)
    string(REGEX MATCH "<source>([^<]*)</source>" _ "${m}")
    string(APPEND names "\n  ${CMAKE_MATCH_1}")
endforeach()
message("translations: ${total} texts, ${unfinished} unfinished in ${target}${names}")
if(CHECK AND unfinished GREATER 0)
    message(FATAL_ERROR "${unfinished} text(s) shown without an English translation: "
                        "run the target update_translations and translate them in ${TS}")
endif()
