// Placing paragraphs and lines on pages: page breaks before a paragraph, keep together,
// keep with next, new page, orphan control and the height above which pages never break.

#include "richtext/layout/lines_on_pages_internal.h"
#include "tests/richtext/layout/layout_support.h"

#include <climits>

#include <gtest/gtest.h>

namespace Qor {
namespace {

using QorTest::FontHeight;
using QorTest::Para;

// Three lines of the test font's height at width 10000 (the text breaks at hard widths).
UnpackedParagraph ThreeLines(const ParagraphFormat& f) { return Para(u"a a a", f); }

constexpr int NARROW = 1; // one word per line

TEST(PagePlacement, BeginOnPageBreaksPagesBeforeTheParagraph)
{
    int h = FontHeight();
    struct Case {
        const char* name;
        bool keep, keep_next, new_page;
        int top, bottom, y; // page rectangle and start
        int next_before, next_first;
        PagePosition expected; // where the first line starts
    } cases[] = {
        { "fits", false, false, false, 0, 1000, 100, 0, 0, { 0, 100 + 30 } },
        { "first line does not fit", false, false, false, 0, 1000, 1000 - 30 - h + 1, 0, 0, { 1, 30 } },
        { "first line just fits", false, false, false, 0, 1000, 1000 - 30 - h, 0, 0, { 0, 1000 - h } },
        { "keep together", true, false, false, 0, 1000, 1000 - 30 - 2 * h, 0, 0, { 1, 30 } },
        { "keep with next", false, true, false, 0, 1000, 1000 - 30 - 3 * h - 5 - 7, 0, 8, { 1, 30 } },
        { "keep with next fits",
          false,
          true,
          false,
          0,
          1000,
          1000 - 30 - 3 * h - 5 - 8,
          0,
          8,
          { 0, 1000 - 3 * h - 5 - 8 } },
        { "next values without keep", false, false, false, 0, 1000, 100, 5000, 5000, { 0, 130 } },
        { "new page", false, false, true, 0, 1000, 0, 0, 0, { 1, 30 } },
        { "taller than the page", true, false, false, 0, 30 + 2 * h, 50, 0, 0, { 0, 80 } },
        { "just below unbounded", false, false, true, 0, UNBOUNDED_PAGE_HEIGHT - 1, 0, 0, 0, { 1, 30 } },
        { "unbounded", false, false, true, 0, UNBOUNDED_PAGE_HEIGHT, 0, 0, 0, { 0, 30 } },
        { "unbounded near its end",
          true,
          false,
          false,
          0,
          UNBOUNDED_PAGE_HEIGHT,
          UNBOUNDED_PAGE_HEIGHT,
          0,
          0,
          { 0, UNBOUNDED_PAGE_HEIGHT + 30 } },
        { "whole int range", true, true, true, INT_MIN, INT_MAX, INT_MAX - 5, INT_MAX, INT_MAX, { 0, INT_MAX } },
    };
    for(const Case& c : cases) {
        ParagraphFormat f;
        f.ruler = 10;
        f.before = 20;
        f.after = 5;
        f.keep = c.keep;
        f.keep_next = c.keep_next;
        f.new_page = c.new_page;
        UnpackedParagraph p = ThreeLines(f);
        ParagraphLines lines;
        PagePosition py(0, c.y);
        // The narrow layout width makes one word per line.
        p.BeginOnPage(lines, Rect(0, c.top, NARROW, c.bottom), py, c.next_before, c.next_first);
        ASSERT_EQ(lines.GetCount(), 3) << c.name;
        EXPECT_EQ(py, c.expected) << c.name << ": " << py.page << ", " << py.y;
    }
}

TEST(PagePlacement, LinesGoToTheNextPageWithOrphanControl)
{
    int h = FontHeight();
    struct Case {
        const char* name;
        bool orphans_allowed;
        int bottom, y;
        std::vector<PagePosition> tops;
    } cases[] = {
        { "all fit", false, 1000, 0, { { 0, 0 }, { 0, h }, { 0, 2 * h } } },
        { "last does not fit, orphans allowed",
          true,
          1000,
          1000 - 2 * h - 1,
          { { 0, 1000 - 2 * h - 1 }, { 0, 1000 - h - 1 }, { 1, 0 } } },
        // The next-to-last line goes with the last.
        { "last does not fit", false, 1000, 1000 - 2 * h - 1, { { 0, 1000 - 2 * h - 1 }, { 1, 0 }, { 1, h } } },
        // The first line does not stay alone.
        { "only the first fits", false, 1000, 1000 - h - 1, { { 1, 0 }, { 1, h }, { 1, 2 * h } } },
        { "only the first fits, orphans allowed",
          true,
          1000,
          1000 - h - 1,
          { { 0, 1000 - h - 1 }, { 1, 0 }, { 1, h } } },
        // A line at least as tall as the page is never moved.
        { "page as high as a line", false, h, 0, { { 0, 0 }, { 0, h }, { 0, 2 * h } } },
        { "unbounded",
          false,
          UNBOUNDED_PAGE_HEIGHT,
          UNBOUNDED_PAGE_HEIGHT,
          { { 0, UNBOUNDED_PAGE_HEIGHT }, { 0, UNBOUNDED_PAGE_HEIGHT + h }, { 0, UNBOUNDED_PAGE_HEIGHT + 2 * h } } },
    };
    ParagraphLines lines = ThreeLines(ParagraphFormat()).LayOutLines(NARROW);
    ASSERT_EQ(lines.GetCount(), 3);
    for(const Case& c : cases) {
        std::vector<PagePosition> tops;
        std::vector<bool> moved;
        LinesOnPages lp(lines, Rect(0, 0, NARROW, c.bottom), PagePosition(0, c.y), c.orphans_allowed);
        while(lp.Next()) {
            EXPECT_EQ(lp.i, (int)tops.size());
            EXPECT_EQ(lp.height, h);
            tops.push_back(lp.top);
            EXPECT_EQ(lp.new_page, tops.size() == 1 ? lp.top.page > 0 : lp.top.page > tops[tops.size() - 2].page)
                << c.name;
            EXPECT_EQ(lp.end(), PagePosition(lp.top.page, lp.top.y + h));
        }
        EXPECT_EQ(tops, c.tops) << c.name;
    }
}

} // namespace
} // namespace Qor
