# Writes a C++ source that holds a file's bytes, so that a picture travels inside the
# executable. Run as: cmake -DINPUT=file -DOUTPUT=source.cpp -DNAME=Symbol -P embed_file.cmake
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR size "${hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n    " bytes "${bytes}")
file(WRITE ${OUTPUT}
"// Generated from ${INPUT}; do not edit.
#include <cstddef>

extern const unsigned char ${NAME}[] = {
    ${bytes}
};
extern const std::size_t ${NAME}Size = ${size};
")
