// TextArrayOps: word motion and word selection over any indexable character sequence.
#pragma once

namespace Qor {

// '0'-'9', '_' and the letters of the character table (codes below 2048); every other
// code, 2048 and up included, is a non-word character.
bool IsWordChar(int c);

class TextArrayOps {
public:
    virtual int GetLength() const = 0;
    virtual int GetChar(int i) const = 0;
    virtual ~TextArrayOps() = default;

    // The start of the run of one word class that ends at c; c itself when the run is
    // longer than the motion's bound.
    int GetPrevWordStart(int c) const;
    // The end of the run of one word class that starts at c, bounded as above.
    int GetNextWordEnd(int c) const;
    // False when the character at c is not a word character; else [l, h) is its word and
    // the spaces after it.
    bool GetWordSelection(int c, int& l, int& h) const;
    // The start of the run of one word class that ends at c, and the end of the one that
    // starts there, without a bound (what word deletion removes).
    int GetRunStart(int c) const;
    int GetRunEnd(int c) const;
};

} // namespace Qor
