# The operator's guide as installed: the text of IN up to the line that
# opens its section for developers ("<!-- développeurs -->" or
# "<!-- developers -->"), written to OUT. A guide without that line is
# copied whole.
#   cmake -DIN=README.md -DOUT=build/guide/README.md -P cmake/guide.cmake
file(READ "${IN}" text)
foreach(marker "<!-- développeurs -->" "<!-- developers -->")
    string(FIND "${text}" "\n${marker}\n" at)
    if(NOT at EQUAL -1)
        string(SUBSTRING "${text}" 0 ${at} text)
        string(REGEX REPLACE "\n+$" "" text "${text}")
        string(APPEND text "\n")
        break()
    endif()
endforeach()
file(WRITE "${OUT}" "${text}")
