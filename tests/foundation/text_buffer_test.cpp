// TextBuffer: inline area, growth into String-format blocks and hand-over both ways.
#include "foundation/string.h"

#include <gtest/gtest.h>

#include <string>

using namespace Qor;

namespace {

std::string Text(int n)
{
    std::string t;
    for(int i = 0; i < n; i++)
        t += char('a' + i % 26);
    return t;
}

const char* Ptr(const String& s) { const char* p; std::memcpy(&p, s.RawBytes(), 8); return p; }
int Kind(const String& s) { return (byte)s.RawBytes()[14]; }
int32 Refs(const char* text) { int32 v; std::memcpy(&v, text - 8, 4); return v; }
int32 Cap(const char* text) { int32 v; std::memcpy(&v, text - 4, 4); return v; }

void Fill(TextBuffer& b, int n)
{
    std::string t = Text(n);
    b.Append(t.data(), n);
}

} // namespace

TEST(TextBuffer, InlineUpTo255ThenCountedBlock)
{
    TextBuffer b;
    EXPECT_TRUE(b.IsInline());
    EXPECT_EQ(b.GetCapacity(), 255);
    for(int i = 0; i < 255; i++)
        b.AppendChar('a' + i % 26);
    EXPECT_TRUE(b.IsInline());
    EXPECT_EQ(b.GetLength(), 255);
    b.AppendChar('!');
    EXPECT_FALSE(b.IsInline());
    EXPECT_EQ(b.GetCapacity(), 510);
    EXPECT_EQ(Refs(b.Begin()), 1);
    EXPECT_EQ(Cap(b.Begin()), 510);
    EXPECT_EQ(std::string(b.Begin(), b.GetLength()), Text(255) + "!");
}

// Growth out of a full buffer: capacity length + max(length, n), a 32-byte block up to 31.
TEST(TextBuffer, GrowthTable)
{
    struct Case { int first, second, capacity; };
    const Case cases[] = {
        { 31, 5, 62 },      // from a 32-byte block
        { 31, 100, 131 },
        { 100, 400, 500 },  // from a counted block of capacity 100
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.first);
        TextBuffer b;
        b.SetLength(0);
        b.SetLength(c.first); // a block exactly full
        std::memcpy(b.Begin(), Text(c.first).data(), c.first);
        ASSERT_EQ(b.GetCapacity(), c.first);
        Fill(b, c.second);
        EXPECT_EQ(b.GetCapacity(), c.capacity);
        EXPECT_EQ(Cap(b.Begin()), c.capacity);
        EXPECT_EQ(std::string(b.Begin(), b.GetLength()), Text(c.first) + Text(c.second));
    }
}

TEST(TextBuffer, NullSourceOnlyMakesRoom)
{
    TextBuffer b;
    Fill(b, 200);
    b.Append(nullptr, 100);
    EXPECT_EQ(b.GetLength(), 200);
    EXPECT_EQ(b.GetCapacity(), 400);
    b.Append(nullptr, 10);
    EXPECT_EQ(b.GetLength(), 200);
    EXPECT_EQ(b.GetCapacity(), 400);
}

TEST(TextBuffer, GrowAndSetLength)
{
    struct Case { int length; int grow_capacity; };
    const Case cases[] = { { 0, 31 }, { 10, 31 }, { 15, 31 }, { 16, 32 }, { 200, 400 } };
    for(const Case& c : cases) {
        TextBuffer b;
        Fill(b, c.length);
        b.Grow();
        EXPECT_EQ(b.GetCapacity(), c.grow_capacity) << c.length;
        EXPECT_EQ(std::string(b.Begin(), b.GetLength()), Text(c.length));
    }
    TextBuffer b;
    Fill(b, 50);
    b.SetLength(20);
    EXPECT_EQ(b.GetCapacity(), 31);
    EXPECT_EQ(std::string(b.Begin(), 20), Text(20));
    b.SetLength(100);
    EXPECT_EQ(b.GetLength(), 100);
    EXPECT_EQ(b.GetCapacity(), 100);
    EXPECT_EQ(std::string(b.Begin(), 20), Text(20));
}

TEST(TextBuffer, StringFromInlineBufferCopies)
{
    TextBuffer b;
    Fill(b, 40);
    String s(b);
    EXPECT_EQ(s, Text(40).c_str());
    EXPECT_EQ(Kind(s), 40);
    EXPECT_TRUE(b.IsInline());
    EXPECT_EQ(b.GetLength(), 40); // left as it was
}

TEST(TextBuffer, StringTakesBlockWithoutCopy)
{
    struct Case { int length, capacity, kind; };
    const Case cases[] = {
        { 20, 31, 31 },
        { 31, 31, 31 },
        { 40, 100, 100 },
        { 300, 300, 255 },
        { 300, 600, 255 },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.length);
        TextBuffer b;
        b.SetLength(c.length);
        std::memcpy(b.Begin(), Text(c.length).data(), c.length);
        if(b.GetCapacity() < c.capacity)
            b.Append(nullptr, c.capacity - c.length);
        ASSERT_EQ(b.GetCapacity(), c.capacity);
        char* old_begin = b.Begin();
        String s(b);
        EXPECT_EQ(Ptr(s), old_begin);
        EXPECT_EQ(Kind(s), c.kind);
        EXPECT_EQ(s.RawBytes()[15], 15);
        EXPECT_EQ(s.GetCapacity(), c.capacity);
        EXPECT_EQ(s, Text(c.length).c_str());
        EXPECT_EQ(s.Begin()[c.length], 0);
        if(c.capacity > 31) {
            EXPECT_EQ(Refs(Ptr(s)), 1);
        }
        EXPECT_TRUE(b.IsInline());
        EXPECT_EQ(b.GetLength(), 0);
        EXPECT_EQ(b.GetCapacity(), 255);
    }
}

TEST(TextBuffer, ShortTextFromBlockBecomesSmall)
{
    TextBuffer b;
    b.SetLength(14);
    std::memcpy(b.Begin(), "fourteen chars", 14);
    ASSERT_FALSE(b.IsInline());
    String s(b);
    EXPECT_TRUE(s.IsSmall());
    EXPECT_EQ(s, "fourteen chars");
    EXPECT_TRUE(b.IsInline());
    EXPECT_EQ(b.GetLength(), 0);
}

TEST(TextBuffer, TakesStringBlock)
{
    struct Case { int length, capacity; };
    const Case cases[] = { { 0, 31 }, { 14, 31 }, { 20, 31 }, { 40, 40 }, { 300, 300 } };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.length);
        std::string t = Text(c.length);
        String s(t.data(), c.length);
        const char* p = Ptr(s);
        TextBuffer b(s);
        if(c.length > 14) {
            EXPECT_EQ(b.Begin(), p); // handed over, not copied
        }
        EXPECT_FALSE(b.IsInline());
        EXPECT_EQ(b.GetCapacity(), c.capacity);
        EXPECT_EQ(std::string(b.Begin(), b.GetLength()), t);
        const char zero[16] = {};
        EXPECT_EQ(std::memcmp(s.RawBytes(), zero, 16), 0);
        b.Append("+", 1);
        String back(b);
        EXPECT_EQ(back, (t + "+").c_str());
    }
}

TEST(TextBuffer, TakesSharedStringAfterUnsharing)
{
    std::string t = Text(100);
    String a(t.c_str());
    String b = a;
    TextBuffer buffer(b);
    EXPECT_NE(buffer.Begin(), Ptr(a));
    EXPECT_EQ(Refs(Ptr(a)), 1);
    EXPECT_EQ(Refs(buffer.Begin()), 1);
    EXPECT_EQ(buffer.GetCapacity(), 100);
    buffer.Begin()[0] = 'Z';
    EXPECT_EQ(a, t.c_str());

    String vs = String::GetVoid();
    TextBuffer v(vs);
    EXPECT_EQ(v.GetCapacity(), 31); // the static block is never handed out
    EXPECT_TRUE(vs.IsEmpty());
    EXPECT_FALSE(vs.IsVoid());
}
