// Unpacked paragraphs: text positions, the parts' kinds and the paragraph cache.

#include "richtext/model/packed_paragraph.h"
#include "richtext/model/paragraph_cache_internal.h"
#include "tests/richtext/support/paragraph_text.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

namespace Qor {
namespace {

EmbeddedObject TextObject(const char* data)
{
    EmbeddedObject o;
    o.ReadObject("test object", data, Size(10, 10));
    return o;
}

// "ab", an object, a field, "cde".
void Fill(UnpackedParagraph& p)
{
    CharacterFormat f;
    p.CatText(WString("ab"), f);
    p.CatObject(TextObject("o"), f);
    p.CatField("F", "x", f);
    p.CatText(WString("cde"), f);
}

TEST(UnpackedParagraph, PositionsCountCharactersObjectsAndFields)
{
    UnpackedParagraph p;
    Fill(p);
    EXPECT_EQ(p.GetLength(), 7);
    EXPECT_EQ(p.GetText(), WString("ab\x7f\x7f"
                                   "cde"));
    EXPECT_FALSE(p.part[0].HasObjectOrField());
    EXPECT_TRUE(p.part[1].IsObject());
    EXPECT_TRUE(p.part[2].IsField());
    EXPECT_FALSE(p.part[2].IsObject());

    struct Case {
        int pos, part, rest;
    } cases[] = {
        { 0, 0, 0 }, { 1, 0, 1 }, { 2, 1, 0 }, { 3, 2, 0 }, { 4, 3, 0 }, { 6, 3, 2 }, { 7, 4, 0 }, { 9, 4, 2 }
    };
    for(const Case& c : cases) {
        int pos = c.pos;
        EXPECT_EQ(p.FindPart(pos), c.part) << c.pos;
        EXPECT_EQ(pos, c.rest) << c.pos;
    }
    p.TrimParts(2);
    EXPECT_EQ(p.GetLength(), 3);
    p.ClearParts();
    EXPECT_EQ(p.GetLength(), 0);
}

TEST(UnpackedParagraph, LabelOrIndexEntry)
{
    UnpackedParagraph p;
    Fill(p);
    EXPECT_FALSE(p.HasLabelOrIndexEntry());
    p.part[3].format.index_entry = WString("entry");
    EXPECT_TRUE(p.HasLabelOrIndexEntry());
    UnpackedParagraph q;
    q.format.label = "L";
    EXPECT_TRUE(q.HasLabelOrIndexEntry());
}

void Upper(const String& param, const ValueMap& vars, const CharacterFormat& f, OwnedArray<ParagraphPart>& parts)
{
    ParagraphPart& p = parts.Add();
    p.text = WString(param + "!");
    p.format = f;
    p.format.capitals = vars.GetCount() == 0;
}

TEST(UnpackedParagraph, RegisteredFieldsAreEvaluatedWhenAppended)
{
    RegisterFieldType("test upper", Upper);
    EXPECT_EQ(FindFieldType("test upper"), &Upper);
    EXPECT_EQ(FindFieldType("test unknown"), nullptr);
    UnpackedParagraph p;
    p.cache_key = 5;
    CharacterFormat f;
    f.ink = Color(1, 2, 3);
    p.CatField("test upper", "abc", f);
    p.CatField("test unknown", "abc", f);
    EXPECT_EQ(p.cache_key, 0);
    ASSERT_EQ(p.part[0].field_part.GetCount(), 1);
    EXPECT_EQ(p.part[0].field_part[0].text, WString("abc!"));
    EXPECT_EQ(p.part[0].field_part[0].format.ink, Color(1, 2, 3));
    EXPECT_TRUE(p.part[0].field_part[0].format.capitals);
    EXPECT_TRUE(p.part[1].field_part.IsEmpty());
}

// A key no other test uses: serials of stored paragraphs start at 1 and count up.
int64 TestKey(int i) { return ((int64)1 << 50) + i; }

String PackedText(const char* text, OwnedArray<EmbeddedObject>& objects)
{
    UnpackedParagraph p;
    p.CatText(WString(text), CharacterFormat());
    return PackParagraph(p, ParagraphFormat(), objects);
}

TEST(ParagraphCache, SecondUnpackingTakesTheDestroyedParagraphsParts)
{
    OwnedArray<EmbeddedObject> objects;
    String packed = PackedText("cached", objects);
    ParagraphFormat style;
    const ParagraphPart* first_part = nullptr;
    {
        UnpackedParagraph p;
        p.cache_key = TestKey(1);
        UnpackParagraph(p, packed, objects, style);
        ASSERT_EQ(p.part.GetCount(), 1);
        first_part = &p.part[0];
        // Changed in place so that taking it from the cache shows.
        p.part[0].text = WString("from the cache");
    }
    UnpackedParagraph q;
    q.cache_key = TestKey(1);
    UnpackParagraph(q, packed, objects, style);
    ASSERT_EQ(q.part.GetCount(), 1);
    EXPECT_EQ(&q.part[0], first_part);
    EXPECT_EQ(q.part[0].text, WString("from the cache"));
    EXPECT_FALSE(q.cache_entry);
    q.cache_key = 0; // not put back

    // Without a key nothing is taken from the cache or put into it.
    int before = GetParagraphCacheCount();
    {
        UnpackedParagraph r;
        UnpackParagraph(r, packed, objects, style);
        EXPECT_EQ(r.part[0].text, WString("cached"));
    }
    EXPECT_EQ(GetParagraphCacheCount(), before);
}

TEST(ParagraphCache, KeepsAtMostSixtyFiveEntriesAndAboutTwentyThousandCharacters)
{
    OwnedArray<EmbeddedObject> objects;
    String small = PackedText("x", objects);
    for(int i = 0; i < 100; i++) {
        UnpackedParagraph p;
        p.cache_key = TestKey(100 + i);
        UnpackParagraph(p, small, objects, ParagraphFormat());
    }
    EXPECT_EQ(GetParagraphCacheCount(), 65);

    String big = PackedText(std::string(3000, 'y').c_str(), objects);
    for(int i = 0; i < 10; i++) {
        UnpackedParagraph p;
        p.cache_key = TestKey(200 + i);
        UnpackParagraph(p, big, objects, ParagraphFormat());
    }
    // Entries 1, 3, 5 and 7 add up past 10000 characters: entries from 7 on go.
    EXPECT_EQ(GetParagraphCacheCount(), 7);

    // The oldest entries are gone, the newest are still there.
    UnpackedParagraph old, recent;
    old.cache_key = TestKey(100);
    UnpackParagraph(old, small, objects, ParagraphFormat());
    recent.cache_key = TestKey(209);
    UnpackParagraph(recent, PackedText("other", objects), objects, ParagraphFormat());
    EXPECT_EQ(old.part[0].text, WString("x"));
    EXPECT_EQ(recent.part[0].text.GetLength(), 3000);
    old.cache_key = recent.cache_key = 0;
}

TEST(ParagraphCache, MovedParagraphIsNotCachedTwice)
{
    OwnedArray<EmbeddedObject> objects;
    String packed = PackedText("moved", objects);
    int before;
    {
        UnpackedParagraph p;
        p.cache_key = TestKey(300);
        UnpackParagraph(p, packed, objects, ParagraphFormat());
        before = GetParagraphCacheCount();
        UnpackedParagraph q(std::move(p));
        EXPECT_EQ(q.part[0].text, WString("moved"));
        EXPECT_EQ(p.cache_key, 0);
        q.cache_key = 0;
    }
    EXPECT_EQ(GetParagraphCacheCount(), before);
}

} // namespace
} // namespace Qor
