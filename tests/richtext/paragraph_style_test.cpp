// Paragraph styles: the style map, its lookup and the process-wide default style.

#include "richtext/model/paragraph_style.h"
#include "richtext/text/rich_text.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

namespace Qor {
namespace {

TEST(ParagraphStyle, NewStyleIsDefault)
{
    ParagraphStyle s;
    EXPECT_TRUE(s.name.IsEmpty());
    EXPECT_EQ(s.next, DefaultStyleId);
    EXPECT_EQ(s.format.style, DefaultStyleId);
    EXPECT_EQ(s.format.tab_size, 296);
    EXPECT_EQ(DefaultStyleId, Uuid(0, 0, 0, 0));
}

TEST(ParagraphStyle, LookupOfMissingIdGivesDefaultWithoutAdding)
{
    ParagraphStyleMap styles;
    Uuid heading(1, 2, 3, 4);
    styles.GetAdd(heading).name = "Heading";

    const ParagraphStyle& s = RichText::GetStyle(styles, Uuid(9, 9, 9, 9));
    EXPECT_EQ(&s, &GetDefaultParagraphStyle());
    EXPECT_TRUE(s.name.IsEmpty());
    EXPECT_EQ(s.format.align, ParagraphFormat::ALIGN_LEFT);
    EXPECT_EQ(s.format.GetLevel(), -1);
    EXPECT_EQ(styles.GetCount(), 1);

    // The default id is only the stand-in's id, not a stored style, until it is added.
    EXPECT_EQ(&RichText::GetStyle(styles, DefaultStyleId), &GetDefaultParagraphStyle());
    EXPECT_EQ(RichText::GetStyle(styles, heading).name, "Heading");
}

TEST(ParagraphStyle, GetAddAppendsInInsertionOrderOnce)
{
    ParagraphStyleMap styles;
    Uuid ids[] = { Uuid(5, 0, 0, 0), DefaultStyleId, Uuid(0, 0, 0, 1) };
    const char* names[] = { "Body", "Default", "Quote" };
    for(int i = 0; i < 3; i++) {
        ParagraphStyle& s = styles.GetAdd(ids[i]);
        EXPECT_TRUE(s.name.IsEmpty());
        EXPECT_EQ(s.format.lm, 0);
        s.name = names[i];
        s.format.lm = 10 * (i + 1);
    }
    ParagraphStyle* body = &styles.GetAdd(ids[0]);
    EXPECT_EQ(body->name, "Body");
    EXPECT_EQ(styles.GetCount(), 3);
    for(int i = 0; i < 3; i++) {
        EXPECT_EQ(styles.GetKey(i), ids[i]);
        EXPECT_EQ(styles[i].name, names[i]);
        EXPECT_EQ(RichText::GetStyle(styles, ids[i]).format.lm, 10 * (i + 1));
    }
    // The process-wide stand-in is never the one changed.
    EXPECT_TRUE(GetDefaultParagraphStyle().name.IsEmpty());
    EXPECT_EQ(GetDefaultParagraphStyle().format.lm, 0);
}

} // namespace
} // namespace Qor
