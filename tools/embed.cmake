# Writes the bytes of INPUT as a C++ array: cmake -DINPUT=f -DOUTPUT=f.cpp -DSYMBOL=name -P embed.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}" "// Generated from ${INPUT}; do not edit.\n"
    "extern const unsigned char ${SYMBOL}[];\nextern const int ${SYMBOL}_size;\n"
    "const unsigned char ${SYMBOL}[] = {\n${bytes}\n};\nconst int ${SYMBOL}_size = ${size};\n")
