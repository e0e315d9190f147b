// Separator tests and SplitText, which cuts a text into a Vector of Strings at
// every separator found by a test, a character or a delimiter text.
#pragma once

#include "foundation/char_filter.h"
#include "foundation/string.h"
#include "foundation/vector.h"

namespace Qor {

// Recognises a separator starting at a position of a text.
class TextTest {
public:
    // Just past the separator that starts at p, or null when none does.
    virtual const char* Find(const char* p) const = 0;
    virtual ~TextTest() {}
};

// A separator is one byte that the character filter accepts (non-zero result).
class CharFilterTextTest : public TextTest {
public:
    explicit CharFilterTextTest(CharFilter filter) : filter(filter) {}
    const char* Find(const char* p) const override;

private:
    CharFilter filter;
};

// A separator is the delimiter text; an empty delimiter never matches.
class StringSplit : public TextTest {
public:
    explicit StringSplit(const String& delimiter) : delimiter(delimiter) {}
    const char* Find(const char* p) const override;

private:
    String delimiter;
};

// n separators give n + 1 pieces, empty ones included, unless ignore_empty
// drops them. Pieces are copied as they stand, without trimming.
Vector<String> SplitText(const char* text, const TextTest& test, bool ignore_empty);
// The text's bytes compare as signed chars, so only separators 1 to 127 match.
Vector<String> SplitText(const char* text, int separator, bool ignore_empty);
Vector<String> SplitText(const char* text, const String& delimiter, bool ignore_empty);

} // namespace Qor
