// Character and paragraph formats: defaults, copies, comparisons and paragraph numbering.

#include "richtext/model/formats.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace Qor {
namespace {

ParagraphNumbering Levels(std::initializer_list<int> styles)
{
    ParagraphNumbering n;
    int i = 0;
    for(int s : styles)
        n.number[i++] = (uint8)s;
    return n;
}

ParagraphNumbering AroundTextsOnly()
{
    ParagraphNumbering n;
    n.before_number = "(";
    n.after_number = ")";
    return n;
}

NumberingCounters Counters(std::initializer_list<int> values)
{
    NumberingCounters c;
    int i = 0;
    for(int v : values)
        c[i++] = v;
    return c;
}

TEST(ParagraphFormat, DefaultsAreTheDocumentedOnes)
{
    ParagraphFormat f;
    EXPECT_EQ(f.align, ParagraphFormat::ALIGN_LEFT);
    EXPECT_EQ(f.tab_size, 296);
    EXPECT_EQ(f.style, Uuid());
    for(int v : { f.ruler, f.before, f.lm, f.indent, f.rm, f.after, f.ruler_style, f.bullet, f.line_spacing })
        EXPECT_EQ(v, 0);
    EXPECT_EQ(f.ruler_color, Color(0, 0, 0));
    EXPECT_FALSE(f.new_page || f.keep || f.keep_next || f.orphan);
    EXPECT_TRUE(f.tab.IsEmpty());
    EXPECT_TRUE(f.label.IsEmpty());
    EXPECT_EQ(f.GetLevel(), -1);
    EXPECT_FALSE(f.IsNumbered());

    EXPECT_EQ(f.font.GetFace(), Font::SANSSERIF);
    EXPECT_EQ(f.font.GetFlags(), 0);
    EXPECT_EQ(f.font.GetHeightCode(), 100);
    EXPECT_EQ(f.font.GetWidth(), 0);
    EXPECT_EQ(f.language, 0);
    EXPECT_EQ(f.ink, Color(0, 0, 0));
    EXPECT_TRUE(f.paper.IsNullInstance());
    EXPECT_EQ(f.script, 0u);
    EXPECT_FALSE(f.capitals || f.dashed);

    TabStop t;
    EXPECT_EQ(t.pos, 0);
    EXPECT_EQ(t.align, TabStop::LEFT);
    EXPECT_EQ(t.fillchar, TabStop::NO_FILL);
}

TEST(ParagraphFormat, CopiesAndAssignmentsAreIndependent)
{
    ParagraphFormat f;
    f.label = "intro";
    f.link = "http://x";
    f.index_entry = WString("entry");
    f.before_number = "(";
    f.number[3] = 5;
    f.tab.Add(TabStop{ 100, TabStop::RIGHT, TabStop::DOT_FILL });
    f.script = CharacterFormat::SUBSCRIPT;
    f.lm = 40;

    ParagraphFormat copy(f);
    ParagraphFormat assigned;
    assigned.Assign(f);
    for(ParagraphFormat* g : { &copy, &assigned }) {
        EXPECT_EQ(g->label, "intro");
        EXPECT_EQ(g->link, "http://x");
        EXPECT_EQ(g->index_entry, WString("entry"));
        EXPECT_FALSE(g->Differs(f));
        EXPECT_TRUE(TabStopsEqual(g->tab, f.tab));
        EXPECT_EQ(g->script, (unsigned)CharacterFormat::SUBSCRIPT);
        EXPECT_EQ(g->lm, 40);
        g->label = "changed";
        g->tab[0].pos = 7;
    }
    EXPECT_EQ(f.label, "intro");
    EXPECT_EQ(f.tab[0].pos, 100);

    f.Assign(f);
    EXPECT_EQ(f.label, "intro");
    EXPECT_EQ(f.tab.GetCount(), 1);

    CharacterFormat c;
    c.link = "target";
    c.Assign(c);
    EXPECT_EQ(c.link, "target");
}

TEST(TabStops, EqualOnlyIndexByIndex)
{
    TabStop a{ 100, TabStop::LEFT, TabStop::NO_FILL };
    TabStop b{ 200, TabStop::CENTER, TabStop::HYPHEN_FILL };
    Vector<TabStop> ab{ a, b };
    EXPECT_TRUE(TabStopsEqual(ab, Vector<TabStop>{ a, b }));
    EXPECT_TRUE(TabStopsEqual(Vector<TabStop>(), Vector<TabStop>()));
    EXPECT_FALSE(TabStopsEqual(ab, Vector<TabStop>{ b, a }));
    EXPECT_FALSE(TabStopsEqual(ab, Vector<TabStop>{ a }));
    TabStop c = b;
    c.align = TabStop::RIGHT;
    EXPECT_FALSE(TabStopsEqual(ab, Vector<TabStop>{ a, c }));
    c = b;
    c.fillchar = TabStop::UNDERSCORE_FILL;
    EXPECT_FALSE(TabStopsEqual(ab, Vector<TabStop>{ a, c }));
    c = b;
    c.pos |= TabStop::FROM_RIGHT;
    EXPECT_FALSE(TabStopsEqual(ab, Vector<TabStop>{ a, c }));
}

TEST(ParagraphNumbering, DiffersOnEveryNumberingFieldOnly)
{
    ParagraphFormat base;
    struct Case {
        const char* what;
        void (*change)(ParagraphFormat&);
        bool differs;
    } cases[] = {
        { "before text", [](ParagraphFormat& f) { f.before_number = "("; }, true },
        { "after text", [](ParagraphFormat& f) { f.after_number = ")"; }, true },
        { "reset", [](ParagraphFormat& f) { f.reset_numbering = true; }, true },
        { "level 0", [](ParagraphFormat& f) { f.number[0] = 1; }, true },
        { "level 7", [](ParagraphFormat& f) { f.number[7] = 6; }, true },
        { "character part",
          [](ParagraphFormat& f) {
              f.font.Bold();
              f.link = "x";
              f.ink = Color(1, 2, 3);
          },
          false },
        { "paragraph part",
          [](ParagraphFormat& f) {
              f.lm = 10;
              f.label = "l";
          },
          false },
    };
    for(const Case& c : cases) {
        ParagraphFormat f;
        c.change(f);
        EXPECT_EQ(f.Differs(base), c.differs) << c.what;
        EXPECT_EQ(base.Differs(f), c.differs) << c.what;
    }
}

TEST(ParagraphNumbering, LevelAndNumbered)
{
    struct Case {
        ParagraphNumbering n;
        int level;
        bool numbered;
    };
    ParagraphNumbering after_only;
    after_only.after_number = ".";
    ParagraphNumbering before_only;
    before_only.before_number = "-";
    ParagraphNumbering reset_only;
    reset_only.reset_numbering = true;
    Case cases[] = {
        { ParagraphNumbering(), -1, false },
        { reset_only, -1, false },
        { after_only, 0, true },
        { before_only, 0, true },
        { Levels({ 1 }), 1, true },
        { Levels({ 0, 0, 3 }), 3, true },
        { Levels({ 1, 0, 0, 0, 0, 0, 0, 2 }), 8, true },
    };
    for(const Case& c : cases) {
        EXPECT_EQ(c.n.GetLevel(), c.level) << Std(c.n.before_number + c.n.after_number);
        EXPECT_EQ(c.n.IsNumbered(), c.numbered);
    }
}

TEST(ParagraphNumbering, FormatNumber)
{
    struct Case {
        ParagraphNumbering n;
        NumberingCounters c;
        const char* text;
    };
    ParagraphNumbering after_only;
    after_only.after_number = ".";
    ParagraphNumbering wrapped = Levels({ 3 });
    wrapped.before_number = "(";
    wrapped.after_number = ")";
    Case cases[] = {
        { Levels({ 1, 1 }), Counters({ 2, 3 }), "2.3" },
        { Levels({ 4, 0, 5 }), Counters({ 1, 0, 4 }), "A.iv" },
        { wrapped, Counters({ 27 }), "(ba)" },
        { after_only, Counters({ 5, 6 }), "." },
        { Levels({ 3, 3, 3 }), Counters({ 1, 0, 2 }), "a..b" },
        { Levels({ 3, 3, 3 }), Counters({ 0, 1, 2 }), "a.b" },
        { Levels({ 2 }), Counters({ 1 }), "0" },
        { Levels({ 6 }), Counters({ 1994 }), "MCMXCIV" },
        { Levels({ 0, 0, 0, 0, 0, 0, 0, 1 }), Counters({ 9, 9, 9, 9, 9, 9, 9, 12 }), "12" },
        { ParagraphNumbering(), Counters({ 3 }), "" },
    };
    for(const Case& c : cases)
        EXPECT_EQ(c.n.FormatNumber(c.c), c.text) << c.text;
}

TEST(ParagraphNumbering, ResetAndAdvanceCounters)
{
    ParagraphNumbering reset_at_2 = Levels({ 1, 0, 1 });
    reset_at_2.reset_numbering = true;
    ParagraphNumbering reset_unnumbered;
    reset_unnumbered.reset_numbering = true;
    struct Case {
        const char* what;
        ParagraphNumbering n;
        NumberingCounters before;
        NumberingCounters after;
    } cases[] = {
        { "advance level 2", Levels({ 1, 1, 1 }), Counters({ 4, 7, 9, 1 }), Counters({ 4, 7, 10, 0 }) },
        { "advance clears all deeper", Levels({ 1 }), Counters({ 1, 2, 3, 4, 5, 6, 7, 8 }), Counters({ 2 }) },
        { "advance level 7", Levels({ 0, 0, 0, 0, 0, 0, 0, 1 }), Counters({ 1, 1, 1, 1, 1, 1, 1, 1 }),
          Counters({ 1, 1, 1, 1, 1, 1, 1, 2 }) },
        { "no level numbered", AroundTextsOnly(), Counters({ 3, 3 }), Counters({ 3, 3 }) },
        { "reset restarts deepest", reset_at_2, Counters({ 5, 5, 5, 5 }), Counters({ 5, 5, 1, 0 }) },
        { "reset without levels", reset_unnumbered, Counters({ 5, 5 }), Counters({ 0, 5 }) },
    };
    for(const Case& c : cases) {
        NumberingCounters k = c.before;
        c.n.ResetCounters(k);
        c.n.AdvanceCounters(k);
        for(int i = 0; i < 8; i++)
            EXPECT_EQ(k[i], c.after[i]) << c.what << " level " << i;
    }

    NumberingCounters k = Counters({ 1, 2, 3, 4, 5, 6, 7, 8 });
    k.Clear();
    for(int i = 0; i < 8; i++)
        EXPECT_EQ(k[i], 0);
}

} // namespace
} // namespace Qor
