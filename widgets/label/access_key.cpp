// Access keys: marks in captions, automatic choice and matching key presses.

#include "widgets/label/access_key.h"

#include "ctrl/tree/ctrl_class.h"
#include "foundation/charset.h"
#include "foundation/chartable.h"
#include "foundation/wstring.h"

#include <cstring>

namespace Qor {

namespace {

enum : int { MARK_BACKSPACE = 8, RICH_TEXT_BYTE = 1 };

// The key a character stands for: the ASCII letter its capital form is based on, so an
// accented letter gives its plain letter; digits and punctuation are their own key. A letter
// without a capital of its own (ß) is based on a small letter: the key is its capital, the
// form key presses and the painter compare.
int KeyOfChar(int ch)
{
    int capital = CapitalCaseChar(ch);
    if(capital < 128)
        return capital;
    return CapitalCaseChar(BaseAsciiChar(capital));
}

// The characters of 8-bit text in the default character set before byte offset n: the
// position a key painter counts in, which differs from n for every multi-byte character.
int CharCountBefore(const String& text, int n) { return DecodeText(text.Begin(), n).GetLength(); }

} // namespace

int ExtractAccessKey(const char* text, String& cleaned)
{
    // Built apart: text may point into cleaned.
    String out;
    if(!text) {
        cleaned = out;
        return 0;
    }
    bool rich = *text == RICH_TEXT_BYTE;
    int marked_at = -1; // byte offset in cleaned of the marked character
    for(const char* s = text; *s;) {
        bool mark = *s == MARK_BACKSPACE || (!rich && *s == '&');
        if(mark && s[1] && s[1] != '&') {
            marked_at = out.GetLength();
            s++;
            continue;
        }
        if(mark && !rich && s[1] == '&') {
            // "&&" (or backspace with '&') is one literal ampersand; what follows is looked at afresh.
            out.AppendChar('&');
            s += 2;
            continue;
        }
        out.AppendChar((byte)*s++);
    }
    cleaned = out;
    if(marked_at < 0)
        return 0;
    WString marked = DecodeText(out.Begin() + marked_at, out.GetLength() - marked_at);
    int key = marked.GetLength() ? KeyOfChar(marked[0]) : 0;
    return (CharCountBefore(out, marked_at) + 1) << 16 | key;
}

int ChooseAccessKey(const char* text, dword used)
{
    if(!text)
        return 0;
    WString chars = DecodeText(text, (int)std::strlen(text));
    int n = chars.GetLength();
    auto is_free = [&](int key) { return key >= 'A' && key <= 'Z' && !(AccessKeyMask(key) & used); };
    for(int i = 0; i < n; i++)
        if(is_free(chars[i]))
            return (i + 1) << 16 | chars[i];
    // Narrow I and L make a poor underline: any other letter first.
    for(int i = 0; i < n; i++) {
        int c = CapitalCaseChar(chars[i]);
        if(c != 'I' && c != 'L' && is_free(c))
            return c;
    }
    for(int i = 0; i < n; i++) {
        int c = CapitalCaseChar(chars[i]);
        if(is_free(c))
            return c;
    }
    return 0;
}

bool MatchesAccessKey(int access_key, dword key_code)
{
    if(access_key == 0)
        return false;
    return key_code == dword(0x90000 + CapitalCaseChar(access_key & 0xFF));
}

} // namespace Qor
