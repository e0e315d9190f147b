// GoogleTest printers for the framework's text and value types, and the plain
// std::string of a String that expectations compare against literals.
#pragma once

#include "foundation/string.h"
#include "foundation/values/rect.h"
#include "foundation/values/value.h"
#include "foundation/wstring.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <string>

inline std::string Std(const Qor::String& s) { return std::string(s.Begin(), s.GetLength()); }

namespace Qor {

// Found by argument-dependent lookup: failures show the text, not 16 raw bytes.
inline void PrintTo(const String& s, std::ostream* os) { *os << ::testing::PrintToString(Std(s)); }

// ASCII units as they are, every other unit as \uXXXX.
inline void PrintTo(const WString& s, std::ostream* os)
{
    *os << "L\"";
    for(int i = 0; i < s.GetLength(); i++) {
        int u = s[i];
        if(u >= 0x20 && u < 0x7F && u != '"' && u != '\\')
            *os << char(u);
        else {
            char code[8];
            std::snprintf(code, sizeof(code), "\\u%04X", u);
            *os << code;
        }
    }
    *os << '"';
}

inline void PrintTo(const Value& v, std::ostream* os)
{
    *os << "Value(type " << v.GetTypeNumber() << ", " << ::testing::PrintToString(Std(v.ToString())) << ")";
}

// Integer geometry as its numbers.
inline void PrintTo(const Rect& r, std::ostream* os)
{
    *os << "Rect(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
inline void PrintTo(const Size& s, std::ostream* os) { *os << "Size(" << s.cx << ", " << s.cy << ")"; }
inline void PrintTo(const Point& p, std::ostream* os) { *os << "Point(" << p.x << ", " << p.y << ")"; }

} // namespace Qor
