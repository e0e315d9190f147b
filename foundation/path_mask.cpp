// Matching file names against wildcard masks and lists of masks.
#include "foundation/path.h"

#include "foundation/chartable.h"

#include <cstring>

namespace Qor {

// Each byte is taken as a code point, so Latin-1 letters fold as well.
static int FoldedByte(const char* p)
{
    return CapitalCaseChar((byte)*p);
}

// Walks pattern and name together. On a mismatch the last '*' seen takes one
// more byte of the name and the walk resumes after it; trying only the last
// '*' gives the same answers as trying every '*' in turn, without the
// exponential cost of "*a*a*a*b"-like patterns.
bool MatchesWildcard(const char* pattern, const char* name)
{
    const char* after_star = nullptr;
    const char* star_name = nullptr;
    for(;;) {
        if(*pattern == '*') {
            while(*pattern == '*')
                pattern++;
            if(!*pattern)
                return true;
            after_star = pattern;
            star_name = name;
            continue;
        }
        if(*name && (*pattern == '?' || (*pattern && FoldedByte(pattern) == FoldedByte(name)))) {
            pattern++;
            name++;
            continue;
        }
        if(!*pattern && !*name)
            return true;
        // What follows a '*' needs at least one byte, so the end of the name stops it.
        if(!after_star || !*star_name)
            return false;
        pattern = after_star;
        name = ++star_name;
    }
}

bool MatchesPattern(const char* pattern, const char* name)
{
    const char* dot = std::strchr(pattern, '.');
    if(dot) {
        String before(pattern, int(dot - pattern));
        if(dot[1] == '\0')
            return !std::strchr(name, '.') && MatchesWildcard(before.Begin(), name);
        if(dot[1] == '*' && dot[2] == '\0')
            return MatchesWildcard(before.Begin(), name) || MatchesWildcard(pattern, name);
    }
    return MatchesWildcard(pattern, name);
}

static bool IsListSeparator(char c)
{
    return c == ' ' || c == ',' || c == ';';
}

bool MatchesPatternList(const char* patterns, const char* name)
{
    const char* p = patterns;
    while(*p) {
        const char* e = p;
        while(*e && !IsListSeparator(*e))
            e++;
        if(MatchesPattern(String(p, int(e - p)).Begin(), name))
            return true;
        while(IsListSeparator(*e))
            e++;
        p = e;
    }
    return false;
}

} // namespace Qor
