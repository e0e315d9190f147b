// MultiButton without a window: button widths, the walk that places buttons from the edges,
// the hit test with main and disabled buttons, visual states, the value's rectangle and the
// updates its setters notify.
#include "widgets/multibutton/multi_button.h"

#include "draw/display/display.h"
#include "draw/font/font_metrics.h"
#include "draw/target/nil_draw.h"
#include "draw/text/text.h"
#include "widgets/button/button_style.h"
#include "widgets/images/ctrls_img.h"

#include <gtest/gtest.h>
#include "tests/support/printers.h"

using namespace Qor;

namespace {

// Keeps the rectangle and the value it was asked to paint.
struct RecordingDisplay : Display {
    mutable Rect rect = Rect(0, 0, 0, 0);
    mutable Value painted;
    mutable int paints = 0;
    void Paint(Draw&, const Rect& r, const Value& q, Color, Color, dword) const override
    {
        rect = r;
        painted = q;
        paints++;
    }
};

struct CountingMultiButton : MultiButton {
    int updates = 0;
    void AfterUpdate() override { updates++; }
};

int StdWidth() { return MultiButton::GetDefaultStyle().stdwidth; }

TEST(MultiButtonTest, ButtonWidths)
{
    MultiButton mb;
    Font font = GetStandardFontReference();
    int tw = GetTextSize(String("Browse"), font).cx;
    mb.AddButton();                                             // nothing: the arrow alone
    mb.AddButton().SetLabel("Browse");                          // a label
    mb.AddButton().SetLabel("Browse").SetImage(CtrlsImg::DA()); // label and image
    mb.AddButton().SetImage(CtrlsImg::DA());                    // an image alone
    mb.AddButton().SetLabel("Browse").Width(30);                // its own width wins
    EXPECT_EQ(StdWidth(), 17);
    EXPECT_EQ(mb.GetButtonWidth(0), StdWidth());
    EXPECT_EQ(mb.GetButtonWidth(1), tw + StdWidth());
    EXPECT_EQ(mb.GetButtonWidth(2), tw + StdWidth() + 15);
    EXPECT_EQ(mb.GetButtonWidth(3), StdWidth());
    EXPECT_EQ(mb.GetButtonWidth(4), 30);
}

// Left buttons pile up from the left edge, right ones from the right, in array order, inside
// the border of a control that paints its own edge.
TEST(MultiButtonTest, ButtonsArePlacedFromTheEdgesInsideTheBorder)
{
    MultiButton mb;
    mb.SetRect(0, 0, 200, 22);
    ASSERT_TRUE(mb.HasOwnEdge());
    ASSERT_EQ(mb.GetBorderWidth(), 1);
    mb.AddButton().Width(10);
    mb.AddButton().Width(20).Left();
    mb.AddButton().Width(30);
    mb.AddButton().Width(40).Left();
    struct {
        int x, cx;
    } expected[] = { { 189, 10 }, { 1, 20 }, { 159, 30 }, { 21, 40 } };
    for(int i = 0; i < 4; i++) {
        int x, cx;
        mb.GetButtonSpan(i, x, cx);
        EXPECT_EQ(x, expected[i].x) << i;
        EXPECT_EQ(cx, expected[i].cx) << i;
    }
    int l, r;
    mb.GetTextArea(l, r);
    EXPECT_EQ(l, 61);
    EXPECT_EQ(r, 159);
}

TEST(MultiButtonTest, HitTest)
{
    MultiButton mb;
    mb.SetRect(0, 0, 200, 22);
    mb.AddButton().Width(20).Left(); // 1 .. 21
    mb.AddButton().Width(20);        // 179 .. 199
    mb.AddButton().Width(20);        // 159 .. 179
    struct Case {
        int x;
        int hot;
    } plain[] = {
        { 0, INT_NULL }, { 1, 0 },   { 20, 0 },  { 21, INT_NULL }, { 100, INT_NULL }, { 158, INT_NULL },
        { 159, 2 },      { 178, 2 }, { 179, 1 }, { 198, 1 },       { 199, INT_NULL }, { -5, INT_NULL },
    };
    for(const Case& c : plain)
        EXPECT_EQ(mb.FindButtonAt(c.x), c.hot) << "x " << c.x;

    // The main button answers in the text area; a disabled button answers nowhere.
    mb.GetButton(2).SetMain();
    EXPECT_EQ(mb.FindButtonAt(100), 2);
    EXPECT_EQ(mb.FindButtonAt(-5), 2);
    mb.GetButton(1).SetMain();
    EXPECT_FALSE(mb.GetButton(2).IsMain()) << "one main button at a time";
    EXPECT_EQ(mb.FindButtonAt(100), 1);
    mb.GetButton(0).Enable(false);
    EXPECT_EQ(mb.FindButtonAt(10), INT_NULL);
    mb.GetButton(1).Enable(false);
    EXPECT_EQ(mb.FindButtonAt(100), INT_NULL) << "a disabled main button takes no clicks in the text area";

    // Without buttons the text area belongs to no button.
    MultiButton none;
    none.SetRect(0, 0, 200, 22);
    EXPECT_EQ(none.FindButtonAt(100), INT_NULL);
}

// A control with one imageless button is that button everywhere, and the text area shares
// the button's state.
TEST(MultiButtonTest, TrivialControlIsOneButton)
{
    MultiButton mb;
    mb.SetRect(0, 0, 200, 22);
    mb.AddButton().SetMain();
    ASSERT_TRUE(mb.IsTrivial());
    for(int x : { -3, 0, 50, 190, 250 })
        EXPECT_EQ(mb.FindButtonAt(x), 0) << x;
    EXPECT_EQ(mb.GetVisualState(-1), VISUAL_NORMAL);
    mb.PointerMoved(Point(50, 5), 0);
    EXPECT_EQ(mb.GetHotIndex(), 0);
    EXPECT_EQ(mb.GetVisualState(-1), VISUAL_HOT);
    EXPECT_EQ(mb.GetVisualState(0), VISUAL_HOT);
    mb.PointerMoved(Point(50, 5), 0x800000);
    EXPECT_EQ(mb.GetVisualState(-1), VISUAL_PRESSED);
    mb.PointerLeft();
    EXPECT_EQ(mb.GetVisualState(-1), VISUAL_NORMAL);
    mb.GetButton(0).Enable(false);
    EXPECT_EQ(mb.FindButtonAt(50), INT_NULL);
    EXPECT_EQ(mb.GetVisualState(-1), VISUAL_DISABLED);
    mb.GetButton(0).SetImage(CtrlsImg::DA());
    EXPECT_FALSE(mb.IsTrivial()) << "a button with an image";
}

TEST(MultiButtonTest, VisualStatesOfButtonsAndTextArea)
{
    MultiButton mb;
    mb.SetRect(0, 0, 200, 22);
    mb.AddButton().Width(20);
    mb.AddButton().Width(20).Enable(false);
    mb.PointerMoved(Point(190, 5), 0);
    EXPECT_EQ(mb.GetVisualState(0), VISUAL_HOT);
    EXPECT_EQ(mb.GetVisualState(1), VISUAL_DISABLED);
    EXPECT_EQ(mb.GetVisualState(-1), VISUAL_NORMAL);
    mb.PointerMoved(Point(190, 5), 0x800000);
    EXPECT_EQ(mb.GetVisualState(0), VISUAL_PRESSED);
    mb.CancelInteraction();
    EXPECT_EQ(mb.GetVisualState(0), VISUAL_NORMAL);
    EXPECT_FALSE(mb.IsPressed());
    mb.Disable();
    EXPECT_EQ(mb.GetVisualState(0), VISUAL_DISABLED);
    EXPECT_EQ(mb.GetVisualState(-1), VISUAL_DISABLED);
}

TEST(MultiButtonTest, TipFollowsTheButtonUnderThePointer)
{
    MultiButton mb;
    mb.SetRect(0, 0, 200, 22);
    mb.Tip("whole");
    mb.AddButton().Width(20).Tip("clear");
    mb.AddButton().Width(20);
    mb.PointerMoved(Point(190, 5), 0);
    EXPECT_EQ(mb.GetTipText(), "clear");
    mb.PointerMoved(Point(170, 5), 0);
    EXPECT_EQ(mb.GetTipText(), "whole");
    mb.PointerMoved(Point(50, 5), 0);
    EXPECT_EQ(mb.GetTipText(), "whole");
}

TEST(MultiButtonTest, ValueSettersAndUpdates)
{
    CountingMultiButton mb;
    EXPECT_TRUE(mb.GetValue().IsNull());
    mb.SetShownValue(Value(5));
    EXPECT_EQ(mb.GetValue(), Value(5));
    EXPECT_EQ(mb.updates, 0);
    EXPECT_FALSE(mb.IsModifiedFlag()) << "a shown value is no modification";
    mb.SetValue(Value(7));
    EXPECT_EQ(mb.updates, 1);
    EXPECT_TRUE(mb.IsModifiedFlag());
    mb.SetValue(Value(7));
    EXPECT_EQ(mb.updates, 1) << "an equal value notifies nothing";
}

// The value paints in the text rectangle moved one pixel right; a value height centres it.
TEST(MultiButtonTest, ValueRectangle)
{
    RecordingDisplay d;
    MultiButton mb;
    mb.SetDisplay(d);
    mb.SetRect(0, 0, 100, 25);
    mb.AddButton().Width(20);
    mb.SetShownValue(Value(String("x")));
    NilDraw w;
    mb.Paint(w);
    ASSERT_EQ(d.paints, 1);
    // Own edge: border 1, margins 2; the button takes 79 .. 99.
    EXPECT_EQ(d.rect, Rect(1 + 2 + 1, 2, 79 - 2, 23));
    EXPECT_EQ(d.painted, Value(String("x")));
    // Rows 2 .. 22 (height 21) with a value height of 10: rows 8 .. 17.
    mb.SetValueHeight(10);
    mb.Paint(w);
    EXPECT_EQ(d.rect, Rect(4, 2 + 6, 77, 2 + 16));
}

} // namespace
