// CParser: the token readers, white space and comment skipping, and the error
// text with line and column. Every reader stops at the NUL that ends the text.
#include "foundation/cparser.h"

#include "foundation/charset.h"

#include <cstdio>

namespace Qor {

namespace {

int HexValue(int c)
{
    if(CParser::IsDigit(c))
        return c - '0';
    c |= 0x20;
    return (unsigned)(c - 'a') < 6 ? c - 'a' + 10 : -1;
}

bool IsOctal(int c) { return (unsigned)(c - '0') < 8; }

} // namespace

CParser::CParser(const char* text)
    : current(text), last_token_end(text), line_start(text), line(1),
      skip_spaces(true), unicode_escapes(false)
{
    SkipSpaces();
}

bool CParser::SkipSpaces()
{
    if((byte)*current > ' ' && !(current[0] == '/' && (current[1] == '/' || current[1] == '*')))
        return false;
    for(;;) {
        int c = (byte)*current;
        if(c == '/') {
            if(current[1] == '/') {
                current += 2;
                while(*current && *current != '\n')
                    current++;
            }
            else if(current[1] == '*') {
                current += 2;
                for(;;) {
                    if(*current == 0)
                        return true;
                    if(current[0] == '*' && current[1] == '/') {
                        current += 2;
                        break;
                    }
                    if(*current == '\n')
                        NewLine();
                    else
                        current++;
                }
            }
            else
                return true;
        }
        else if(c == 0 || c > ' ')
            return true;
        else if(c == '\n')
            NewLine();
        else
            current++;
    }
}

// The spacing step after each token. The end of the last token is kept with
// spacing off too, where it is simply the current position.
void CParser::AfterToken()
{
    last_token_end = current;
    if(skip_spaces && ((byte)*current <= ' ' || *current == '/'))
        SkipSpaces();
}

bool CParser::Char(char c)
{
    // The NUL is never consumed: it ends the text.
    if(c == 0 || *current != c)
        return false;
    current++;
    AfterToken();
    return true;
}

void CParser::ExpectChar(char c)
{
    if(!Char(c))
        ThrowError(String("missing '") + c + "'");
}

bool CParser::MatchId(const char* word)
{
    const char* s = current;
    while(*word)
        if(*s++ != *word++)
            return false; // a mismatch at the text's NUL stops here too
    if(IsIdChar((byte)*s))
        return false;
    current = s;
    AfterToken();
    return true;
}

void CParser::ExpectId(const char* word)
{
    if(!MatchId(word))
        ThrowError(String("missing '") + word + "'");
}

String CParser::TakeId()
{
    if(!IsIdStart((byte)*current))
        ThrowError("missing id");
    const char* start = current;
    while(IsIdChar((byte)*current))
        current++;
    String id(start, int(current - start));
    AfterToken();
    return id;
}

int CParser::TakeInt()
{
    bool negative = false;
    if(*current == '-' || *current == '+')
        negative = *current++ == '-';
    last_token_end = current;
    SkipSpaces(); // between the sign and the digits, whatever the spacing setting
    if(!IsDigit((byte)*current))
        ThrowError("missing number");
    // Unsigned, so that numbers beyond 32 bits wrap instead of overflowing.
    uint32 value = 0;
    while(IsDigit((byte)*current))
        value = value * 10 + uint32(*current++ - '0');
    AfterToken();
    return int(negative ? 0u - value : value);
}

// The escape after a backslash; current is at the character after the backslash,
// which is not the NUL. Returns the byte it stands for.
int CParser::ReadEscape()
{
    int c = (byte)*current++;
    switch(c) {
    case 'a': return 7;
    case 'b': return 8;
    case 'f': return 12;
    case 'n': return 10;
    case 'r': return 13;
    case 't': return 9;
    case 'v': return 11;
    case 'x': {
        int value = 0;
        for(int i = 0; i < 2 && HexValue((byte)*current) >= 0; i++)
            value = value * 16 + HexValue((byte)*current++);
        return value;
    }
    }
    if(IsOctal(c)) {
        int value = c - '0';
        for(int i = 1; i < 3 && IsOctal((byte)*current); i++)
            value = value * 8 + (*current++ - '0');
        return value & 255;
    }
    return c;
}

String CParser::TakeOneString(char delimiter, bool check_end)
{
    if(delimiter == 0 || *current != delimiter)
        ThrowError("missing string");
    current++;
    String out;
    for(;;) {
        int c = (byte)*current;
        if(c == (byte)delimiter) {
            current++;
            break;
        }
        if(c == '\\') {
            if(current[1] == 0) {
                // A backslash right before the end of the text: the literal ends
                // there, or with the end check it is unterminated.
                current++;
                if(check_end)
                    ThrowError("Unterminated string");
                break;
            }
            current++;
            if(*current == 'u' && unicode_escapes) {
                current++;
                int code = 0;
                for(int i = 0; i < 4 && HexValue((byte)*current) >= 0; i++)
                    code = code * 16 + HexValue((byte)*current++);
                wchar16 unit = wchar16(code);
                out.Append(EncodeText(&unit, 1));
            }
            else if(*current == '\n') {
                out.AppendChar('\n');
                NewLine();
            }
            else
                out.AppendChar(ReadEscape());
            continue;
        }
        if(c < ' ') {
            if(check_end)
                ThrowError("Unterminated string");
            if(c == 0)
                break; // current stays at the NUL
        }
        out.AppendChar(c);
        if(c == '\n')
            NewLine(); // keeps the line count true for errors further on
        else
            current++;
    }
    AfterToken();
    return out;
}

String CParser::TakeString(char delimiter, bool check_end)
{
    String out = TakeOneString(delimiter, check_end);
    while(IsString(delimiter))
        out.Append(TakeOneString(delimiter, check_end));
    return out;
}

void CParser::SkipTerm()
{
    int c = (byte)*current;
    if(IsIdStart(c))
        while(IsIdChar((byte)*current))
            current++;
    else if(IsDigit(c))
        while(IsDigit((byte)*current))
            current++;
    else if(c == '\"' || c == '\'')
        TakeOneString(char(c), false);
    else if(c == '\n')
        NewLine();
    else if(c != 0)
        current++;
    AfterToken();
}

int CParser::GetColumn() const
{
    int column = 1;
    for(const char* s = line_start; s < current; s++)
        column = *s == '\t' ? (column + 3) / 4 * 4 + 1 : column + 1;
    return column;
}

void CParser::ThrowError(const char* message) const
{
    char position[40];
    std::snprintf(position, sizeof(position), "(%d,%d): ", line, GetColumn());
    throw Error(source_name + position + message);
}

} // namespace Qor
