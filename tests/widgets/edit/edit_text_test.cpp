// The edit field's text rules without a window: insertion filters and limits, SetText with
// and without the focus, converters, word selection, dropped text and hover scrolling, and
// the style and edge frame.
#include "tests/widgets/edit/edit_field_fixture.h"

#include "draw/font/font_metrics.h"
#include "foundation/values/convert.h"

#include <algorithm>

namespace {

using namespace Qor;
using namespace QorTest;

int DigitsOnly(int ch) { return ch >= '0' && ch <= '9' ? ch : 0; }

struct InsertCase {
    const char* name;
    const char* text;
    const char* insert;
    int max_length;
    const char* charset; // null: any character
    EditField::CharFilter filter;
    int want_count;
    const char* want_text;
};

const InsertCase insert_cases[] = {
    { "plain", "ad", "bc", 2147483647, nullptr, nullptr, 2, "abcd" },
    { "only the first line", "ad", "b\nzz", 2147483647, nullptr, nullptr, 1, "abd" },
    { "a tab is four spaces", "ad", "\t", 2147483647, nullptr, nullptr, 4, "a    d" },
    { "past the maximum: nothing", "abcd", "xy", 5, nullptr, nullptr, 0, "abcd" },
    { "up to the maximum", "abcd", "x", 5, nullptr, nullptr, 1, "axbcd" },
    { "the filter drops characters", "1", "2a3", 2147483647, nullptr, DigitsOnly, 2, "123" },
    // The spaces of a tab pass the same filter as typed characters.
    { "a tab in a digits-only field", "1", "2\t3", 2147483647, nullptr, DigitsOnly, 2, "123" },
    { "the charset drops what it lacks", "",
      "a\xC4\x8D"
      "b",
      2147483647, "ISO-8859-1", nullptr, 2, "ab" },
};

TEST_F(EditFieldTest, InsertTextFiltersAndLimits)
{
    for(const InsertCase& c : insert_cases) {
        SCOPED_TRACE(c.name);
        EditField f;
        f.SetEditable();
        f.SetText(WString(c.text));
        f.SetMaxChars(c.max_length);
        if(c.charset) {
            int cs = FindCharset(c.charset);
            ASSERT_GT(cs, 0);
            f.SetCharset(cs);
        }
        f.SetFilter(c.filter);
        EXPECT_EQ(f.InsertText(1 < f.GetLength() ? 1 : f.GetLength(), WString(c.insert)), c.want_count);
        EXPECT_EQ(Utf8(f.GetText()), c.want_text);
    }
}

TEST_F(EditFieldTest, ReadOnlyFieldInsertsNothing)
{
    field.SetText(WString("ab"));
    field.SetReadOnly();
    EXPECT_EQ(field.InsertText(1, WString("x")), 0);
    EXPECT_EQ(Text(), "ab");
}

TEST_F(EditFieldTest, CapitaliseFirstOnlyAtTheStartOfAnEmptyField)
{
    field.SetOption(EditField::OPT_CAPITALISE_FIRST, true);
    field.ProcessKey(0xE9, 1);
    field.ProcessKey('a', 1);
    EXPECT_EQ(Text(), "\xC3\x89"
                      "a");
}

TEST_F(EditFieldTest, SetTextSelectsAllOnlyWithTheFocus)
{
    field.SetText(WString("abc"));
    EXPECT_EQ(field.GetCursor(), 0);
    EXPECT_EQ(field.GetAnchor(), -1);
    Focus(field);
    field.SetText(WString("hello"));
    EXPECT_EQ(field.GetCursor(), 5);
    EXPECT_EQ(field.GetAnchor(), 0);
}

TEST_F(EditFieldTest, EraseEmptiesWithoutTheActionAndCutNeedsASelection)
{
    Put("abc", 1);
    field.Erase();
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(field.actions, 0);
    Put("abc", 1);
    EXPECT_FALSE(field.ProcessKey(0x20000 | 0x10000 | 'X', 1));
    EXPECT_EQ(Text(), "abc");
}

TEST_F(EditFieldTest, PasswordFieldsGiveNothingAway)
{
    field.SetPassword();
    Put("secret", 6, 0);
    field.Copy();
    EXPECT_FALSE(IsClipboardTextAvailable());
    EXPECT_EQ(field.RenderSelectionData("UTF8_STRING"), "");
    EXPECT_EQ(GetPrimaryOwner(), nullptr);
    field.SetPassword(false);
    field.MoveCursor(3, true);
    EXPECT_EQ(GetPrimaryOwner(), &field);
    EXPECT_EQ(field.RenderSelectionData("UTF8_STRING"), "sec");
}

TEST_F(EditFieldTest, ConverterScansAndReformatsOnFocusChanges)
{
    ConvertInt ints(0, 100);
    field.SetConvert(ints);
    field.SetText(WString("42"));
    EXPECT_EQ(field.GetValue(), Value(42));
    field.SetText(WString("200"));
    EXPECT_TRUE(IsError(field.GetValue()));
    // Typing a letter is refused by the converter's filter.
    Put("4", 1);
    EXPECT_TRUE(field.ProcessKey('x', 1));
    EXPECT_EQ(Text(), "4");
    // A text that scans is re-formatted when the focus leaves; one that does not is kept.
    FormatConvert idle("<%d>");
    field.SetIdleConvert(&idle);
    field.SetText(WString("007"));
    field.FocusLost();
    EXPECT_EQ(Text(), "<7>");
    field.SetText(WString("x7"));
    field.FocusLost();
    EXPECT_EQ(Text(), "x7");
}

// A plain field shows a number it is given as its text.
TEST_F(EditFieldTest, SetValueFormatsWithTheIdleConverterWithoutTheFocus)
{
    field.SetValue(Value(12));
    EXPECT_EQ(Text(), "12");
    FormatConvert idle("#%d");
    field.SetIdleConvert(&idle);
    field.SetValue(Value(5));
    EXPECT_EQ(Text(), "#5");
    Focus(field);
    field.SetValue(Value(6));
    EXPECT_EQ(Text(), "6");
}

TEST_F(EditFieldTest, EditStringCarriesItsOwnConverter)
{
    EditString s;
    s.SetEditable();
    s.SetText(WString("text"));
    EXPECT_EQ(&s.GetConvert(), static_cast<const Convert*>(static_cast<ConvertString*>(&s)));
    EXPECT_EQ(s.GetValue(), Value(WString("text")));
}

TEST_F(EditFieldTest, WordSelectionTakesTheSpaceAfterTheWord)
{
    Put("one two", 1);
    field.LeftDoubleClick(Point(0, 0), 0);
    EXPECT_EQ(field.GetAnchor(), 0);
    EXPECT_EQ(field.GetCursor(), 4);
    Put("a, b", 1);
    field.LeftDoubleClick(Point(0, 0), 0);
    EXPECT_FALSE(field.IsSelection());
    EXPECT_EQ(field.GetCursor(), 1);
}

TEST_F(EditFieldTest, WordMotionStopsAtClassChanges)
{
    Put("foo_1 +-  bar", 0);
    EXPECT_EQ(field.GetNextWordEnd(0), 5);
    EXPECT_EQ(field.GetNextWordEnd(5), 10);
    EXPECT_EQ(field.GetPrevWordStart(13), 10);
    EXPECT_EQ(field.GetPrevWordStart(0), 0);
    EXPECT_TRUE(IsWordChar(0x10D));
    EXPECT_FALSE(IsWordChar(0x4E2D));
}

TEST_F(EditFieldTest, DroppedTextIsInsertedAndSelected)
{
    Put("ad", 0);
    TransferOffer hover = DragOffer("bc", false, DROP_COPY);
    field.DropAtPoint(Point(200, 5), hover);
    EXPECT_TRUE(hover.IsAccepted());
    EXPECT_NE(field.GetDropMarker().Width(), 0);
    EXPECT_EQ(Text(), "ad");
    field.DragLeft();
    EXPECT_EQ(field.GetDropMarker(), Rect(0, 0, 0, 0));
    TransferOffer drop = DragOffer("bc", true, DROP_MOVE);
    field.DropAtPoint(Point(200, 5), drop);
    EXPECT_EQ(Text(), "adbc");
    EXPECT_EQ(field.GetAnchor(), 2);
    EXPECT_EQ(field.GetCursor(), 4);
    EXPECT_EQ(field.actions, 1);
    EXPECT_TRUE(drop.IsMove());
}

struct OwnDropCase {
    const char* name;
    int drop_at; // a character position
    const char* want;
    int want_anchor;
    int want_cursor;
};

// The drag runs out of this field with "one " selected and proposes a move.
TEST_F(EditFieldTest, DropsOfTheFieldsOwnSelection)
{
    const OwnDropCase cases[] = {
        // Measured in the text without the word, it lands where it was dropped.
        { "later in the text", 8, "two one three", 4, 8 },
        { "onto the selection itself", 2, "one two three", 0, 4 },
        { "at its start", 0, "one two three", 0, 4 },
    };
    for(const OwnDropCase& c : cases) {
        SCOPED_TRACE(c.name);
        Put("one two three", 4, 0);
        SetDragSource(&field);
        int x = field.GetCaretRect(c.drop_at).left + 1;
        TransferOffer drop = DragOffer("one ", true, DROP_MOVE);
        field.DropAtPoint(Point(x, 5), drop);
        SetDragSource(nullptr);
        EXPECT_EQ(Text(), c.want);
        EXPECT_EQ(field.GetAnchor(), c.want_anchor);
        EXPECT_EQ(field.GetCursor(), c.want_cursor);
        // The source must not remove the text again.
        EXPECT_TRUE(drop.IsCopy());
    }
}

TEST_F(EditFieldTest, RefusedDropKeepsTheSourceText)
{
    field.SetMaxChars(3);
    Put("abc", 0);
    TransferOffer drop = DragOffer("xy", true, DROP_MOVE);
    field.DropAtPoint(Point(200, 5), drop);
    EXPECT_EQ(Text(), "abc");
    EXPECT_TRUE(drop.IsCopy());
}

TEST_F(EditFieldTest, ReadOnlyFieldTakesNoDrop)
{
    field.SetReadOnly();
    TransferOffer hover = DragOffer("bc", false, DROP_COPY);
    field.DropAtPoint(Point(5, 5), hover);
    EXPECT_FALSE(hover.IsAccepted());
}

TEST_F(EditFieldTest, HoverTicksScrollTowardTheEndAndStop)
{
    field.SetRect(0, 0, 60, 24);
    WString longer;
    for(int i = 0; i < 60; i++)
        longer += wchar16('m');
    field.SetText(longer);
    int limit = EditField::GetTextWidth(longer.Begin(), longer.GetLength(), false, field.GetFont()) -
                field.GetViewSize().cx + 2;
    ASSERT_GT(limit, 3);
    int cx = field.GetViewSize().cx;
    field.DragHoverTick(Point(cx - 2, 5));
    EXPECT_EQ(field.GetScrollOffset(), 3);
    for(int i = 0; i < 1000; i++)
        field.DragHoverTick(Point(cx - 2, 5));
    EXPECT_EQ(field.GetScrollOffset(), limit);
    field.DragHoverTick(Point(1, 5));
    EXPECT_EQ(field.GetScrollOffset(), limit - 3);
    field.DragHoverTick(Point(cx / 2, 5));
    EXPECT_EQ(field.GetScrollOffset(), limit - 3);
}

TEST_F(EditFieldTest, CursorStaysInView)
{
    field.SetRect(0, 0, 100, 24);
    for(int i = 0; i < 40; i++)
        field.ProcessKey('w', 1);
    Rect caret = field.GetCaretRect(field.GetCursor());
    EXPECT_GT(field.GetScrollOffset(), 0);
    EXPECT_GE(caret.left, 0);
    EXPECT_LT(caret.left, field.GetViewSize().cx);
    field.ProcessKey(0x1FF50, 1);
    EXPECT_EQ(field.GetScrollOffset(), 0);
}

TEST_F(EditFieldTest, AutoWidthFollowsTheTextUpToItsLimit)
{
    Ctrl parent;
    parent.SetRect(0, 0, 300, 100);
    EditField f;
    f.SetEditable();
    parent.AppendChild(f);
    f.SetRect(10, 10, 40, 24);
    f.SetAutoWidth(150);
    f.SetText(WString("ab"));
    int two = f.GetRectInParent().Width();
    // Never narrower than an average character (nor than it was, when narrower still).
    int grown = f.GrowByFrames(Size(f.GetTextWidth(2) + 4, f.GetViewSize().cy)).cx;
    EXPECT_EQ(two, std::max(grown, std::min(40, GetStandardFontSize().cx)));
    f.SetText(WString("a considerably longer text than fits"));
    EXPECT_EQ(f.GetRectInParent().Width(), 150);
    EXPECT_EQ(f.GetRectInParent().left, 10);
    f.SetAutoWidth(1000);
    f.SetText(WString("mmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmm"));
    EXPECT_EQ(f.GetRectInParent().Width(), 290) << "never past the parent's view";
}

TEST_F(EditFieldTest, StyleDefaultsAndTheEdgeLookByState)
{
    const EditFieldStyle& s = EditField::GetDefaultStyle();
    EXPECT_EQ(s.status, 1);
    EXPECT_FALSE(s.active_edge);
    EXPECT_EQ(s.invalid_paper, MixColors(s.paper, Color(255, 0, 0), 32));
    EXPECT_EQ(GetEditFieldEdgeLook(), s.edge[0]);
    // The standard skin's edge never changes.
    Focus(field);
    EXPECT_EQ(field.GetEdgeFrame().GetLookIndex(), 0);
    EditFieldStyle active = s;
    active.active_edge = true;
    field.SetStyle(active);
    EXPECT_EQ(field.GetEdgeFrame().GetLookIndex(), 2);
    Qor::GetCtrlGlobalRefs().focus_ctrl = nullptr;
    EXPECT_EQ(field.GetEdgeFrame().GetLookIndex(), 0);
    field.PointerEntered(Point(1, 1), 0);
    EXPECT_EQ(field.GetEdgeFrame().GetLookIndex(), 1);
    field.Disable();
    EXPECT_EQ(field.GetEdgeFrame().GetLookIndex(), 3);
    field.SetStyle(EditField::GetDefaultStyle());
}

} // namespace
