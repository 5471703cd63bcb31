# Writes the user guide of the program's Aiuto menu: the README from "Using
# the program" up to the batch tool, without its pictures (they stay in the
# source tree).
#   cmake -DREADME=README.md -DOUTPUT=guida.md -P userguide.cmake
file(READ "${README}" text)
string(FIND "${text}" "\n## Using the program" first)
string(FIND "${text}" "\n## Batch tool" last)
if(first LESS 0 OR last LESS first)
    message(FATAL_ERROR "${README}: the part for users was not found")
endif()
math(EXPR length "${last} - ${first}")
string(SUBSTRING "${text}" ${first} ${length} guide)
string(REGEX REPLACE "\n[ ]*!\\[[^\n]*" "" guide "${guide}")
file(WRITE "${OUTPUT}" "# Orvalta\n${guide}")
