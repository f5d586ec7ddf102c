# cmake -DIN=<file> -DOUT=<file.cpp> -P embed_bytes.cmake: the bytes of IN as the array
# kDeliveredCarData (and its size) in a C++ source.
file(READ ${IN} hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUT} "// Written by embed_bytes.cmake from ${IN}.\n#include <cstddef>\n#include <cstdint>\n"
  "extern const uint8_t kDeliveredCarData[] = {\n${bytes}\n};\n"
  "extern const size_t kDeliveredCarDataSize = ${size};\n")
