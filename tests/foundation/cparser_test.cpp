// CParser: each token kind, white space and comments, line and column in the
// error texts, the end of the text (never read past), and CStringLiteral.
#include "foundation/cparser.h"

#include "foundation/charset.h"

#include <gtest/gtest.h>
#include "tests/support/printers.h"

#include <cstring>
#include <functional>
#include <string>
#include <vector>

using namespace Qor;

namespace {

// The text in a heap block of exactly its size, so that the sanitizer build
// catches any read past the terminating NUL.
struct ExactText {
    char* block;
    explicit ExactText(const std::string& s) : block(new char[s.size() + 1])
    {
        std::memcpy(block, s.data(), s.size());
        block[s.size()] = 0;
    }
    ~ExactText() { delete[] block; }
    ExactText(const ExactText&) = delete;
    ExactText& operator=(const ExactText&) = delete;
    const char* Get() const { return block; }
};

// The message of the CParser::Error that f throws, or "no error".
std::string ErrorOf(const std::function<void()>& f)
{
    try {
        f();
    }
    catch(const CParser::Error& e) {
        return Std(e);
    }
    return "no error";
}

TEST(CParserTest, OnlySpaceAndCommentsReachTheEnd)
{
    const char* texts[] = {
        "", " ", "\t\r\n \x01\x1f", "// comment", "// a\n// b\n", "/* open comment", "/**/",
        "/* a */ // b\n  \n", "/*/ still inside */", "/* x * / */",
    };
    for(const char* text : texts) {
        ExactText t(text);
        CParser p(t.Get());
        EXPECT_TRUE(p.IsEof()) << text;
        EXPECT_EQ(p.GetCurrent(), t.Get() + std::strlen(text)) << text;
        EXPECT_TRUE(p.SkipSpaces()) << text; // true at the end as well
    }
}

TEST(CParserTest, SkipSpacesReportsWhetherItStartedOnSpaceOrComment)
{
    struct Case {
        const char* text;
        bool result;
        int stop; // offset of current afterwards
    } cases[] = {
        { "a", false, 0 }, { "/x", false, 0 }, { "/", false, 0 }, { " a", true, 1 },
        { " /x", true, 1 }, { "//x\nb", true, 4 }, { "/*x*/b", true, 5 }, { "/*/b", true, 4 },
        { "\x80", false, 0 },
    };
    for(const Case& c : cases) {
        // A token in front keeps the constructor's own skipping out of the way.
        std::string with_token = "." + std::string(c.text);
        ExactText u(with_token);
        CParser s(u.Get());
        s.SetSkipSpaces(false);
        ASSERT_TRUE(s.Char('.'));
        EXPECT_EQ(s.SkipSpaces(), c.result) << c.text;
        EXPECT_EQ(s.GetCurrent() - u.Get() - 1, c.stop) << c.text;
    }
}

TEST(CParserTest, CommentsCountLinesAndColumnsStartAfterTheLf)
{
    CParser p("a /* x\n y */ b");
    EXPECT_EQ(Std(p.TakeId()), "a");
    EXPECT_EQ(p.GetLine(), 2);
    EXPECT_EQ(ErrorOf([&] { p.ThrowError("missing id"); }), "(2,7): missing id");
    EXPECT_EQ(Std(p.TakeId()), "b");
    EXPECT_TRUE(p.IsEof());

    CParser q("// one\n\n  /* two\n\n */ x\n");
    EXPECT_EQ(q.GetLine(), 5);
    EXPECT_EQ(q.GetColumn(), 5);
    q.TakeId();
    EXPECT_EQ(q.GetLine(), 6);
    EXPECT_TRUE(q.IsEof());
}

TEST(CParserTest, ColumnsStopTabsAtFourKPlusOne)
{
    struct Case {
        const char* text; // an error is raised at the '!'
        int column;
    } cases[] = {
        { "!", 1 }, { "ab!", 3 }, { "\tx!", 6 }, { "x\t!", 5 }, { "abcd\t!", 9 },
        { "abc\t!", 5 }, { "\t\t!", 9 }, { "x\n  \t!", 5 },
    };
    for(const Case& c : cases) {
        CParser p(c.text);
        while(!p.IsChar('!'))
            p.SkipTerm();
        std::string expected = "(" + std::to_string(p.GetLine()) + "," + std::to_string(c.column) +
                               "): missing ';'";
        EXPECT_EQ(ErrorOf([&] { p.ExpectChar(';'); }), expected) << c.text;
    }
}

TEST(CParserTest, ErrorCarriesSourceNameAndIsAnExc)
{
    CParser p("\n  1");
    p.SetSourceName("de-de.tr");
    try {
        p.TakeId();
        FAIL() << "no error";
    }
    catch(const Exc& e) {
        EXPECT_EQ(Std(e), "de-de.tr(2,3): missing id");
    }
    // The position stays where the error was found.
    EXPECT_EQ(p.TakeInt(), 1);
}

TEST(CParserTest, Identifiers)
{
    struct Case {
        const char* text;
        const char* id;
        char next; // the character after the identifier and the spacing step
    } cases[] = {
        { "abc", "abc", 0 }, { "_x1 y", "_x1", 'y' }, { "Z9_z+", "Z9_z", '+' },
        { "a/**/b", "a", 'b' }, { "a\xC3\xA9", "a", '\xC3' }, { "__ //c", "__", 0 },
    };
    for(const Case& c : cases) {
        ExactText t(c.text);
        CParser p(t.Get());
        EXPECT_TRUE(p.IsId());
        EXPECT_EQ(Std(p.TakeId()), c.id);
        EXPECT_TRUE(p.IsChar(c.next)) << c.text;
    }
    const char* not_ids[] = { "1a", "", "\xC3\xA9", "-a", "$" };
    for(const char* text : not_ids) {
        CParser p(text);
        EXPECT_FALSE(p.IsId());
        EXPECT_EQ(ErrorOf([&] { p.TakeId(); }), "(1,1): missing id") << text;
        EXPECT_EQ(p.GetCurrent(), text);
    }
}

TEST(CParserTest, MatchAndExpectWholeWords)
{
    struct Case {
        const char* text;
        const char* word;
        bool match;
        char next;
    } cases[] = {
        { "int x", "int", true, 'x' }, { "integer", "int", false, 'i' }, { "int", "int", true, 0 },
        { "in", "int", false, 'i' }, { "int_", "int", false, 'i' }, { "int2", "int", false, 'i' },
        { "int(", "int", true, '(' }, { "int//c\n;", "int", true, ';' }, { "Int", "int", false, 'I' },
    };
    for(const Case& c : cases) {
        ExactText t(c.text);
        CParser p(t.Get());
        EXPECT_EQ(p.MatchId(c.word), c.match) << c.text;
        EXPECT_TRUE(p.IsChar(c.next)) << c.text;
    }
    CParser p("LANGUAGE x");
    EXPECT_EQ(ErrorOf([&] { p.ExpectId("LANG"); }), "(1,1): missing 'LANG'");
    p.ExpectId("LANGUAGE");
    EXPECT_EQ(ErrorOf([&] { p.ExpectId("y"); }), "(1,10): missing 'y'");
}

TEST(CParserTest, SingleCharacters)
{
    CParser p("; ,\xB0");
    EXPECT_TRUE(p.IsChar(';'));
    EXPECT_FALSE(p.Char(','));
    EXPECT_TRUE(p.Char(';'));
    EXPECT_EQ(ErrorOf([&] { p.ExpectChar(';'); }), "(1,3): missing ';'");
    p.ExpectChar(',');
    EXPECT_TRUE(p.Char('\xB0')); // bytes from 128 up are single-character tokens
    EXPECT_TRUE(p.IsEof());
    EXPECT_TRUE(p.IsChar(0));
    EXPECT_FALSE(p.Char(0)); // the NUL is never consumed
    EXPECT_TRUE(p.IsEof());
}

TEST(CParserTest, Integers)
{
    struct Case {
        const char* text;
        int value;
        int stop; // offset of current afterwards
    } cases[] = {
        { "0", 0, 1 }, { "123", 123, 3 }, { "-5", -5, 2 }, { "+7 ", 7, 3 }, { "- 12", -12, 4 },
        { "-/* c */3", -3, 9 }, { "-0x1", 0, 2 }, { "007;", 7, 3 }, { "2147483647", 2147483647, 10 },
        { "-2147483648", -2147483647 - 1, 11 }, { "4294967297", 1, 10 }, { "12a", 12, 2 },
    };
    for(const Case& c : cases) {
        ExactText t(c.text);
        CParser p(t.Get());
        EXPECT_EQ(p.TakeInt(), c.value) << c.text;
        EXPECT_EQ(p.GetCurrent() - t.Get(), c.stop) << c.text;
    }
    struct Bad {
        const char* text;
        const char* error;
    } bad[] = {
        { "+a", "(1,2): missing number" }, { "-", "(1,2): missing number" },
        { "x", "(1,1): missing number" }, { "", "(1,1): missing number" },
        { "- -1", "(1,3): missing number" }, { "\n-\n x", "(3,2): missing number" },
    };
    for(const Bad& b : bad) {
        ExactText t(b.text);
        CParser p(t.Get());
        EXPECT_EQ(ErrorOf([&] { p.TakeInt(); }), b.error) << b.text;
    }
}

TEST(CParserTest, SignSpacesAreSkippedEvenWithSpacingOff)
{
    CParser p("- 12 x");
    p.SetSkipSpaces(false);
    EXPECT_EQ(p.TakeInt(), -12);
    EXPECT_TRUE(p.IsChar(' '));
    EXPECT_EQ(p.GetLastTokenEnd(), p.GetCurrent());
}

TEST(CParserTest, LiteralEscapes)
{
    struct Case {
        const char* text;
        std::string value;
    } cases[] = {
        { R"("a\101\x41\q")", "aAAq" },
        { R"("\a\b\f\n\r\t\v")", "\a\b\f\n\r\t\v" },
        { R"("\\\"\'\?")", "\\\"'?" },
        { R"("\x")", std::string(1, '\0') },
        { R"("\xg")", std::string(1, '\0') + "g" },
        { R"("\x4142")", "A42" },
        { R"("\xfF")", "\xff" },
        { R"("\0")", std::string(1, '\0') },
        { R"("\777")", "\xff" },
        { R"("\1234")", "S4" },
        { R"("\18")", "\x01" "8" },
        { R"("\8\9")", "89" },
        { R"("\u0041")", "u0041" },
        { "\"a\xC8\x7F\"", "a\xC8\x7F" },
        { R"("")", "" },
        { R"('it''s' "x")", "its" },
    };
    for(const Case& c : cases) {
        ExactText t(c.text);
        CParser p(t.Get());
        EXPECT_EQ(Std(p.TakeString(c.text[0])), c.value) << c.text;
    }
}

TEST(CParserTest, UnicodeEscapesFollowTheDefaultCharset)
{
    int saved = DefaultCharset();
    SetDefaultCharset(CHARSET_UTF8);
    struct Case {
        const char* text;
        bool unicode;
        std::string value;
    } cases[] = {
        { R"("\u0041")", false, "u0041" }, { R"("\u0041")", true, "A" },
        { R"("\u00e9")", true, "\xC3\xA9" }, { R"("\u20AC1")", true, "\xE2\x82\xAC" "1" },
        { R"("\u41")", true, "A" }, { R"("\u")", true, std::string(1, '\0') },
    };
    for(const Case& c : cases) {
        CParser p(c.text);
        p.SetUnicodeEscapes(c.unicode);
        EXPECT_EQ(Std(p.TakeString()), c.value) << c.text;
    }
    SetDefaultCharset(saved);
}

TEST(CParserTest, AdjacentLiteralsAreJoined)
{
    struct Case {
        const char* text;
        bool skip_spaces;
        std::string value;
        char next;
    } cases[] = {
        { R"("ab" "cd")", true, "abcd", 0 },
        { "\"ab\" /* c */\n\"cd\"\n\"e\";", true, "abcde", ';' },
        { R"("ab""cd" x)", false, "abcd", ' ' },
        { R"("ab" "cd")", false, "ab", ' ' },
        { R"("ab" 'cd')", true, "ab", '\'' },
    };
    for(const Case& c : cases) {
        CParser p(c.text);
        p.SetSkipSpaces(c.skip_spaces);
        EXPECT_EQ(Std(p.TakeString()), c.value) << c.text;
        EXPECT_TRUE(p.IsChar(c.next)) << c.text;
    }
}

TEST(CParserTest, UnterminatedLiterals)
{
    struct Case {
        const char* text;
        const char* error; // with the end check
        std::string value; // without it
        char next;         // without it
    } cases[] = {
        { "\"abc", "(1,5): Unterminated string", "abc", 0 },
        { "\"ab\ncd\" x", "(1,4): Unterminated string", "ab\ncd", 'x' },
        { "\"a\tb\"", "(1,3): Unterminated string", "a\tb", 0 },
        { "\"ab\\", "(1,5): Unterminated string", "ab", 0 },  // a backslash at the very end
        { "\"\\", "(1,3): Unterminated string", "", 0 },
        { "\"a\\\nb\"", "no error", "a\nb", 0 },              // an escaped LF is taken
    };
    for(const Case& c : cases) {
        ExactText t1(c.text);
        CParser p(t1.Get());
        EXPECT_EQ(ErrorOf([&] { p.TakeString(); }), c.error) << c.text;
        ExactText t2(c.text);
        CParser q(t2.Get());
        EXPECT_EQ(Std(q.TakeString(false)), c.value) << c.text;
        EXPECT_TRUE(q.IsChar(c.next)) << c.text;
    }
    CParser p("x\"a\"");
    EXPECT_EQ(ErrorOf([&] { p.TakeOneString('\"', true); }), "(1,1): missing string");
    EXPECT_EQ(ErrorOf([&] { p.TakeString(); }), "(1,1): missing string");
}

TEST(CParserTest, LinesInsideLiteralsAreCounted)
{
    CParser p("\"a\nb\" \"c\\\nd\"\n  x");
    EXPECT_EQ(Std(p.TakeString(false)), "a\nbc\nd");
    EXPECT_EQ(p.GetLine(), 4);
    EXPECT_EQ(ErrorOf([&] { p.TakeInt(); }), "(4,3): missing number");
}

TEST(CParserTest, SkipTermStepsOverEachTokenKind)
{
    struct Case {
        const char* text;
        bool skip_spaces;
        std::vector<int> stops; // offset of current after each SkipTerm up to the end
    } cases[] = {
        { "abc 123 \"s\\\"t\" 'c' +\xC3", true, { 4, 8, 15, 19, 20, 21 } },
        { "a1_2b;;", true, { 5, 6, 7 } },
        { "12ab", true, { 2, 4 } },
        { "\"open", true, { 5 } },
        { "\"x\\", true, { 3 } },
        { "a b\nc", false, { 1, 2, 3, 4, 5 } },
        { " /", false, { 2 } }, // the constructor skips the leading space
    };
    for(const Case& c : cases) {
        ExactText t(c.text);
        CParser p(t.Get());
        p.SetSkipSpaces(c.skip_spaces);
        std::vector<int> stops;
        while(!p.IsEof() && stops.size() < 20) {
            p.SkipTerm();
            stops.push_back(int(p.GetCurrent() - t.Get()));
        }
        EXPECT_EQ(stops, c.stops) << c.text;
        p.SkipTerm(); // at the end: nothing
        EXPECT_TRUE(p.IsEof());
    }
    CParser p("a\nb");
    p.SetSkipSpaces(false);
    p.SkipTerm();
    p.SkipTerm();
    EXPECT_EQ(p.GetLine(), 2);
    EXPECT_EQ(p.GetLineStart(), p.GetCurrent());
}

TEST(CParserTest, SpacingOffLeavesSpacesAndComments)
{
    CParser p("  a /*c*/b");
    EXPECT_TRUE(p.IsId()); // the constructor still skips leading space
    p.SetSkipSpaces(false);
    EXPECT_EQ(Std(p.TakeId()), "a");
    EXPECT_TRUE(p.IsChar(' '));
    EXPECT_TRUE(p.SkipSpaces());
    EXPECT_EQ(Std(p.TakeId()), "b");
    p.SetSkipSpaces(true);
    CParser q("a  b");
    q.TakeId();
    EXPECT_EQ(q.GetLastTokenEnd() - q.GetLineStart(), 1);
    EXPECT_EQ(q.GetCurrent() - q.GetLineStart(), 3);
}

TEST(CParserTest, TextEndsAtAnEmbeddedNul)
{
    const char text[] = "ab\0cd";
    CParser p(text);
    EXPECT_EQ(Std(p.TakeId()), "ab");
    EXPECT_TRUE(p.IsEof());
    const char literal[] = "\"ab\0cd\"";
    CParser q(literal);
    EXPECT_EQ(ErrorOf([&] { q.TakeString(); }), "(1,4): Unterminated string");
    const char comment[] = "/* a\0 */ x";
    CParser r(comment);
    EXPECT_TRUE(r.IsEof());
}

TEST(CStringLiteralTest, EscapesAndFlags)
{
    struct Case {
        std::string text;
        uint32 flags;
        std::string literal;
    } cases[] = {
        { "a\n\t\xC8", 0, "\"a\\n\\t\xC8\"" },
        { "a\n\t\xC8", CSTRING_ESCAPE_HIGH, "\"a\\n\\t\\310\"" },
        { "a\n\t\xC8", CSTRING_ESCAPE_HIGH | CSTRING_HEX_ESCAPES, "\"a\\n\\t\\u00C8\"" },
        { "\a\b\v\f\r", 0, "\"\\a\\b\\v\\f\\r\"" },
        { "\"q\\", 0, "\"\\\"q\\\\\"" },
        { std::string("\0\x01\x1F\x7F\xFF", 5), 0, "\"\\000\\001\\037\\177\\377\"" },
        { "\x7F\xFF\x80", CSTRING_HEX_ESCAPES, "\"\\u007F\\u00FF\x80\"" },
        { "\x80\xFE", CSTRING_ESCAPE_HIGH, "\"\\200\\376\"" },
        { "' ?~", 0, "\"' ?~\"" },
        { "", 0, "\"\"" },
    };
    for(const Case& c : cases) {
        String s(c.text.data(), (int)c.text.size());
        EXPECT_EQ(Std(CStringLiteral(s, 80, nullptr, c.flags)), c.literal) << c.literal;
    }
}

TEST(CStringLiteralTest, LineWrapping)
{
    struct Case {
        const char* text;
        int line_length;
        const char* prefix;
        uint32 flags;
        const char* literal;
    } cases[] = {
        { "abcdefgh", 5, nullptr, 0, "\"abcde\"\r\n\"fgh\"" },
        { "abcdefgh", 5, "\t", 0, "\"abcde\"\r\n\t\"fgh\"" },
        { "abcdefghijkl", 4, nullptr, 0, "\"abcd\"\r\n\"efgh\"\r\n\"ijkl\"" },
        { "abcdefghijkl", 4, "  ", 0, "\"abcd\"\r\n  \"ef\"\r\n  \"gh\"\r\n  \"ij\"\r\n  \"kl\"" },
        { "one two three", 3, nullptr, CSTRING_BREAK_AT_SPACE, "\"one \"\r\n\"two \"\r\n\"three\"" },
        { "ab\ncd ef", 1, nullptr, CSTRING_BREAK_AT_SPACE, "\"ab\\n\"\r\n\"cd \"\r\n\"ef\"" },
        { "abcdefgh", 2147483647, nullptr, 0, "\"abcdefgh\"" },
        { "a\tb", 2, nullptr, 0, "\"a\\t\"\r\n\"b\"" },
    };
    for(const Case& c : cases) {
        String text(c.text);
        EXPECT_EQ(Std(CStringLiteral(text.Begin(), text.End(), c.line_length, c.prefix, c.flags)),
                  c.literal) << c.text << " " << c.line_length;
    }
}

TEST(CStringLiteralTest, ReadsBackToTheSameBytes)
{
    std::string every;
    for(int i = 0; i < 256; i++)
        every += char(i);
    const std::string texts[] = {
        "", "plain", "with \"quotes\" and \\ backslashes", every, every + every,
        "line one\nline two\r\n\ttabbed", std::string("\x01" "5\0" "9", 4), "\xC3\xA9t\xC3\xA9",
    };
    struct Layout {
        int line_length;
        const char* prefix;
        uint32 flags;
    } layouts[] = {
        { 2147483647, nullptr, 0 }, { 60, "\t", CSTRING_BREAK_AT_SPACE }, { 70, nullptr, 0 },
        { 1, "  ", CSTRING_ESCAPE_HIGH }, { 0, "\t/* c */ ", 0 },
    };
    for(const std::string& text : texts)
        for(const Layout& l : layouts) {
            String s(text.data(), (int)text.size());
            String literal = CStringLiteral(s, l.line_length, l.prefix, l.flags);
            CParser p(literal.Begin());
            EXPECT_EQ(Std(p.TakeString()), text) << Std(literal);
            EXPECT_TRUE(p.IsEof());
        }
}

} // namespace
