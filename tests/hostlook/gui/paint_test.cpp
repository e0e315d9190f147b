// GTK elements painted into images, their look painter and the stock and theme icons, on the
// pinned Raleigh theme.

// Before Xlib, whose Bool macro would rename GoogleTest's Bool().
#include "tests/hostlook/gui/gtk_stack_test.h"
#include "tests/support/x11/gui_test.h"

#include "hostlook/gtk/gtk_element.h"
#include "hostlook/gtk/gtk_icons.h"

#include "ctrl/settings/layout_zoom.h"
#include "ctrl/x11/image/image_draw.h"
#include "draw/look/look.h"
#include "draw/look/sys_colors.h"
#include "widgets/images/ctrl_img.h"

#include <gtk/gtk.h>

namespace {

using namespace Qor;
using QorTest::GuiTest;

Rect NullRect() { return Rect(INT_NULL, INT_NULL, INT_NULL, INT_NULL); }

const Color MAGENTA(255, 0, 255);

class GtkPaint : public QorTest::GtkStackTest {
protected:
    GtkWidget* Button()
    {
        static GtkWidget* button = nullptr;
        if(!button)
            button = AddGtkProbeWidget(gtk_button_new());
        return button;
    }
    // The look painted into a magenta image of the size.
    Image PaintInto(Size size, const Rect& r, const Value& look)
    {
        ImageDraw w(size);
        w.DrawRect(0, 0, size.cx, size.cy, MAGENTA);
        PaintLook(w, r, look);
        return w.GetImage();
    }
};

Color At(const Image& m, int x, int y)
{
    RGBA p = m[y][x];
    return Color(p.r, p.g, p.b);
}

// The indicator of an option is asked at its size and comes back at that size: the room the
// theme may draw in lies inside it.
TEST_F(GtkPaint, ElementsComeBackAtTheAskedSize)
{
    GtkWidget* option = AddGtkProbeWidget(gtk_radio_button_new(nullptr));
    int s = GetGtkStyleInt(option, "indicator-size") + 2;
    ASSERT_EQ(s, 15);
    for(int margin : { 0, 1, 3 }) {
        Rect r = NullRect();
        Image m = PaintGtkElement(option, GTK_STATE_NORMAL, GTK_SHADOW_OUT, "radiobutton",
                                  GTK_OPTION | GTK_MARGIN(margin), s, s, r);
        EXPECT_EQ(m.GetSize(), Size(s, s)) << "margin " << margin;
        EXPECT_EQ(r, Rect(0, 0, s, s));
        EXPECT_FALSE(IsImageFullyTransparent(m));
        EXPECT_EQ(GetLastGtkImage(), m);
    }
    gtk_widget_destroy(option);
}

TEST_F(GtkPaint, PlacementPicksAThirdOfTheCanvas)
{
    struct Case {
        int placement;
        Rect rect;
    } cases[] = {
        { 0, Rect(0, 0, 20, 12) },           { GTK_TOP, Rect(0, 0, 20, 12) },  { GTK_VCENTER, Rect(0, 12, 20, 24) },
        { GTK_BOTTOM, Rect(0, 24, 20, 36) }, { GTK_LEFT, Rect(0, 0, 20, 12) }, { GTK_HCENTER, Rect(20, 0, 40, 12) },
        { GTK_RIGHT, Rect(40, 0, 60, 12) },
    };
    for(const Case& c : cases) {
        Rect r = NullRect();
        Image m = PaintGtkElement(Button(), GTK_STATE_NORMAL, GTK_SHADOW_OUT, "button",
                                  GTK_BOX | GTK_MARGIN(2) | c.placement, 20, 12, r);
        EXPECT_EQ(r, c.rect) << std::hex << c.placement;
        EXPECT_EQ(m.GetSize(), Size(20, 12)) << std::hex << c.placement;
    }
}

TEST_F(GtkPaint, AlphaComesFromWhiteAndBlackGrounds)
{
    Rect r = NullRect();
    Image box = PaintGtkElement(Button(), GTK_STATE_NORMAL, GTK_SHADOW_OUT, "button", GTK_BOX, 30, 20, r);
    ASSERT_EQ(box.GetSize(), Size(30, 20));
    EXPECT_EQ(box.GetKind(), IMAGE_OPAQUE);
    GtkStyle* style = gtk_widget_get_style(Button());
    EXPECT_EQ(At(box, 15, 10), GdkColorToColor(style->bg[GTK_STATE_NORMAL]));
    r = NullRect();
    Image prelight = PaintGtkElement(Button(), GTK_STATE_PRELIGHT, GTK_SHADOW_OUT, "button", GTK_BOX, 30, 20, r);
    EXPECT_EQ(At(prelight, 15, 10), GdkColorToColor(style->bg[GTK_STATE_PRELIGHT]));
    // Kinds 12 to 15 paint nothing: the image is there, every pixel clear.
    r = NullRect();
    Image nothing = PaintGtkElement(Button(), GTK_STATE_NORMAL, GTK_SHADOW_OUT, "button", 12, 9, 7, r);
    EXPECT_EQ(nothing.GetSize(), Size(9, 7));
    EXPECT_TRUE(IsImageFullyTransparent(nothing));
    // A margin above half the size leaves nothing to paint.
    r = NullRect();
    Image squeezed =
        PaintGtkElement(Button(), GTK_STATE_NORMAL, GTK_SHADOW_OUT, "button", GTK_BOX | GTK_MARGIN(7), 10, 10, r);
    EXPECT_EQ(squeezed.GetSize(), Size(10, 10));
    EXPECT_TRUE(IsImageFullyTransparent(squeezed));
}

TEST_F(GtkPaint, StateCodesGiveStatesAndShadows)
{
    PushGtkWidget(Button(), "button", GTK_BOX);
    Value looks[4];
    SetGtkButtonLooks(looks);
    const int states[4] = { GTK_STATE_NORMAL, GTK_STATE_PRELIGHT, GTK_STATE_ACTIVE, GTK_STATE_INSENSITIVE };
    const int shadows[4] = { GTK_SHADOW_OUT, GTK_SHADOW_OUT, GTK_SHADOW_IN, GTK_SHADOW_OUT };
    for(int i = 0; i < 4; i++) {
        const GtkElement* e = GetGtkElement(looks[i]);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->state, states[i]) << i;
        EXPECT_EQ(e->shadow, shadows[i]) << i;
        EXPECT_EQ(e->widget, GetGtkWidgetStack().GetCount() - 1);
    }
    SetGtkRaisedLooks(looks);
    EXPECT_EQ(GetGtkElement(looks[2])->state, GTK_STATE_PRELIGHT);
    EXPECT_EQ(GetGtkElement(looks[2])->shadow, GTK_SHADOW_OUT);
    SetGtkElementLooks(looks, "11141111");
    EXPECT_EQ(GetGtkElement(looks[0])->state, GTK_STATE_ACTIVE);
    EXPECT_EQ(GetGtkElement(looks[3])->state, GTK_STATE_INSENSITIVE);
    EXPECT_EQ(GetGtkElement(looks[3])->shadow, GTK_SHADOW_IN);
    EXPECT_EQ(GetGtkElement(Value(3)), nullptr);
    EXPECT_EQ(GetGtkElement(Value()), nullptr);
}

TEST_F(GtkPaint, TheMadeImageKeyNamesPointersNotTexts)
{
    static const char first[] = "button";
    static const char second[] = "button";
    GtkElement e = { 3, GTK_STATE_ACTIVE, GTK_SHADOW_IN, Rect(0, 0, 0, 0), Rect(0, 0, 0, 0) };
    GtkImageMaker a(e, GtkStackEntry{ Button(), first, GTK_BOX }, Size(20, 10));
    GtkImageMaker b(e, GtkStackEntry{ Button(), second, GTK_BOX }, Size(20, 10));
    EXPECT_EQ(a.GetKey().GetLength(), 32);
    EXPECT_NE(a.GetKey(), b.GetKey());
    GtkElement moved = e;
    moved.extend = Rect(1, 2, 3, 4);
    EXPECT_EQ(GtkImageMaker(moved, GtkStackEntry{ Button(), first, GTK_BOX }, Size(20, 10)).GetKey(), a.GetKey());
    EXPECT_NE(GtkImageMaker(e, GtkStackEntry{ Button(), first, GTK_BOX }, Size(20, 11)).GetKey(), a.GetKey());
    EXPECT_EQ(a.Make().GetSize(), Size(20, 10));
}

TEST_F(GtkPaint, ThePainterAnswersForElementsOnly)
{
    AddLookPainter(PaintGtkElementLook);
    PushGtkWidget(Button(), "button", GTK_BOX);
    Value look = MakeGtkElement(GTK_SHADOW_OUT, GTK_STATE_NORMAL, Rect(0, 0, 0, 0), Rect(1, 2, 3, 4));
    EXPECT_EQ(GetLookMargins(look), Rect(1, 2, 3, 4));
    ImageDraw w(4, 4);
    EXPECT_EQ(PaintGtkElementLook(w, Rect(0, 0, 4, 4), look, LOOK_OPAQUE), Value(false));
    EXPECT_TRUE(PaintGtkElementLook(w, Rect(0, 0, 4, 4), look, 7).IsNull());
    EXPECT_TRUE(PaintGtkElementLook(w, Rect(0, 0, 4, 4), Value(Color(1, 2, 3)), LOOK_PAINT).IsNull());
    // Handled, though nothing is left to paint.
    EXPECT_EQ(PaintGtkElementLook(w, Rect(2, 2, 2, 9), look, LOOK_PAINT), Value(1));
}

TEST_F(GtkPaint, TheMarginWidensTheTargetAndTheInsetShrinksIt)
{
    AddLookPainter(PaintGtkElementLook);
    // The margin is room for the theme around the box: widened by it, the box covers the
    // target; with an inner margin it lies that far inside.
    struct Case {
        int kind;
        Rect painted;
    } cases[] = {
        { GTK_BOX, Rect(10, 10, 40, 30) },
        { GTK_BOX | GTK_MARGIN(3), Rect(10, 10, 40, 30) },
        { GTK_BOX | GTK_MARGIN(3) | GTK_INNER_MARGIN, Rect(13, 13, 37, 27) },
        { GTK_BOX | (2 << GTK_INSET_SHIFT), Rect(12, 12, 38, 28) },
    };
    for(const Case& c : cases) {
        PushGtkWidget(Button(), "button", c.kind);
        Image m = PaintInto(Size(50, 40), Rect(10, 10, 40, 30), MakeGtkElement(GTK_SHADOW_OUT, GTK_STATE_NORMAL));
        Rect covered(50, 40, 0, 0);
        for(int y = 0; y < 40; y++)
            for(int x = 0; x < 50; x++)
                if(At(m, x, y) != MAGENTA)
                    covered = Rect(std::min(covered.left, x), std::min(covered.top, y), std::max(covered.right, x + 1),
                                   std::max(covered.bottom, y + 1));
        EXPECT_EQ(covered, c.painted) << std::hex << c.kind;
    }
}

TEST_F(GtkPaint, CutBottomLeavesTheLowestRowsAlone)
{
    AddLookPainter(PaintGtkElementLook);
    PushGtkWidget(Button(), "button", GTK_BOX);
    Value look = MakeGtkElement(GTK_SHADOW_OUT | GTK_CUT_BOTTOM, GTK_STATE_NORMAL);
    Image m = PaintInto(Size(50, 50), Rect(5, 5, 35, 45), look);
    for(int y = 0; y < 40; y++) {
        bool sides_kept = y >= 33 && y < 38;
        bool row_kept = y >= 38;
        EXPECT_EQ(At(m, 5, 5 + y) == MAGENTA, sides_kept || row_kept) << "row " << y;
        EXPECT_EQ(At(m, 8, 5 + y) == MAGENTA, sides_kept || row_kept) << "row " << y;
        EXPECT_EQ(At(m, 9, 5 + y) == MAGENTA, row_kept) << "row " << y;
        EXPECT_EQ(At(m, 30, 5 + y) == MAGENTA, row_kept) << "row " << y;
        EXPECT_EQ(At(m, 31, 5 + y) == MAGENTA, sides_kept || row_kept) << "row " << y;
    }
}

TEST_F(GtkPaint, SideLinesAndExtendCutTheButtonToATab)
{
    AddLookPainter(PaintGtkElementLook);
    PushGtkWidget(Button(), "button", GTK_BOX);
    Value plain = MakeGtkElement(GTK_SHADOW_OUT, GTK_STATE_NORMAL, Rect(6, 3, 6, 0));
    Value lined = MakeGtkElement(GTK_SHADOW_OUT | GTK_SIDE_LINES, GTK_STATE_NORMAL, Rect(6, 3, 6, 0));
    Image p = PaintInto(Size(30, 30), Rect(5, 3, 25, 27), plain);
    Image l = PaintInto(Size(30, 30), Rect(5, 3, 25, 27), lined);
    for(int y = 0; y < 30; y++) {
        bool line = y >= 6 && y < 24;
        EXPECT_EQ(At(l, 5, y), line ? SysColorLight() : At(p, 5, y)) << y;
        EXPECT_EQ(At(l, 24, y), line ? SysColorShadow() : At(p, 24, y)) << y;
        EXPECT_EQ(At(l, 10, y), At(p, 10, y)) << y;
    }
    // The extended button's left edge lies outside: the tab's first column is its face.
    Rect r = NullRect();
    Image whole = PaintGtkElement(Button(), GTK_STATE_NORMAL, GTK_SHADOW_OUT, "button", GTK_BOX, 32, 27, r);
    EXPECT_EQ(At(p, 5, 10), At(whole, 6, 13));
    EXPECT_EQ(At(p, 24, 3), At(whole, 25, 3));
}

TEST_F(GtkPaint, StockIconsScaleDownToTheZoomedHeight)
{
    // 3 is GTK's large tool-bar size, 24 pixels.
    Image full = GetGtkStockIcon("gtk-ok", 3);
    ASSERT_EQ(full.GetSize(), Size(24, 24));
    int limit = ZoomY(16);
    ASSERT_LT(limit, 24);
    EXPECT_EQ(GetGtkStockIcon("gtk-ok", 3, 16).GetSize(), Size(limit, limit));
    EXPECT_EQ(GetGtkStockIcon("gtk-ok", 3, 40).GetSize(), Size(24, 24));
    EXPECT_TRUE(GetGtkStockIcon("qor-no-such-stock", 3).IsEmpty());

    Image before = CtrlImg::Get(CtrlImg::I_question);
    SetCtrlImgFromGtkStock(CtrlImg::I_question, "qor-no-such-stock", 6);
    EXPECT_EQ(CtrlImg::Get(CtrlImg::I_question), before);
    SetCtrlImgFromGtkStock(CtrlImg::I_question, "gtk-dialog-question", 6);
    EXPECT_EQ(CtrlImg::Get(CtrlImg::I_question).GetSize(), Size(48, 48));
    CtrlImg::GetList().Reset();
}

TEST_F(GtkPaint, ThemeIconsFitTheirSquare)
{
    EXPECT_EQ(LoadGtkThemeIcon("qor-test-big", false).GetSize(), Size(16, 16));
    Image small = LoadGtkThemeIcon("qor-test-small", false);
    EXPECT_EQ(small.GetSize(), Size(12, 12));
    RGBA p = small[6][6];
    EXPECT_EQ(Color(p.r, p.g, p.b), Color(0x20, 0x60, 0xc0));
    EXPECT_EQ(p.a, 255);
    EXPECT_EQ(LoadGtkThemeIcon("qor-test-wide", true).GetSize(), Size(48, 48));
    EXPECT_TRUE(LoadGtkThemeIcon("qor-no-such-icon", false).IsEmpty());
}

} // namespace
