// The layout cache: a paragraph laid out at the same width again reuses its layout.

#include "richtext/layout/lines_on_pages_internal.h"
#include "tests/richtext/layout/layout_support.h"

#include <gtest/gtest.h>

namespace Qor {
namespace {

using QorTest::Para;

int64 UniqueKey()
{
    static int64 key = 0x7E57CAC4E0000000;
    return ++key;
}

TEST(ParagraphLinesCache, SameKeyAndWidthReuseTheLayout)
{
    UnpackedParagraph p = Para(u"cached text");
    p.cache_key = UniqueKey();
    {
        ParagraphLines l = p.LayOutLines(5000);
        EXPECT_EQ(l.cache_key, p.cache_key);
        EXPECT_FALSE(l.cached);
        l.width_of[0] = 12345; // a mark that only the same record carries
    }
    int count = GetParagraphLinesCacheCount();
    EXPECT_GE(count, 1);
    {
        ParagraphLines again = p.LayOutLines(5000);
        EXPECT_EQ(again.width_of[0], 12345);
        EXPECT_FALSE(again.cached);
        EXPECT_EQ(GetParagraphLinesCacheCount(), count - 1); // taken out of the cache
        // Another width is laid out afresh.
        ParagraphLines other = p.LayOutLines(4000);
        EXPECT_NE(other.width_of[0], 12345);
    }
    // Justification comes along with a cached record and is not applied twice.
    p.format.align = ParagraphFormat::ALIGN_JUSTIFY;
    ParagraphLines lines;
    PagePosition py;
    p.BeginOnPage(lines, Rect(0, 0, 5000, 1000), py, 0, 0);
    EXPECT_EQ(lines.width_of[0], 12345);
    EXPECT_TRUE(lines.justified);

    // A paragraph without a key is never cached.
    UnpackedParagraph u = Para(u"not cached");
    int before = GetParagraphLinesCacheCount();
    {
        ParagraphLines l = u.LayOutLines(5000);
    }
    EXPECT_EQ(GetParagraphLinesCacheCount(), before);
}

TEST(ParagraphLinesCache, TrimsByCharactersAndEntries)
{
    // Many small layouts: the cache stays bounded by its entry limit.
    for(int i = 0; i < 200; i++) {
        UnpackedParagraph p = Para(u"x");
        p.cache_key = UniqueKey();
        ParagraphLines l = p.LayOutLines(100);
    }
    EXPECT_LE(GetParagraphLinesCacheCount(), 66);
    EXPECT_GE(GetParagraphLinesCacheCount(), 60);
    // Large layouts: the character limit counts every other entry.
    WString big;
    for(int i = 0; i < 3000; i++)
        big += u'y';
    for(int i = 0; i < 20; i++) {
        UnpackedParagraph p = Para(big.Begin());
        p.cache_key = UniqueKey();
        ParagraphLines l = p.LayOutLines(1000000);
    }
    EXPECT_LE(GetParagraphLinesCacheCount(), 8);
}

} // namespace
} // namespace Qor
