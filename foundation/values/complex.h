// Complex: a complex number (re, im) kept in a Value as a shared representation
// of type 20; its Null test, hash, equality, binary form, text, XML and JSON forms.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"

namespace Qor {

class Stream;
class Value;
class XmlizeIo;
class JsonizeIo;

struct Complex {
    double re;
    double im;

    constexpr Complex() : re(0), im(0) {}
    constexpr Complex(double re, double im = 0) : re(re), im(im) {}
    // The held Complex, or the Null Complex when v holds anything else.
    explicit Complex(const Value& v);
    // A Value holding a copy in a new shared representation.
    operator Value() const;
};

// Null when either part is a double Null.
inline bool IsNullValue(const Complex& c) { return IsNullDouble(c.re) || IsNullDouble(c.im); }
// Both parts equal; NaN equals nothing.
inline bool ValueEquals(const Complex& a, const Complex& b) { return a.re == b.re && a.im == b.im; }
inline bool operator==(const Complex& a, const Complex& b) { return ValueEquals(a, b); }
inline bool operator!=(const Complex& a, const Complex& b) { return !ValueEquals(a, b); }
uint32 ValueHash(const Complex& c);
// re then im, 8 raw bytes each.
void ValueSerialize(Stream& s, Complex& c);
// "(re,im)", each part by DoubleToText.
String ValueText(const Complex& c);

// XML: the attributes "real" and "imag" (a missing one loads as the double Null).
// JSON: the object members "real" and "imag" (a missing one is left unchanged).
void Xmlize(XmlizeIo& io, Complex& c);
void Jsonize(JsonizeIo& io, Complex& c);
// Installs these forms into the Complex representation; run by the library's
// registration unit.
void RegisterComplexValueMappings();

} // namespace Qor
