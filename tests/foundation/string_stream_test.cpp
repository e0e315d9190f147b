// StringStream: mode changes, growth, seeking, sizing and truncation.
#include "foundation/string_stream.h"
#include "stream_test_util.h"

#include <gtest/gtest.h>

using namespace Qor;
using namespace QorTest;

TEST(StringStream, StartStates)
{
    StringStream out;
    EXPECT_TRUE(out.IsStoring());
    EXPECT_EQ(out.GetStyle(), (dword)(Stream::STRM_READ | Stream::STRM_WRITE | Stream::STRM_SEEK));
    EXPECT_EQ(out.GetSize(), 0);
    EXPECT_EQ(out.GetText(), "");

    StringStream in(String("xyz"));
    EXPECT_EQ(in.GetStyle(), (dword)(Stream::STRM_LOADING | Stream::STRM_READ | Stream::STRM_WRITE | Stream::STRM_SEEK));
    EXPECT_EQ(in.GetSize(), 3);
    EXPECT_EQ(in.Get(), 'x');
    EXPECT_EQ(in.GetPos(), 1);

    // Restarting clears the error and the throw bit.
    in.SetError();
    in.SetLoadThrowing();
    in.StartWriting();
    EXPECT_FALSE(in.IsError());
    EXPECT_FALSE(in.IsLoadThrowing());
    EXPECT_EQ(in.GetSize(), 0);
    in.SetError();
    in.StartReading("ab");
    EXPECT_FALSE(in.IsError());
    EXPECT_EQ(in.Get(), 'a');
}

TEST(StringStream, WriteSeekBackRead)
{
    StringStream ss;
    ss.Put("abc", 3);
    ss.Seek(0);
    EXPECT_EQ(ss.Get(), 'a');
    EXPECT_EQ(ss.Get(), 'b');
    EXPECT_EQ(ss.Get(), 'c');
    EXPECT_EQ(ss.Get(), -1);
    EXPECT_EQ(ss.Peek(), -1);
    EXPECT_EQ(ss.GetText(), "abc");
}

TEST(StringStream, SwitchesModesAnyNumberOfTimes)
{
    StringStream ss(String("hello world"));
    char b[5];
    ASSERT_EQ(ss.Get(b, 5), 5u);
    ss.Put("!"); // overwrites the space, the rest stays
    EXPECT_EQ(ss.GetPos(), 6);
    EXPECT_EQ(ss.Get(), 'w');
    ss.Seek(ss.GetSize());
    ss.Put("s");
    EXPECT_EQ(ss.GetText(), "hello!worlds");
    ss.Put("?");
    EXPECT_EQ(ss.GetText(), "hello!worlds?");
    ss.Seek(0);
    EXPECT_EQ(ss.GetLine(), "hello!worlds?");
    EXPECT_TRUE(ss.GetLine().IsVoid());
}

TEST(StringStream, WritingLeavesTheCallersTextAlone)
{
    String mine(std::string(100, 'm').c_str()); // a shared block once the stream copies it
    StringStream ss(mine);
    ss.Seek(50);
    ss.Put("changed");
    EXPECT_EQ(mine, String(std::string(100, 'm').c_str()));
    String text = ss.GetText();
    EXPECT_EQ(text.Mid(50, 7), "changed");
    EXPECT_EQ(text.GetLength(), 100);
}

TEST(StringStream, GrowthKeepsEverything)
{
    StringStream ss;
    std::string expected;
    for(int i = 0; i < 20000; i++) {
        char c = char('a' + i % 26);
        ss.Put(c);
        expected += c;
        if(i % 1000 == 999) { // long blocks too, through the window and past it
            std::string block(700 + i % 300, char('0' + i % 10));
            ss.Put(block.data(), (uint32)block.size());
            expected += block;
        }
    }
    EXPECT_EQ(ss.GetSize(), (int64)expected.size());
    String text = ss.GetText();
    EXPECT_EQ(std::string(text.Begin(), text.GetLength()), expected);
}

TEST(StringStream, SeekPastEndReadsZeros)
{
    StringStream ss;
    ss.Put("ab");
    ss.Seek(40);
    EXPECT_EQ(ss.GetPos(), 40);
    EXPECT_EQ(ss.GetSize(), 40);
    ss.Put('z');
    String text = ss.GetText();
    ASSERT_EQ(text.GetLength(), 41);
    EXPECT_EQ(text[0], 'a');
    EXPECT_EQ(text[1], 'b');
    for(int i = 2; i < 40; i++)
        EXPECT_EQ(text[i], 0) << i;
    EXPECT_EQ(text[40], 'z');

    // From read mode, beyond a text that already had a heap block.
    StringStream in(String(std::string(300, 'x').c_str()));
    in.Seek(1000);
    in.Seek(0);
    String big = in.GetText();
    ASSERT_EQ(big.GetLength(), 1000);
    for(int i = 300; i < 1000; i++)
        ASSERT_EQ(big[i], 0) << i;
}

TEST(StringStream, SeekBackKeepsExtent)
{
    StringStream ss;
    ss.Put("abcdef");
    ss.Seek(2);
    EXPECT_EQ(ss.GetSize(), 6);
    ss.Put("XY");
    EXPECT_EQ(ss.GetPos(), 4);
    EXPECT_EQ(ss.GetText(), "abXYef");
    ss.Seek(-5);
    EXPECT_EQ(ss.GetPos(), 0);
}

TEST(StringStream, SetSizeCases)
{
    struct Case { int64 pos; int64 size; const char* text; int64 pos_after; };
    const Case cases[] = {
        {6, 3, "abc", 3},   // truncation moves the position back
        {1, 3, "abc", 1},   // position inside is kept
        {6, 6, "abcdef", 6},
        {2, 8, "abcdef\0\0", 2}, // growth adds zeros and keeps the position
        {6, 0, "", 0},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.size);
        StringStream ss;
        ss.Put("abcdef");
        ss.Seek(c.pos);
        ss.SetSize(c.size);
        EXPECT_EQ(ss.GetSize(), c.size);
        EXPECT_EQ(ss.GetPos(), c.pos_after);
        EXPECT_EQ(ss.GetText(), String(c.text, (int)c.size));
    }
}

TEST(StringStream, TextHandedOverIsComplete)
{
    StringStream ss;
    std::string s(5000, 'k');
    ss.Put(s.data(), (uint32)s.size());
    String a = ss.GetText();
    String b = ss.GetText();
    EXPECT_EQ(a.GetLength(), 5000);
    EXPECT_EQ(a, b);
    // Writing after GetText changes the stream's text, not the copies handed out.
    ss.Put("tail");
    EXPECT_EQ(a.GetLength(), 5000);
    EXPECT_EQ(ss.GetText().GetLength(), 5004);
}

// Short texts are written in the stream's inline area and move to a block when they
// outgrow it: nothing written may be lost at that step, whichever write crosses it.
TEST(StringStream, TextsAroundTheInlineArea)
{
    struct Case { int first, second; };
    const Case cases[] = { { 0, 255 }, { 0, 256 }, { 200, 55 }, { 200, 56 }, { 254, 1 }, { 255, 1 }, { 128, 500 } };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.first);
        SCOPED_TRACE(c.second);
        std::string a(c.first, 'a'), b(c.second, 'b');
        for(size_t k = 0; k < a.size(); k++)
            a[k] = char('a' + k % 26);
        StringStream ss;
        ss.Put(a.data(), (uint32)a.size());
        ss.Put(b.data(), (uint32)b.size());
        EXPECT_EQ(ss.GetSize(), (int64)(a.size() + b.size()));
        String text = ss.GetText();
        EXPECT_EQ(std::string(text.Begin(), text.GetLength()), a + b);
        // Back to writing over the text read: the same on both sides of the boundary.
        ss.Seek(c.first);
        ss.Put("xyz");
        std::string expected = a + "xyz" + (b.size() > 3 ? b.substr(3) : "");
        text = ss.GetText();
        EXPECT_EQ(std::string(text.Begin(), text.GetLength()), expected);
    }

    // A text started for reading and extended past the inline area by seeking.
    StringStream in(String("short"));
    in.Seek(5);
    in.Put("!");
    in.Seek(300);
    in.Put("end");
    String text = in.GetText();
    ASSERT_EQ(text.GetLength(), 303);
    EXPECT_EQ(std::string(text.Begin(), 6), "short!");
    for(int i = 6; i < 300; i++)
        ASSERT_EQ(text[i], 0) << i;
    EXPECT_EQ(std::string(text.Begin() + 300, 3), "end");
}
