// String: the three storage forms byte for byte, sharing, growth, comparison, hashing, stripping.
#include "foundation/string.h"
#include "foundation/charset.h"

#include "foundation/heap.h"

#include <gtest/gtest.h>

#include <string>

using namespace Qor;

namespace {

// The 16 bytes and the block header of a String, read without its accessors.
struct Layout {
    int kind;
    int byte15;
    int32 len;
    const char* ptr;
    bool large;

    explicit Layout(const String& s)
    {
        const char* raw = s.RawBytes();
        kind = (byte)raw[14];
        byte15 = (byte)raw[15];
        large = kind != 0;
        std::memcpy(&ptr, raw, 8);
        std::memcpy(&len, raw + 8, 4);
    }
    int32 Refs() const { int32 v; std::memcpy(&v, ptr - 8, 4); return v; }
    int32 Cap() const { int32 v; std::memcpy(&v, ptr - 4, 4); return v; }
};

std::string Text(int n, char first = 'a')
{
    std::string t;
    for(int i = 0; i < n; i++)
        t += char(first + i % 26);
    return t;
}

String Make(int n) { std::string t = Text(n); return String(t.data(), (int)t.size()); }

// Checks the form a String of the given text must have after construction.
void ExpectFreshForm(const String& s, const std::string& t)
{
    int n = (int)t.size();
    Layout l(s);
    ASSERT_EQ(s.GetLength(), n);
    EXPECT_EQ(std::string(s.Begin(), n), t);
    EXPECT_EQ(s.Begin()[n], 0);
    if(n <= 14) {
        EXPECT_EQ(l.kind, 0);
        EXPECT_EQ(l.byte15, n);
        for(int i = n; i < 15; i++)
            EXPECT_EQ(s.RawBytes()[i], 0) << "byte " << i;
        EXPECT_EQ(s.GetCapacity(), 14);
        return;
    }
    EXPECT_EQ(l.byte15, 15);
    EXPECT_EQ(l.len, n);
    if(n <= 31) {
        EXPECT_EQ(l.kind, 31);
        EXPECT_EQ(s.GetCapacity(), 31);
        EXPECT_FALSE(s.IsShared());
        return;
    }
    EXPECT_EQ(l.kind, n < 255 ? n : 255);
    EXPECT_EQ(l.Refs(), 1);
    EXPECT_EQ(l.Cap(), n);
    EXPECT_EQ(s.GetCapacity(), n);
}

} // namespace

TEST(StringForm, ConstructionFollowsLength)
{
    for(int n : { 0, 1, 13, 14, 15, 31, 32, 33, 254, 255, 300 }) {
        SCOPED_TRACE(n);
        std::string t = Text(n);
        ExpectFreshForm(String(t.data(), n), t);
        ExpectFreshForm(String(t.c_str()), t);
    }
}

TEST(StringForm, EmptyIsSixteenZeroBytes)
{
    const char zero[16] = {};
    EXPECT_EQ(std::memcmp(String().RawBytes(), zero, 16), 0);
    EXPECT_EQ(std::memcmp(String((const char*)nullptr).RawBytes(), zero, 16), 0);
    EXPECT_EQ(std::memcmp(String("").RawBytes(), zero, 16), 0);
    EXPECT_FALSE(String().IsVoid());
}

TEST(StringCopy, EachFormCopiesByItsRule)
{
    String small = Make(14);
    String copy = small;
    EXPECT_EQ(std::memcmp(copy.RawBytes(), small.RawBytes(), 16), 0);

    String b32 = Make(20);
    String c32 = b32;
    EXPECT_EQ(Layout(c32).kind, 31);
    EXPECT_NE(Layout(c32).ptr, Layout(b32).ptr); // never shared
    EXPECT_EQ(c32, b32);

    String counted = Make(40);
    {
        String shared = counted;
        EXPECT_EQ(Layout(shared).ptr, Layout(counted).ptr);
        EXPECT_EQ(Layout(counted).Refs(), 2);
        EXPECT_TRUE(counted.IsShared());
    }
    EXPECT_EQ(Layout(counted).Refs(), 1);
    EXPECT_FALSE(counted.IsShared());
}

TEST(StringCopy, SetCharUnsharesToExactLength)
{
    for(int n : { 40, 300 }) {
        String a = Make(n);
        String b = a;
        const char* old = Layout(a).ptr;
        b.SetChar(0, 'Z');
        Layout la(a), lb(b);
        EXPECT_EQ(la.ptr, old);
        EXPECT_NE(lb.ptr, old);
        EXPECT_EQ(la.Refs(), 1);
        EXPECT_EQ(lb.Refs(), 1);
        EXPECT_EQ(lb.Cap(), n);
        EXPECT_EQ(a[0], 'a');
        EXPECT_EQ(b[0], 'Z');
        EXPECT_EQ(b.Mid(1), a.Mid(1));
    }
}

TEST(StringCopy, AssignRules)
{
    String a = Make(40);
    const char* p = Layout(a).ptr;
    String& same = a;
    a = same; // assigning a large String to itself changes nothing
    EXPECT_EQ(Layout(a).ptr, p);
    EXPECT_EQ(Layout(a).Refs(), 1);

    String b = Make(50);
    b = a;
    EXPECT_EQ(Layout(b).ptr, p);
    EXPECT_EQ(Layout(a).Refs(), 2);
    b = "short";
    EXPECT_EQ(Layout(a).Refs(), 1);
    EXPECT_EQ(b, "short");

    // From a part of the own text: built before the old block goes.
    String c = Make(40);
    c.Assign(c.Begin() + 10, 20);
    EXPECT_EQ(c, Text(40).substr(10, 20).c_str());
    EXPECT_EQ(Layout(c).kind, 31);
    String d = Make(12);
    d.Assign(d.Begin() + 2, 5);
    ExpectFreshForm(d, "cdefg");

    String m = Make(40);
    String n = std::move(m);
    EXPECT_EQ(Layout(n).Refs(), 1);
    EXPECT_TRUE(m.IsEmpty());
    EXPECT_TRUE(m.IsSmall());
}

TEST(StringVoid, ReadsEmptyAndStaysVoidOnCopy)
{
    String v = String::GetVoid();
    Layout l(v);
    EXPECT_TRUE(v.IsVoid());
    EXPECT_EQ(l.kind, 50);
    EXPECT_EQ(l.byte15, 15);
    EXPECT_EQ(l.len, 0);
    EXPECT_EQ(l.Refs(), 2);
    EXPECT_EQ(l.Cap(), 0);
    EXPECT_TRUE(v.IsEmpty());
    EXPECT_EQ(v, "");
    EXPECT_TRUE(v.IsShared());
    {
        String c = v;
        String d;
        d = v;
        EXPECT_TRUE(c.IsVoid());
        EXPECT_TRUE(d.IsVoid());
        EXPECT_EQ(Layout(c).ptr, l.ptr);
    }
    EXPECT_EQ(l.Refs(), 2); // the static block's count never moves

    String a = v;
    a.Append("x", 1);
    EXPECT_FALSE(a.IsVoid());
    EXPECT_EQ(a, "x");
    String b = v;
    b.AppendChar('y');
    EXPECT_FALSE(b.IsVoid());
    EXPECT_EQ(Layout(b).kind, 31);
    String t = v;
    t.Truncate(0);
    EXPECT_FALSE(t.IsVoid());
    EXPECT_TRUE(v.IsVoid());
    EXPECT_EQ(l.Refs(), 2);
}

// Append: (start length, count) -> form after; in place when the new length is below the
// capacity, else a block for max(2 x old, new length).
TEST(StringGrowth, AppendTable)
{
    struct Case { int start, count, kind, capacity; bool same_block; };
    const Case cases[] = {
        { 0, 1, 0, 14, true },
        { 11, 2, 0, 14, true },
        { 11, 3, 31, 31, false },
        { 13, 1, 31, 31, false },
        { 14, 0, 31, 31, false },
        { 20, 10, 31, 31, true },
        { 20, 11, 40, 40, false },
        { 40, 1, 80, 80, false },
        { 200, 10, 255, 400, false },
        { 300, 100, 255, 600, false },
        { 300, 700, 255, 1000, false },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << " + " << c.count);
        String s = Make(c.start);
        const char* before = Layout(s).ptr;
        std::string add = Text(c.count, 'A');
        s.Append(add.data(), c.count);
        Layout l(s);
        EXPECT_EQ(l.kind, c.kind);
        EXPECT_EQ(s.GetCapacity(), c.capacity);
        EXPECT_EQ(std::string(s.Begin(), s.GetLength()), Text(c.start) + add);
        EXPECT_EQ(s.Begin()[s.GetLength()], 0);
        if(l.large) {
            EXPECT_EQ(l.byte15, 15);
            if(c.start > 14) {
                EXPECT_EQ(l.ptr == before, c.same_block);
            }
            if(l.kind >= 32) {
                EXPECT_EQ(l.Refs(), 1);
            }
        }
    }
}

TEST(StringGrowth, AppendCharTable)
{
    struct Case { int start, kind, capacity; bool same_block; };
    const Case cases[] = {
        { 0, 31, 31, false },  // even an empty String leaves the small form
        { 13, 31, 31, false },
        { 14, 31, 31, false },
        { 30, 31, 31, true },  // a 32-byte block fills up to 31
        { 31, 62, 62, false },
        { 39, 40, 40, true },  // a counted block fills up to its capacity
        { 40, 80, 80, false },
        { 300, 255, 600, false },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.start);
        String s = Make(c.start);
        if(c.start == 39) {
            s = Make(20);
            s.Append(Text(19).c_str()); // a block of capacity 40 holding 39
            ASSERT_EQ(s.GetCapacity(), 40);
        }
        const char* before = Layout(s).ptr;
        s.AppendChar('!');
        Layout l(s);
        EXPECT_EQ(l.kind, c.kind);
        EXPECT_EQ(s.GetCapacity(), c.capacity);
        EXPECT_EQ(l.len, c.start + 1);
        EXPECT_EQ(s.Begin()[c.start], '!');
        EXPECT_EQ(s.Begin()[c.start + 1], 0);
        if(c.start > 14) {
            EXPECT_EQ(l.ptr == before, c.same_block);
        }
    }
    String e;
    e += 'q';
    EXPECT_EQ(Layout(e).len, 1);
    EXPECT_EQ(e, "q");
}

TEST(StringGrowth, AppendToSharedLeavesTheOtherAlone)
{
    String a = Make(40);
    String b = a;
    b.Append("xyz");
    EXPECT_EQ(Layout(a).Refs(), 1);
    EXPECT_EQ(a.GetLength(), 40);
    EXPECT_EQ(b.GetCapacity(), 80);
    EXPECT_EQ(b, (Text(40) + "xyz").c_str());
}

TEST(StringGrowth, ReserveTable)
{
    struct Case { int start, n, kind, capacity; bool moved; };
    const Case cases[] = {
        { 5, 8, 0, 14, false },
        { 5, 9, 31, 31, true },   // 14 is not below 14
        { 20, 10, 31, 31, false },
        { 20, 11, 40, 40, true },
        { 40, 100, 140, 140, true },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << " reserve " << c.n);
        String s = Make(c.start);
        String before = s;
        const char* p = Layout(s).ptr;
        s.Reserve(c.n);
        EXPECT_EQ(Layout(s).kind, c.kind);
        EXPECT_EQ(s.GetCapacity(), c.capacity);
        EXPECT_EQ(s, before);
        EXPECT_EQ(s.Begin()[c.start], 0);
        if(c.start > 14 && c.start < 32) {
            EXPECT_EQ(Layout(s).ptr != p, c.moved);
        }
    }
    String a = Make(100), b = a;
    b.Reserve(0); // shared: moves even without new room
    EXPECT_NE(Layout(b).ptr, Layout(a).ptr);
    EXPECT_EQ(b.GetCapacity(), 200);
}

TEST(StringChange, TruncateKeepsForm)
{
    String s = Make(10);
    s.Truncate(3);
    ExpectFreshForm(s, "abc");

    String b = Make(20);
    b.Truncate(3);
    EXPECT_EQ(Layout(b).kind, 31);
    EXPECT_EQ(Layout(b).len, 3);
    EXPECT_EQ(b, "abc");

    String a = Make(40);
    String shared = a;
    shared.Truncate(3);
    Layout l(shared);
    EXPECT_TRUE(l.large);
    EXPECT_EQ(l.len, 3);
    EXPECT_EQ(l.kind, 40); // the copy is for the length before cutting
    EXPECT_EQ(l.Refs(), 1);
    EXPECT_EQ(Layout(a).Refs(), 1);
    EXPECT_EQ(a.GetLength(), 40);
    EXPECT_EQ(shared, "abc");
    EXPECT_EQ(shared, String("abc")); // equal across forms
    EXPECT_EQ(shared.GetHashValue(), String("abc").GetHashValue());
}

TEST(StringChange, InsertInPlaceAndReallocating)
{
    String s("abcdef");
    char* room = s.Insert(2, 3, "XYZ");
    EXPECT_EQ(room, s.RawBytes() + 2);
    ExpectFreshForm(s, "abXYZcdef");

    String r("abcdef");
    char* open = r.Insert(6, 4);
    std::memcpy(open, "1234", 4);
    ExpectFreshForm(r, "abcdef1234");

    String big = Make(20);
    big.Insert(0, "<>");
    EXPECT_EQ(Layout(big).kind, 31);
    EXPECT_EQ(big, ("<>" + Text(20)).c_str());
    big.Insert(22, Make(10));
    EXPECT_EQ(Layout(big).kind, 44); // max(2 x 22, 32)
    EXPECT_EQ(big, ("<>" + Text(20) + Text(10)).c_str());
}

TEST(StringChange, InsertOwnTextIntoItself)
{
    for(int n : { 10, 20, 40 }) {
        SCOPED_TRACE(n);
        String s = Make(n);
        std::string t = Text(n);
        s.Insert(2, 3, s.Begin() + 5);
        t.insert(2, t.substr(5, 3));
        EXPECT_EQ(std::string(s.Begin(), s.GetLength()), t);
        EXPECT_EQ(s.Begin()[s.GetLength()], 0);

        String w = Make(n);
        w.Insert(1, w); // the whole text, as another String's reference
        std::string u = Text(n);
        u.insert(1, Text(n));
        EXPECT_EQ(std::string(w.Begin(), w.GetLength()), u);

        String a = Make(n);
        a.Append(a); // appending own text
        EXPECT_EQ(std::string(a.Begin(), a.GetLength()), Text(n) + Text(n));
    }
}

TEST(StringChange, RemoveAndSetChar)
{
    String s("abcdefgh");
    s.Remove(2, 3);
    ExpectFreshForm(s, "abfgh");
    s.Remove(0);
    ExpectFreshForm(s, "bfgh");
    String b = Make(40), c = b;
    c.Remove(0, 30);
    EXPECT_EQ(c, Text(40).substr(30).c_str());
    EXPECT_EQ(b.GetLength(), 40);
    String d("xyz");
    d.SetChar(1, 'Q');
    ExpectFreshForm(d, "xQz");
}

TEST(StringCompare, WithText)
{
    struct Case { const char* s; const char* t; int result; };
    const Case cases[] = {
        { "abc", "abd", -1 },
        { "ab", "abc", -1 },
        { "abc", "ab", 1 },
        { "abc", "abc", 0 },
        { "", "", 0 },
        { "", "a", -1 },
        { "\xff", "a", 0xff - 'a' }, // bytes compare unsigned
        { "a", "\xff", 'a' - 0xff },
    };
    for(const Case& c : cases) {
        EXPECT_EQ(String::Compare(String(c.s), c.t), c.result) << c.s << " / " << c.t;
        std::string longer = Text(30) + c.s, longer_t = Text(30) + c.t;
        EXPECT_EQ(String::Compare(String(longer.c_str()), longer_t.c_str()), c.result);
    }
}

TEST(StringCompare, TwoStrings)
{
    struct Case { std::string a, b; int result; };
    const Case cases[] = {
        { "ab", "abcd", -2 },
        { "abcd", "ab", 2 },
        { "abc", "abd", -1 },
        { "", "", 0 },
        { Text(40), Text(40), 0 },
        { Text(9) + "\x80", Text(9) + "\x01", 0x7f },
        { Text(17) + "a" + Text(5), Text(17) + "z" + Text(3), 'a' - 'z' },
        { Text(100), Text(90), 10 },
        { "", Text(20), -20 },                      // an empty text against a held one
        { Text(15, 'b'), "", 15 },
        { std::string("\0z", 2), Text(16), -'a' }, // a zero byte is text, not the end
        { Text(16, 'c'), "b", 1 },
    };
    for(const Case& c : cases) {
        String a(c.a.data(), (int)c.a.size()), b(c.b.data(), (int)c.b.size());
        EXPECT_EQ(String::Compare(a, b), c.result) << c.a << " / " << c.b;
        EXPECT_EQ(a.Compare(b), c.result);
        EXPECT_EQ(String::Differs(a, b), c.result != 0);
    }
}

TEST(StringCompare, EveryPositionOfDifference)
{
    for(int n : { 1, 2, 7, 8, 9, 13, 14, 15, 16, 17, 31, 32, 33, 63, 64, 65, 100, 129, 200 })
        for(int i = 0; i < n; i++) {
            String a = Make(n), b = Make(n);
            b.SetChar(i, '#');
            ASSERT_TRUE(String::Differs(a, b)) << n << " at " << i;
            ASSERT_TRUE(a != b);
            ASSERT_FALSE(String::Differs(a, Make(n)));
            ASSERT_EQ(String::Compare(a, b), a[i] - '#') << n << " at " << i;
            ASSERT_EQ(String::Compare(b, a), '#' - a[i]) << n << " at " << i;
            ASSERT_EQ(String::Compare(a, b.Begin()), a[i] - '#') << n << " at " << i;
            ASSERT_EQ(String::Compare(a, Make(n)), 0);
            String longer = a;
            longer.Append("z");
            ASSERT_EQ(String::Compare(b, longer), '#' - a[i]);
            ASSERT_EQ(String::Compare(a, longer), -1);
        }
    EXPECT_TRUE(String::Differs(Make(3), Make(4)));
}

TEST(StringHash, KnownValuesAndForms)
{
    EXPECT_EQ(String().GetHashValue(), 0xb6ae2352u);
    EXPECT_EQ(String::GetVoid().GetHashValue(), 0xb6ae2352u);
    EXPECT_EQ(String("abc").GetHashValue(), 0x7055c223u);
    EXPECT_EQ(String("abcdefghijklmn").GetHashValue(), 0x22ac5632u);
    EXPECT_EQ(String("abcdefghijklmno").GetHashValue(), 0x87ddc853u);
    EXPECT_EQ(String("abcdefghijklmno").GetHashValue(), HashBytes("abcdefghijklmno", 15));
    String t = Make(300);
    EXPECT_EQ(t.GetHashValue(), HashBytes(t.Begin(), 300));

    String large14 = Make(15);
    large14.Truncate(14);
    ASSERT_TRUE(large14.IsLarge());
    EXPECT_EQ(large14.GetHashValue(), Make(14).GetHashValue());
    EXPECT_EQ(GetHashValue(large14), 0x22ac5632u);
}

TEST(StringStrip, Table)
{
    struct Case { const char* in; const char* lead; const char* trail; const char* outer; };
    const Case cases[] = {
        { "\t a b \r\n", "a b \r\n", "\t a b", "a b" },
        { "   ", "", "", "" },
        { "", "", "", "" },
        { "x", "x", "x", "x" },
        { "\v\fx\f\v", "x\f\v", "\v\fx", "x" },
        { "a\x01", "a\x01", "a\x01", "a\x01" }, // only space and 9..13 count
    };
    for(const Case& c : cases) {
        String s(c.in);
        EXPECT_EQ(StripLeadingSpace(s), c.lead);
        EXPECT_EQ(StripTrailingSpace(s), c.trail);
        EXPECT_EQ(StripOuterSpace(s), c.outer);
    }
    const char zero[16] = {};
    EXPECT_EQ(std::memcmp(StripOuterSpace(String("   ")).RawBytes(), zero, 16), 0);

    String plain = Make(40);
    String copy = StripOuterSpace(plain);
    EXPECT_EQ(Layout(copy).ptr, Layout(plain).ptr); // nothing stripped: shared
    EXPECT_EQ(Layout(plain).Refs(), 2);
    std::string padded = " " + Text(40);
    String stripped = StripLeadingSpace(String(padded.c_str()));
    ExpectFreshForm(stripped, Text(40));
}

TEST(StringCharacterCount, Utf8Units)
{
    struct Case { const char* text; int units; };
    const Case cases[] = {
        { "", 0 },
        { "abc", 3 },
        { "\xc3\xa9", 1 },           // U+00E9
        { "\xe2\x82\xac", 1 },       // U+20AC
        { "\xf0\x9f\x98\x80", 4 },   // four-byte forms decode as four escaped bytes
        { "\xff", 1 },
        { "\xe2\x82", 2 },           // cut short
        { "\xc0\xaf", 2 },           // overlong
        { "\xed\xa0\x80", 1 },       // a surrogate code point passes as one unit
        { "\xf4\x90\x80\x80", 4 },   // beyond U+10FFFF
        { "a\x80" "b", 3 },
    };
    for(const Case& c : cases)
        EXPECT_EQ(String(c.text).CharacterCount(), c.units) << c.text;

    // In an 8-bit default charset every byte is a character.
    SetDefaultCharset(FindCharset("iso8859-2"));
    EXPECT_EQ(String("\xc3\xa9x").CharacterCount(), 3);
    SetDefaultCharset(CHARSET_UTF8);
}

TEST(StringPieces, ConcatAndSearch)
{
    String a("abc");
    EXPECT_EQ(StringConcat(a, "def"), "abcdef");
    EXPECT_EQ(StringConcat(a, nullptr), "abc");
    String long_cat = StringConcat(Make(20), "0123456789012");
    ExpectFreshForm(long_cat, Text(20) + "0123456789012"); // exact block like the constructor
    EXPECT_EQ(a + String("d"), "abcd");
    EXPECT_EQ("x" + a, "xabc");
    EXPECT_EQ(a + 'z', "abcz");
    EXPECT_EQ(a + "", "abc");

    String s("hello world");
    EXPECT_EQ(s.Mid(6), "world");
    EXPECT_EQ(s.Mid(6, 3), "wor");
    EXPECT_EQ(s.Left(5), "hello");
    EXPECT_EQ(s.Right(3), "rld");
    EXPECT_EQ(s.Mid(20), "");
    EXPECT_EQ(s.Find('o'), 4);
    EXPECT_EQ(s.Find('o', 5), 7);
    EXPECT_EQ(s.Find('q'), -1);
    EXPECT_EQ(s.Find("wor"), 6);
    EXPECT_EQ(s.Find("o", 8), -1);
    EXPECT_EQ(s.Find("world!"), -1);
    EXPECT_EQ(s.FindLast('o'), 7);
    EXPECT_EQ(s.FindLast('q'), -1);
    EXPECT_TRUE(s.StartsWith("hello"));
    EXPECT_FALSE(s.StartsWith("world"));
    EXPECT_TRUE(s.EndsWith("world"));
    EXPECT_FALSE(s.EndsWith("hello world!"));
    EXPECT_TRUE(String("abc") < String("abd"));
    EXPECT_TRUE(String("b") > String("abc"));
}

// Searches that start from the first byte's hits: false starts, both ends, a text with
// a zero byte inside and a heap-held text, against the answer of std::string::find.
TEST(StringPieces, FindTextTable)
{
    const std::string inner("ab\0cdab", 7);
    const std::string long_text = std::string(300, 'a') + "aab" + std::string(40, 'b');
    struct Case {
        const std::string& text;
        const char* needle;
        int from;
    };
    const std::string hay("aaaaab"), empty, word("hello");
    const Case cases[] = {
        {hay, "aab", 0},      {hay, "aab", 4},   {hay, "aab", 5},  {hay, "a", 4},   {hay, "b", 5},
        {hay, "ab", 6},       {hay, "", 0},      {hay, "", 6},     {hay, "", 7},    {hay, "aaaaab", 0},
        {hay, "aaaaabb", 0},  {hay, "c", 0},     {hay, "aab", -1}, {empty, "", 0},  {empty, "a", 0},
        {word, "lo", 3},      {word, "lo", 4},   {word, "hello", 1}, {inner, "cd", 0}, {inner, "ab", 1},
        {long_text, "aab", 0}, {long_text, "ab", 301}, {long_text, "bb", 340}, {long_text, "bbb", 341},
    };
    for(const Case& c : cases) {
        String s(c.text.data(), (int)c.text.size());
        size_t at = c.from < 0 ? std::string::npos : c.text.find(c.needle, (size_t)c.from);
        int expected = at == std::string::npos || c.from > (int)c.text.size() ? -1 : (int)at;
        EXPECT_EQ(s.Find(c.needle, c.from), expected) << c.text.size() << " '" << c.needle << "' from " << c.from;
    }
}

// Every length of text and of needle around the 16- and 32-byte steps, the needle planted at
// every place, with its first and last bytes also scattered as false starts.
TEST(StringPieces, FindTextAtEveryPlace)
{
    for(int n = 0; n <= 72; n++)
        for(int m = 1; m <= 18 && m <= n; m++)
            for(int at = 0; at + m <= n; at++) {
                std::string text(n, 'x'), needle = Text(m);
                for(int i = 0; i < n; i += 3)
                    text[i] = i % 2 ? needle[0] : needle[m - 1];
                text.replace(at, m, needle);
                String s(text.data(), n);
                int from = at > 2 ? at - 2 : 0;
                ASSERT_EQ(s.Find(needle.c_str(), from), (int)text.find(needle, from)) << n << " " << m << " " << at;
            }
}

namespace {

// Blocks the heap has handed out and not taken back (small classes and medium blocks).
int64 BlocksInUse()
{
    static MemoryProfile profile;
    MemoryProfileFill(MainHeap(), profile);
    int64 n = profile.large_count;
    for(int32 used : profile.small_used)
        n += used;
    return n;
}

// Every way a block is taken, shared, handed over and let go; uses nothing but String and
// TextBuffer, so that the heap's count before and after tells leaks apart.
void ExerciseBlocks()
{
    const char* t = "0123456789abcdefghijklmnopqrstuvwxyz0123456789abcdefghijklmnopqrstuvwxyz";
    for(int n : { 0, 5, 14, 15, 31, 32, 60 }) {
        String s(t, n);
        String copy = s;
        String other;
        other = copy;
        other = s;
        copy.SetChar(0, 'x');
        copy.Truncate(copy.GetLength() / 2);
        s.Append(t, 20);
        s.AppendChar('!');
        s.Insert(1, 10, s.Begin() + 2);
        s.Reserve(100);
        String v = String::GetVoid();
        v.Append(t, n);
        String strip = StripOuterSpace(other);
        String cat = StringConcat(other, t) + s;
        cat.Assign(cat.Begin() + 3, n);
        (void)cat.GetHashValue();
        TextBuffer b(other);
        b.Append(t, n);
        String back(b);
        TextBuffer dropped(s);
        TextBuffer grown;
        grown.Append(t, 40);
        grown.Grow();
        TextBuffer cut;
        cut.SetLength(n);
        String from_cut(cut);
    }
}

} // namespace

TEST(StringBlocks, EveryBlockIsReleased)
{
    ExerciseBlocks(); // lets the heap set up its pages first
    int64 before = BlocksInUse();
    ExerciseBlocks();
    EXPECT_EQ(BlocksInUse(), before);
}
