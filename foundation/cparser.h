// CParser: a tokenizer over a NUL-terminated C-like text (identifiers, decimal
// integers, quoted literals with C escapes, single characters; white space and
// comments skipped between tokens), and CStringLiteral, which writes a text back
// as a C string literal.
#pragma once

#include "foundation/exc.h"
#include "foundation/string.h"
#include "foundation/types.h"

namespace Qor {

class CParser {
public:
    // The message carries the source name, line and column: "name(3,7): missing id".
    class Error : public Exc {
    public:
        Error() = default;
        Error(const char* text) : Exc(text) {}
        Error(const String& text) : Exc(text) {}
    };

    // The text is not copied: it must stay unchanged while the parser reads it.
    explicit CParser(const char* text);

    bool SkipSpaces();

    bool IsEof() const { return *current == 0; }
    bool IsChar(char c) const { return *current == c; }
    bool IsId() const { return IsIdStart((byte)*current); }
    bool IsInt() const { return IsDigit((byte)*current); }
    bool IsString(char delimiter = '\"') const { return delimiter && *current == delimiter; }
    bool Char(char c);
    void ExpectChar(char c);
    bool MatchId(const char* word);
    void ExpectId(const char* word);

    String TakeId();
    int TakeInt();
    String TakeString(bool check_end = true) { return TakeString('\"', check_end); }
    String TakeString(char delimiter, bool check_end = true);
    String TakeOneString(char delimiter = '\"', bool check_end = true);

    void SkipTerm();
    void SkipToken() { SkipTerm(); }

    [[noreturn]] void ThrowError(const char* message) const;
    [[noreturn]] void ThrowError(const String& message) const { ThrowError(message.Begin()); }

    // Position and settings.
    const char* GetCurrent() const { return current; }
    const char* GetLastTokenEnd() const { return last_token_end; }
    const char* GetLineStart() const { return line_start; }
    int GetLine() const { return line; }
    int GetColumn() const; // from 1, TABs stopping at columns 4k + 1
    const String& GetSourceName() const { return source_name; }
    void SetSourceName(const String& name) { source_name = name; }
    bool IsSkipSpaces() const { return skip_spaces; }
    void SetSkipSpaces(bool on) { skip_spaces = on; }
    bool IsUnicodeEscapes() const { return unicode_escapes; }
    void SetUnicodeEscapes(bool on) { unicode_escapes = on; }

    static bool IsLetter(int c) { return (unsigned)((c | 0x20) - 'a') < 26; }
    static bool IsDigit(int c) { return (unsigned)(c - '0') < 10; }
    static bool IsIdStart(int c) { return IsLetter(c) || c == '_'; }
    static bool IsIdChar(int c) { return IsIdStart(c) || IsDigit(c); }

private:
    const char* current;
    const char* last_token_end;
    const char* line_start;
    int32 line;
    String source_name;
    bool skip_spaces;
    bool unicode_escapes;

    void AfterToken();
    void NewLine() { line++; line_start = ++current; } // current is at an LF
    int ReadEscape();
};

// Flags of CStringLiteral.
enum {
    CSTRING_BREAK_AT_SPACE = 1, // wrap only after a space or an escaped LF
    CSTRING_ESCAPE_HIGH = 2,    // escape every byte from 127 up
    CSTRING_HEX_ESCAPES = 4,    // escape as \u00XX instead of three octal digits
};

// The bytes as one double-quoted literal; when an output line passes line_length,
// the literal is closed, the line ends with CR LF and the next one starts with
// line_prefix (nullptr for none) and a new quote.
String CStringLiteral(const char* begin, const char* end, int line_length = 2147483647,
                      const char* line_prefix = nullptr, uint32 flags = 0);
String CStringLiteral(const String& text, int line_length = 2147483647,
                      const char* line_prefix = nullptr, uint32 flags = 0);

} // namespace Qor
