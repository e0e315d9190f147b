// WString and WideTextBuffer: block layouts, copy sharing, in-place and
// reallocating edits, and the hand-over from the buffer.
#include "foundation/wstring.h"

#include "foundation/charset.h"
#include "foundation/string.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace Qor;

namespace {

// The 16 bytes of a WString as stored.
struct Raw {
    const wchar16* ptr;
    int32 len;
    int32 cap;
};

Raw RawOf(const WString& s)
{
    Raw r;
    std::memcpy((void*)&r, (const void*)&s, sizeof r);
    return r;
}

int32 RefCountOf(const WString& s)
{
    int32 n;
    std::memcpy(&n, (const byte*)RawOf(s).ptr - 4, 4);
    return n;
}

std::u16string Pattern(int n)
{
    std::u16string t;
    for(int i = 0; i < n; i++)
        t += char16_t('a' + i % 26);
    return t;
}

WString Make(int n)
{
    std::u16string t = Pattern(n);
    return WString(t.data(), n);
}

// Text and zero unit as stored, checked through the raw pointer.
void ExpectText(const WString& s, const std::u16string& want)
{
    Raw r = RawOf(s);
    ASSERT_EQ(r.len, (int)want.size());
    EXPECT_EQ(std::u16string(r.ptr, r.len), want);
    EXPECT_EQ(r.ptr[r.len], 0);
}

} // namespace

TEST(WStringLayout, DefaultIsStaticEmptyText)
{
    WString a, b;
    Raw ra = RawOf(a), rb = RawOf(b);
    EXPECT_EQ(sizeof(WString), 16u);
    EXPECT_EQ(ra.len, 0);
    EXPECT_EQ(ra.cap, 0);
    ASSERT_NE(ra.ptr, nullptr);
    EXPECT_EQ(ra.ptr[0], 0);
    EXPECT_EQ(ra.ptr, rb.ptr); // one static text, nothing allocated
    EXPECT_TRUE(a.IsEmpty());
}

TEST(WStringLayout, CapacityFollowsLength)
{
    struct Case {
        int length;
        int capacity;
        bool counted;
    } cases[] = {
        {0, 23, false}, {1, 23, false}, {22, 23, false}, {23, 23, false},
        {24, 24, true}, {25, 25, true}, {300, 300, true},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.length);
        WString s = Make(c.length);
        ExpectText(s, Pattern(c.length));
        EXPECT_EQ(RawOf(s).cap, c.capacity);
        if(c.counted) {
            EXPECT_EQ(RefCountOf(s), 1);
            EXPECT_FALSE(s.IsShared());
        }
    }
}

TEST(WStringLayout, NulTerminatedConstructorAndWideTextLength)
{
    const wchar16 starts_with_zero[] = {0, 'a', 'b', 0};
    EXPECT_EQ(WideTextLength(starts_with_zero), 0);
    EXPECT_EQ(WideTextLength(u"abc"), 3);
    EXPECT_EQ(WideTextLength(u"\x20AC\xD83D\xDE00x"), 4);
    ExpectText(WString(u"hello"), u"hello");
}

TEST(WStringCopy, RulesByBlockKind)
{
    // A 48-byte block is duplicated.
    WString small = Make(10);
    WString small_copy(small);
    EXPECT_NE(RawOf(small_copy).ptr, RawOf(small).ptr);
    EXPECT_EQ(RawOf(small_copy).cap, 23);
    ExpectText(small_copy, Pattern(10));

    // A counted block is shared.
    WString big = Make(40);
    WString big_copy(big);
    EXPECT_EQ(RawOf(big_copy).ptr, RawOf(big).ptr);
    EXPECT_EQ(RawOf(big_copy).cap, 40);
    EXPECT_EQ(RefCountOf(big), 2);
    EXPECT_TRUE(big.IsShared());
    {
        WString third = big;
        EXPECT_EQ(RefCountOf(big), 3);
    }
    EXPECT_EQ(RefCountOf(big), 2);

    // Length 0 gives the default empty text whatever the block.
    WString emptied = Make(40);
    emptied.Truncate(0);
    WString empty_copy(emptied);
    EXPECT_EQ(RawOf(empty_copy).cap, 0);
    EXPECT_EQ(RawOf(empty_copy).ptr, RawOf(WString()).ptr);
    WString zero_small(u"", 0);
    EXPECT_EQ(RawOf(zero_small).cap, 23);
    EXPECT_EQ(RawOf(WString(zero_small)).cap, 0);
}

TEST(WStringCopy, RemoveOnSharedCopyUnshares)
{
    WString a = Make(40);
    WString b = a;
    const wchar16* shared = RawOf(a).ptr;
    b.Remove(0, 5);
    EXPECT_NE(RawOf(b).ptr, shared);
    EXPECT_EQ(RawOf(a).ptr, shared);
    EXPECT_EQ(RefCountOf(a), 1);
    EXPECT_EQ(RefCountOf(b), 1);
    ExpectText(a, Pattern(40));
    ExpectText(b, Pattern(40).substr(5));
    EXPECT_EQ(RawOf(b).cap, 40); // the new block was taken for the length before the removal

    // Truncating a shared copy also unshares, for the length before the cut.
    WString c = a;
    c.Truncate(10);
    EXPECT_NE(RawOf(c).ptr, RawOf(a).ptr);
    EXPECT_EQ(RawOf(c).cap, 40);
    ExpectText(c, Pattern(10));
    ExpectText(a, Pattern(40));
}

TEST(WStringCopy, AssignmentAndMove)
{
    WString a = Make(30);
    WString b = Make(5);
    b = a;
    EXPECT_EQ(RawOf(b).ptr, RawOf(a).ptr);
    EXPECT_EQ(RefCountOf(a), 2);
    WString& alias = b;
    b = alias;
    EXPECT_EQ(RefCountOf(a), 2);
    WString c = std::move(b);
    EXPECT_EQ(RawOf(c).ptr, RawOf(a).ptr);
    EXPECT_EQ(RefCountOf(a), 2);
    EXPECT_EQ(RawOf(b).cap, 0);
    EXPECT_TRUE(b.IsEmpty());
    a = Make(3);
    EXPECT_EQ(RefCountOf(c), 1);
    ExpectText(a, Pattern(3));
    c.Clear();
    EXPECT_EQ(RawOf(c).cap, 0);
}

TEST(WStringEdit, AppendStaysInPlaceOnlyBelowCapacity)
{
    WString s21 = Make(21);
    const wchar16* p = RawOf(s21).ptr;
    s21.AppendChar('!');
    EXPECT_EQ(RawOf(s21).ptr, p);
    EXPECT_EQ(RawOf(s21).cap, 23);
    ExpectText(s21, Pattern(21) + u"!");

    WString s22 = Make(22);
    s22.AppendChar('!');
    EXPECT_EQ(RawOf(s22).cap, 44);
    EXPECT_EQ(RefCountOf(s22), 1);
    ExpectText(s22, Pattern(22) + u"!");

    // Growth is max(2 x length, new length).
    WString s = Make(30);
    s.Append(Pattern(100).data(), 100);
    EXPECT_EQ(RawOf(s).cap, 130);
    s.Append(u"xy", 2);
    EXPECT_EQ(RawOf(s).cap, 260);
    ExpectText(s, Pattern(30) + Pattern(100) + u"xy");

    WString empty;
    empty.AppendChar('q');
    EXPECT_EQ(RawOf(empty).cap, 23);
    ExpectText(empty, u"q");
}

TEST(WStringEdit, AppendToSharedLeavesOtherCopy)
{
    WString a = Make(30);
    WString b = a;
    b += WString(u"tail");
    ExpectText(a, Pattern(30));
    ExpectText(b, Pattern(30) + u"tail");
    EXPECT_EQ(RefCountOf(a), 1);
    b.AppendChar('!');
    ExpectText(b, Pattern(30) + u"tail!");
}

TEST(WStringEdit, InsertTable)
{
    struct Case {
        int length, pos, count;
        const char16_t* source;
        std::u16string want;
    } cases[] = {
        {5, 0, 2, u"XY", u"XYabcde"},
        {5, 5, 2, u"XY", u"abcdeXY"},
        {5, 2, 3, u"123", u"ab123cde"},
        {21, 3, 1, u"#", Pattern(3) + u"#" + Pattern(21).substr(3)},
        {23, 1, 1, u"#", u"a#" + Pattern(23).substr(1)},
        {40, 39, 2, u"@@", Pattern(39) + u"@@" + Pattern(40).substr(39)},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.length * 100 + c.pos);
        WString s = Make(c.length);
        wchar16* room = s.Insert(c.pos, c.count, c.source);
        EXPECT_EQ(room, RawOf(s).ptr + c.pos);
        ExpectText(s, c.want);
    }
}

TEST(WStringEdit, InsertRoomWithoutSource)
{
    WString s(u"abcd");
    wchar16* room = s.Insert(2, 2);
    room[0] = '-';
    room[1] = '-';
    ExpectText(s, u"ab--cd");
}

TEST(WStringEdit, InsertOwnTextIntoItself)
{
    // Source overlapping the place where the tail moves, in both block kinds.
    for(int length : {10, 60}) {
        SCOPED_TRACE(length);
        WString s = Make(length);
        std::u16string want = Pattern(length);
        want.insert(2, want.substr(1, 6));
        s.Insert(2, 6, s.Begin() + 1);
        ExpectText(s, want);

        WString whole = Make(length);
        whole.Insert(0, whole);
        ExpectText(whole, Pattern(length) + Pattern(length));
    }
}

TEST(WStringEdit, RemoveAndTruncate)
{
    WString s(u"abcdefgh");
    s.Remove(2, 3);
    ExpectText(s, u"abfgh");
    s.Remove(4);
    ExpectText(s, u"abfg");
    s.Remove(0, 0);
    ExpectText(s, u"abfg");
    s.Truncate(1);
    ExpectText(s, u"a");

    WString none;
    none.Truncate(0);
    none.Remove(0, 0);
    EXPECT_EQ(RawOf(none).cap, 0);
    EXPECT_EQ(RawOf(none).ptr[0], 0);
}

TEST(WStringQuery, FindMidCompareHash)
{
    WString s(u"one two one");
    EXPECT_EQ(s.Find('o'), 0);
    EXPECT_EQ(s.Find('o', 1), 6);
    EXPECT_EQ(s.Find('z'), -1);
    EXPECT_EQ(s.Find(WString(u"one"), 1), 8);
    EXPECT_EQ(s.Find(WString(u"xyz")), -1);
    ExpectText(s.Mid(4, 3), u"two");
    ExpectText(s.Mid(8), u"one");
    ExpectText(s.Left(3), u"one");
    ExpectText(s.Right(3), u"one");
    EXPECT_EQ(s[4], 't');

    EXPECT_TRUE(WString(u"abc") == WString(u"abc"));
    EXPECT_TRUE(WString(u"abc") != WString(u"abd"));
    EXPECT_TRUE(WString(u"ab") < WString(u"abc"));
    EXPECT_TRUE(WString(u"abc") < WString(u"abd"));
    EXPECT_TRUE(WString(u"z") < WString(u"\x20AC")); // units compare unsigned
    EXPECT_FALSE(WString(u"abc") < WString(u"abc"));
    EXPECT_TRUE(WString() == WString(u""));

    WString h(u"hash me");
    EXPECT_EQ(h.GetHashValue(), HashBytes(u"hash me", 14));
    EXPECT_EQ(GetHashValue(Make(40)), GetHashValue(Make(40)));
}

TEST(WideTextBuffer, GrowsExactlyAndHandsOverWithoutCopy)
{
    WideTextBuffer b;
    EXPECT_EQ(b.GetCapacity(), 0);
    EXPECT_EQ(b.GetLength(), 0);
    b.SetLength(5);
    EXPECT_EQ(b.GetCapacity(), 23);
    std::memcpy(b.Begin(), u"hello", 10);
    b.SetLength(3); // shrinking keeps the block
    EXPECT_EQ(b.GetCapacity(), 23);
    b.SetLength(30);
    EXPECT_EQ(b.GetCapacity(), 30);
    EXPECT_EQ(std::u16string(b.Begin(), 3), u"hel"); // the length's units move along
    for(int i = 3; i < 30; i++)
        b.Begin()[i] = 'x';
    wchar16* block = b.Begin();
    WString s(b);
    EXPECT_EQ(RawOf(s).ptr, block);
    EXPECT_EQ(RawOf(s).cap, 30);
    EXPECT_EQ(RefCountOf(s), 1);
    ExpectText(s, u"hel" + std::u16string(27, u'x'));
    EXPECT_EQ(b.GetCapacity(), 0);
    EXPECT_EQ(b.GetLength(), 0);
}

TEST(WideTextBuffer, ShortAndFreshBuffers)
{
    WideTextBuffer fresh;
    WString from_fresh(fresh);
    EXPECT_EQ(RawOf(from_fresh).cap, 0);
    EXPECT_TRUE(from_fresh.IsEmpty());

    WideTextBuffer b;
    b.SetLength(2);
    b.Begin()[0] = 'o';
    b.Begin()[1] = 'k';
    WString s(b);
    EXPECT_EQ(RawOf(s).cap, 23);
    ExpectText(s, u"ok");

    WideTextBuffer unused; // released by its destructor
    unused.SetLength(50);
    WideTextBuffer small_unused;
    small_unused.SetLength(1);
}

// Conversions through the default charset (UTF-8 unless a test sets another).
class WStringConvert : public ::testing::Test {
protected:
    void TearDown() override { SetDefaultCharset(CHARSET_UTF8); }
};

TEST_F(WStringConvert, FromEightBitText)
{
    ExpectText(WString("h\xC3\xA9llo"), u"h\u00E9llo");
    ExpectText(WString("abc", 2), u"ab");
    ExpectText(WString(String("\xE2\x82\xAC")), u"\u20AC");

    // Null and empty texts give the default WString.
    for(const WString& s : {WString((const char*)nullptr), WString((const char*)nullptr, 4), WString(""),
                            WString(String())}) {
        EXPECT_EQ(RawOf(s).cap, 0);
        EXPECT_EQ(RawOf(s).ptr, RawOf(WString()).ptr);
    }

    // A long decoded text keeps its counted block.
    WString long_text(String(std::string(40, 'x').c_str()));
    EXPECT_GE(RawOf(long_text).cap, 40);
    EXPECT_EQ(RefCountOf(long_text), 1);
    ExpectText(long_text, std::u16string(40, u'x'));

    SetDefaultCharset(FindCharset("iso8859-1"));
    ExpectText(WString("\xE9t\xE9"), u"\u00E9t\u00E9");
}

TEST_F(WStringConvert, ToEightBitText)
{
    EXPECT_EQ(WString(u"h\u00E9\u20AC").ToString(), "h\xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(WString().ToString(), "");

    SetDefaultCharset(FindCharset("iso8859-1"));
    // The euro sign has no byte in this charset: byte 31 takes its place.
    EXPECT_EQ(WString(u"a\u20AC\u00E9b").ToString(), "a\x1F\xE9" "b");
}
