// Drawing one file name: the inks of name and extension, and the shortening of names that
// do not fit (path segments, middle "...", the narrowest widths), with underline and
// description.
#include "filesel/list/file_list.h"

#include "draw/font/font_metrics.h"
#include "draw/look/sys_colors.h"
#include "draw/target/nil_draw.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Qor;

namespace {

struct DrawnText {
    int x;
    std::string text;
    Color ink;
    bool operator==(const DrawnText&) const = default;
};

// What was drawn, in order.
struct Drawn {
    std::vector<DrawnText> texts;
    std::vector<Rect> rects;
    std::vector<Color> rect_colors;
};

class SpyDraw : public NilDraw {
public:
    Drawn drawn;

    void DrawTextRun(int x, int, int, const wchar16* t, Font, Color ink, int n, const int*) override
    {
        drawn.texts.push_back({ x, std::string(t, t + n), ink });
    }
    void DrawRect(int x, int y, int cx, int cy, Color c) override
    {
        drawn.rects.push_back(Rect(x, y, x + cx, y + cy));
        drawn.rect_colors.push_back(c);
    }
    using NilDraw::DrawRect;
};

std::ostream& operator<<(std::ostream& s, const DrawnText& t)
{
    return s << "{" << t.x << ", \"" << t.text << "\", " << std::hex << t.ink.GetPacked() << std::dec << "}";
}

class FileNameTest : public ::testing::Test {
protected:
    Font font = GetStandardFont();
    const Color ink = Color(10, 20, 30);
    const Color ext = Color(200, 0, 0);
    const Color grey = SysColorDisabled();
    const int x0 = 7;

    int W(const char* s) const
    {
        int cx = 0;
        for(; *s; s++)
            cx += font.GetCharWidth(*s);
        return cx;
    }
    int Dots() const { return W("..."); }

    Drawn Draw(const char* name, int width, bool folder = false, bool nameonly = false, Color underline = Color(),
               const char* description = "")
    {
        SpyDraw w;
        DrawFileName(w, x0, 3, width, 99, WString(name), folder, font, ink, ext, WString(description), font, nameonly,
                     underline);
        return w.drawn;
    }
};

using T = DrawnText;

TEST_F(FileNameTest, AFittingNameShowsItsExtensionInItsOwnInk)
{
    Drawn w = Draw("report.pdf", W("report.pdf"));
    EXPECT_EQ(w.texts, (std::vector<T>{ { x0, "report.", ink }, { x0 + W("report."), "pdf", ext } }));
    EXPECT_TRUE(w.rects.empty());
}

TEST_F(FileNameTest, ShortenedNamesKeepTheirExtension)
{
    const int lead = W("/..");
    struct Case {
        const char* what;
        const char* name;
        int width;
        std::vector<T> expected;
    } cases[] = {
        { "middle ellipsis",
          "abcdefghijklmnop.txt",
          W("abcdefgh") + Dots() + W("txt"),
          { { x0, "abcdefgh", ink },
            { x0 + W("abcdefgh"), "...", grey },
            { x0 + W("abcdefgh") + Dots(), "txt", ext } } },
        { "no extension",
          "abcdefghijklmnop",
          W("abcdefgh") + Dots(),
          { { x0, "abcdefgh", ink }, { x0 + W("abcdefgh"), "...", grey } } },
        { "extension too wide for the room",
          "abcdefgh.verylongextension",
          W("abcdefgh") + Dots(),
          { { x0, "abcdefgh", ink }, { x0 + W("abcdefgh"), "...", grey } } },
        { "below six dots only the beginning",
          "abcdefghijklmnop.txt",
          2 * Dots() - 1,
          { { x0, "abcdefghijklmnop.txt", ink } } },
        { "path: two segments dropped",
          "/home/u/docs/report.pdf",
          lead + W("docs/report.pdf") + 1,
          { { x0, "../", grey }, { x0 + lead, "docs/report.", ink }, { x0 + lead + W("docs/report."), "pdf", ext } } },
        { "path: three segments dropped",
          "/home/u/docs/report.pdf",
          lead + W("report.pdf") + 1,
          { { x0, "../", grey }, { x0 + lead, "report.", ink }, { x0 + lead + W("report."), "pdf", ext } } },
        { "path: the name itself shortened",
          "/home/u/docs/report.pdf",
          lead + W("repo") + Dots() + W("pdf"),
          { { x0, "../", grey },
            { x0 + lead, "repo", ink },
            { x0 + lead + W("repo"), "...", grey },
            { x0 + lead + W("repo") + Dots(), "pdf", ext } } },
    };
    for(Case& c : cases) {
        Drawn w = Draw(c.name, c.width);
        if(c.expected.size() == 1) {
            // Below six dots: the longest beginning that fits, whatever the font.
            ASSERT_EQ(w.texts.size(), 1u) << c.what;
            std::string s = w.texts[0].text;
            EXPECT_LE(W(s.c_str()), c.width) << c.what;
            EXPECT_GT(W(std::string(c.name, s.size() + 1).c_str()), c.width) << c.what;
            EXPECT_EQ(s, std::string(c.name, s.size())) << c.what;
            EXPECT_EQ(w.texts[0].ink, ink) << c.what;
            continue;
        }
        EXPECT_EQ(w.texts, c.expected) << c.what;
    }
}

TEST_F(FileNameTest, FoldersAreNeverSplitAtADot)
{
    Drawn w = Draw("a.b", 1000, true);
    EXPECT_EQ(w.texts, (std::vector<T>{ { x0, "a.b", ink } }));
}

TEST_F(FileNameTest, NameOnlyDrawsFromTheLastSeparator)
{
    Drawn w = Draw("docs/report.pdf", 1000, false, true);
    EXPECT_EQ(w.texts, (std::vector<T>{ { x0, "report.", ink }, { x0 + W("report."), "pdf", ext } }));
    // A dot before the last separator is no extension.
    w = Draw("v1.2/README", 1000);
    EXPECT_EQ(w.texts, (std::vector<T>{ { x0, "v1.2/README", ink } }));
}

TEST_F(FileNameTest, TheUnderlineRunsUnderWhatIsDrawn)
{
    Color blue(0, 0, 255);
    int y = 3 + font.GetAscent() + 1;
    Drawn w = Draw("report.pdf", 1000, false, false, blue, "ignored with an underline");
    ASSERT_EQ(w.rects.size(), 1u);
    EXPECT_EQ(w.rects[0], Rect(x0, y, x0 + W("report.pdf"), y + 1));
    EXPECT_EQ(w.rect_colors[0], blue);
    EXPECT_EQ(w.texts.size(), 2u); // no description

    w = Draw("abcdefghijklmnop.txt", W("abcdefgh") + Dots() + W("txt"), false, false, blue);
    ASSERT_EQ(w.rects.size(), 1u);
    EXPECT_EQ(w.rects[0], Rect(x0, y, x0 + W("abcdefgh") + Dots() + W("txt"), y + 1));
    EXPECT_EQ(w.texts.size(), 3u);
}

TEST_F(FileNameTest, TheDescriptionFollowsTheNameAndNeverOverlapsIt)
{
    Drawn w = Draw("a.txt", 1000, false, false, Color(), "Description");
    ASSERT_EQ(w.texts.size(), 3u);
    EXPECT_EQ(w.texts[2].text, "Description");
    EXPECT_EQ(w.texts[2].ink, ext);
    EXPECT_GE(w.texts[2].x, x0 + W("a.txt"));
}

// A dark paper is a selected row: both parts in the highlight text colour.
TEST(FileListPaintTest, ADarkPaperDrawsBothPartsInTheHighlightTextColour)
{
    FileList list;
    list.Add("report.pdf", Image(), GetStandardFont(), Color(10, 20, 30), false, 5, Time(), Color(200, 0, 0), "",
             GetStandardFont(), Value(), Color(), false, false);
    for(Color paper : { Color(0, 0, 0), Color(255, 255, 255) }) {
        SpyDraw spy;
        list.Paint(spy, Rect(0, 0, 300, 20), list.GetKey(0), Color(1, 2, 3), paper, 0);
        const Drawn& w = spy.drawn;
        ASSERT_EQ(w.texts.size(), 2u);
        bool dark = paper == Color(0, 0, 0);
        EXPECT_EQ(w.texts[0].ink, dark ? SysColorHighlightText() : Color(10, 20, 30));
        EXPECT_EQ(w.texts[1].ink, dark ? SysColorHighlightText() : Color(200, 0, 0));
        EXPECT_EQ(w.texts[0].x, list.iconwidth + 4);
        EXPECT_EQ(w.rect_colors[0], paper);
    }
}

} // namespace
