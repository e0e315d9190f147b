// Word motion over a character sequence.

#include "widgets/edit/text_array_ops.h"

#include "foundation/chartable.h"

namespace Qor {

namespace {

// Word motion gives up on a run this long rather than walk it.
constexpr int WORD_MOTION_LIMIT = 10000;

} // namespace

bool IsWordChar(int c) { return (c >= '0' && c <= '9') || c == '_' || IsLetterChar(c); }

int TextArrayOps::GetPrevWordStart(int c) const
{
    if(c <= 0)
        return 0;
    bool k = IsWordChar(GetChar(c - 1));
    int p = c;
    for(int steps = 0; p > 0 && IsWordChar(GetChar(p - 1)) == k; steps++) {
        if(steps >= WORD_MOTION_LIMIT)
            return c;
        p--;
    }
    return p;
}

int TextArrayOps::GetNextWordEnd(int c) const
{
    int n = GetLength();
    if(c >= n)
        return c;
    bool k = IsWordChar(GetChar(c));
    int p = c;
    for(int steps = 0; p < n && IsWordChar(GetChar(p)) == k; steps++) {
        if(steps >= WORD_MOTION_LIMIT)
            return c;
        p++;
    }
    return p;
}

int TextArrayOps::GetRunStart(int c) const
{
    if(c <= 0)
        return 0;
    bool k = IsWordChar(GetChar(c - 1));
    while(c > 0 && IsWordChar(GetChar(c - 1)) == k)
        c--;
    return c;
}

int TextArrayOps::GetRunEnd(int c) const
{
    int n = GetLength();
    if(c >= n)
        return c;
    bool k = IsWordChar(GetChar(c));
    while(c < n && IsWordChar(GetChar(c)) == k)
        c++;
    return c;
}

bool TextArrayOps::GetWordSelection(int c, int& l, int& h) const
{
    if(c < 0 || c >= GetLength() || !IsWordChar(GetChar(c)))
        return false;
    l = c;
    while(l > 0 && IsWordChar(GetChar(l - 1)))
        l--;
    h = GetRunEnd(c);
    while(h < GetLength() && GetChar(h) == ' ')
        h++;
    return true;
}

} // namespace Qor
