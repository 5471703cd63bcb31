# Writes the English user guide of the program's Aiuto menu: the README from
# "Using the program" up to "Development", without its pictures (they stay
# in the source tree), its links to the methods reference pointing beside it.
#   cmake -DREADME=README.md -DOUTPUT=guide.md -P userguide.cmake
# With -DGUIDE=docs/guida.md instead of README, the Italian guide whole,
# without its pictures.
if(DEFINED GUIDE)
    file(READ "${GUIDE}" guide)
else()
    file(READ "${README}" text)
    string(FIND "${text}" "\n## Using the program" first)
    string(FIND "${text}" "\n## Development" last)
    if(first LESS 0 OR last LESS first)
        message(FATAL_ERROR "${README}: the part for users was not found")
    endif()
    math(EXPR length "${last} - ${first}")
    string(SUBSTRING "${text}" ${first} ${length} guide)
    string(REPLACE "(docs/methods.md" "(methods.md" guide "${guide}")
    string(REPLACE "(docs/guida.md" "(guida.md" guide "${guide}")
    set(guide "# Orvalta\n${guide}")
endif()
string(REGEX REPLACE "\n[ ]*!\\[[^\n]*" "" guide "${guide}")
file(WRITE "${OUTPUT}" "${guide}")
