// The colour characters and the height digits of Qtf.
#include "richtext/qtf/qtf_common_internal.h"

namespace Qor {

namespace {

const Color digit_colors[10] = {
    Color(0, 0, 0),   Color(192, 192, 192), Color(255, 255, 255), Color(128, 0, 0),   Color(0, 128, 0),
    Color(0, 0, 128), Color(255, 0, 0),     Color(224, 224, 224), Color(0, 255, 255), Color(255, 255, 0),
};

} // namespace

Color QtfColorOfChar(int c)
{
    if(c >= '0' && c <= '9')
        return digit_colors[c - '0'];
    switch(c) {
    case 'k':
        return Color(0, 0, 0);
    case 'r':
        return Color(128, 0, 0);
    case 'g':
        return Color(0, 128, 0);
    case 'b':
        return Color(0, 0, 128);
    case 'o':
        return Color(128, 128, 0);
    case 'm':
        return Color(128, 0, 255);
    case 'c':
        return Color(0, 128, 128);
    case 'y':
        return Color(255, 255, 0);
    case 'l':
        return Color(192, 192, 192);
    case 'w':
        return Color(224, 224, 224);
    case 'n':
        return Color();
    case 'K':
        return Color(128, 128, 128);
    case 'R':
        return Color(255, 0, 0);
    case 'G':
        return Color(0, 255, 0);
    case 'B':
        return Color(0, 0, 255);
    case 'O':
        return Color(128, 128, 0);
    case 'M':
        return Color(255, 0, 255);
    case 'C':
        return Color(0, 255, 255);
    case 'Y':
        return Color(255, 255, 192);
    case 'L':
        return Color(224, 224, 224);
    case 'N':
        return Color();
    }
    if((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
        return Color(255, 255, 255);
    return Color(128, 0, 0);
}

int QtfColorDigit(Color c)
{
    for(int i = 0; i < 10; i++)
        if(digit_colors[i] == c)
            return i;
    return -1;
}

const int QtfDigitHeights[10] = { 50, 67, 84, 100, 134, 167, 200, 234, 300, 400 };

int QtfHeightDigit(int height)
{
    for(int i = 0; i < 10; i++)
        if(QtfDigitHeights[i] == height)
            return i;
    return -1;
}

} // namespace Qor
