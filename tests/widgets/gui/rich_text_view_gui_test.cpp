// RichTextView on a private X server, driven through XTest: the text zoomed to the width,
// scrolling that matches a full repaint, selecting with the mouse, copying (read back by
// xclip), links and the context menu; RichTextCtrl without bar and edge.
#include "tests/support/lambda_callback.h"
#include "tests/support/x11/input_window.h"
#include "tests/widgets/gui/menu_script.h"
#include "tests/x11/clip/peer_process.h"

#include "ctrl/clip/clipboard.h"
#include "ctrl/input/mouse_routing.h"
#include "ctrl/x11/host/window_host.h"
#include "draw/look/sys_colors.h"
#include "foundation/charset.h"
#include "widgets/menu/menu_bar.h"
#include "widgets/menu/menu_item.h"
#include "widgets/richview/rich_text_view.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

using namespace Qor;
using namespace QorTest;

// Leaves no clipboard data of this program to the next test.
class RichTextViewGuiTest : public PrivateDisplayTest {
protected:
    void TearDown() override
    {
        ClearClipboard();
        PrivateDisplayTest::TearDown();
    }
};

const Rect WINDOW(Point(40, 40), Size(400, 200));

// The view point in the middle of the line of a text position, a pixel right of its caret
// (the text position whose character holds a point is the one found there).
Point ViewPoint(RichTextView& v, int pos)
{
    CaretInfo c = v.GetText().GetCaret(pos, Rect(0, 0, v.GetPageCx(), 2147483647));
    ZoomRatio z = v.GetZoomInUse();
    int offset = ScaleInt(v.GetScrollPosition(), z.m, z.d);
    return Point(v.GetMargin().left + ScaleInt(c.left, z.m, z.d) + 1,
                 v.GetMargin().top + ScaleInt((c.top + c.bottom) / 2, z.m, z.d) - offset);
}

// The same in the window.
Point PositionPoint(RichTextView& v, int pos)
{
    Point p = ViewPoint(v, pos);
    Point view = v.GetViewRect().TopLeft();
    return Point(p.x + view.x, p.y + view.y);
}

// The clipboard as another program reads it.
std::string XclipOutput()
{
    PeerProcess xclip;
    if(!xclip.Start({ "/usr/bin/xclip", "-o", "-selection", "clipboard", "-t", "UTF8_STRING" }))
        return "<xclip did not start>";
    if(!xclip.PumpUntilExit())
        return "<xclip did not end>";
    return xclip.Output();
}

// Types a copy key and waits until this process offers the clipboard.
bool CopyByKey(KeySym key, KeySym modifier)
{
    ClearClipboard();
    TypeKey(key, { modifier });
    return PumpUntil([] { return HoldsOwnSelection(TRANSFER_CLIPBOARD); });
}

// Columns of the view holding pixels darker than mid grey: the width of the ink.
int InkWidth(Window w, const Rect& r)
{
    Pixels p = GrabPixels(w, r);
    int left = p.cx, right = -1;
    for(int y = 0; y < p.cy; y++)
        for(int x = 0; x < p.cx; x++)
            if(GrayLevel(p.At(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return right < left ? 0 : right - left + 1;
}

std::string Lines(int n)
{
    std::string qtf;
    for(int i = 0; i < n; i++)
        qtf += (i ? "&Line " : "Line ") + std::to_string(i);
    return qtf;
}

TEST_F(RichTextViewGuiTest, TextIsZoomedToTheWidthAndPaintedQuicklyWhileResizing)
{
    RichTextView v;
    v.SetPageWidth(1500).SetQtf("Zoomed text");
    OpenInput window(v, WINDOW);
    ASSERT_TRUE(window.IsOpen());
    ASSERT_TRUE(PumpUntil([&] { return !v.IsSizing(); }, 2000));
    PumpFor(50);
    int narrow = InkWidth(window.GetWindow(), v.GetViewRect());
    ZoomRatio before = v.GetZoomInUse();
    EXPECT_EQ(before, ZoomRatio(v.GetViewSize().cx, 1500));
    ASSERT_GT(narrow, 40);

    v.SetRect(Rect(WINDOW.TopLeft(), Size(800, 200)));
    ASSERT_TRUE(PumpUntil([&] { return v.GetSize().cx == 800; }));
    EXPECT_TRUE(v.IsSizing()) << "a size change paints the quick way first";
    ASSERT_TRUE(PumpUntil([&] { return !v.IsSizing(); }, 2000));
    PumpFor(50);
    EXPECT_EQ(v.GetZoomInUse(), ZoomRatio(v.GetViewSize().cx, 1500));
    int wide = InkWidth(window.GetWindow(), v.GetViewRect());
    // Twice the view width, twice the text; glyph hinting keeps it from being exact.
    EXPECT_NEAR(double(wide) / narrow, double(v.GetZoomInUse().m) / before.m, 0.15);

    v.SetZoom(ZoomRatio(1, 10));
    PumpFor(50);
    EXPECT_EQ(v.GetPageCx(), v.GetViewSize().cx * 10) << "a fixed zoom lays the text out at the view's width";
}

TEST_F(RichTextViewGuiTest, WheelAndKeysScrollAndTheMovedPixelsMatchAFullRepaint)
{
    RichTextView v;
    v.SetPageWidth(1200).SetQtf(Lines(40).c_str());
    OpenInput window(v, WINDOW);
    ASSERT_TRUE(window.IsOpen());
    PumpFor(350);
    ScrollBar& sb = v.GetScrollBar();
    ASSERT_TRUE(sb.IsVisible());
    ASSERT_GT(sb.GetTotal(), sb.GetPage());
    EXPECT_EQ(sb.GetLine(), 100);

    Point middle = v.GetViewRect().CenterPoint();
    Click(window.GetWindow(), middle, 5);
    ASSERT_TRUE(PumpUntil([&] { return v.GetScrollPosition() == 300; })) << v.GetScrollPosition();
    PumpFor(100);
    Rect view = v.GetViewRect();
    view.right = view.left + v.GetViewSize().cx;
    Pixels scrolled = GrabPixels(window.GetWindow(), view);
    v.Refresh();
    PumpFor(100);
    Pixels repainted = GrabPixels(window.GetWindow(), view);
    EXPECT_EQ(scrolled.colors, repainted.colors) << "scrolling moved the pixels a repaint gives";

    Click(window.GetWindow(), middle, 4);
    ASSERT_TRUE(PumpUntil([&] { return v.GetScrollPosition() == 0; }));

    struct Case {
        KeySym key;
        std::function<int()> expected;
    } cases[] = {
        { XK_Next, [&] { return sb.GetPage() - 100; } }, // a page keeps one line in view
        { XK_Down, [&] { return sb.GetPage(); } },
        { XK_End, [&] { return sb.GetTotal() - sb.GetPage(); } },
        { XK_Up, [&] { return sb.GetTotal() - sb.GetPage() - 100; } },
        { XK_Home, [] { return 0; } },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(XKeysymToString(c.key));
        TypeKey(c.key);
        EXPECT_TRUE(PumpUntil([&] { return v.GetScrollPosition() == c.expected(); })) << v.GetScrollPosition();
    }
}

TEST_F(RichTextViewGuiTest, DragSelectsShiftClickExtendsAndCtrlCCopiesTheSelection)
{
    RichTextView v;
    v.SetPageWidth(1200).SetQtf("alpha beta gamma");
    OpenInput window(v, WINDOW);
    ASSERT_TRUE(window.IsOpen());
    PumpFor(350);
    Window w = window.GetWindow();
    Rect line(v.GetViewRect().left, PositionPoint(v, 0).y - 3, v.GetViewRect().right, PositionPoint(v, 0).y + 3);
    int dark_before = GrabPixels(w, line).Count(Color(0, 0, 0));

    Drag(w, PositionPoint(v, 0), PositionPoint(v, 10));
    ASSERT_TRUE(PumpUntil([&] { return v.GetSelectionHigh() == 10; })) << v.GetSelectionHigh();
    PumpFor(100);
    EXPECT_EQ(v.GetSelectionLow(), 0);
    EXPECT_TRUE(v.HasFocus());
    EXPECT_GT(GrabPixels(w, line).Count(Color(0, 0, 0)), dark_before + 100) << "the selection is painted inverted";

    ASSERT_TRUE(CopyByKey(XK_c, XK_Control_L));
    EXPECT_EQ(XclipOutput(), "alpha beta");

    Click(w, PositionPoint(v, 16));
    ASSERT_TRUE(PumpUntil([&] { return v.GetSelectionHigh() == 16; }));
    EXPECT_EQ(v.GetSelectionLow(), 16) << "a plain click starts a new selection";
    Click(w, PositionPoint(v, 6));
    ASSERT_TRUE(PumpUntil([&] { return v.GetCursor() == 6; }));
    MovePointer(w, PositionPoint(v, 0));
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, XK_Shift_L), true, 0);
    Click(w, PositionPoint(v, 16));
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, XK_Shift_L), false, 0);
    XSync(display, false);
    ASSERT_TRUE(PumpUntil([&] { return v.GetSelectionHigh() == 16; }));
    EXPECT_EQ(v.GetSelectionLow(), 6) << "Shift+click extends from the anchor";
    ASSERT_TRUE(CopyByKey(XK_Insert, XK_Shift_L));
    EXPECT_EQ(XclipOutput(), "beta gamma");
}

TEST_F(RichTextViewGuiTest, CopiedParagraphsEndWithCrLf)
{
    RichTextView v;
    v.SetPageWidth(1200).SetQtf("one&two&three");
    OpenInput window(v, WINDOW);
    ASSERT_TRUE(window.IsOpen());
    ASSERT_TRUE(CopyByKey(XK_c, XK_Control_L));
    EXPECT_EQ(XclipOutput(), "one\r\ntwo\r\nthree") << "without a selection the whole text";

    v.SetSelection(1, 6);
    ASSERT_TRUE(CopyByKey(XK_c, XK_Control_L));
    EXPECT_EQ(XclipOutput(), "ne\r\ntw");
}

TEST_F(RichTextViewGuiTest, DoubleClickSelectsTheWordAndTheSpacesAfterIt)
{
    struct Case {
        int at;
        int low, high;
    } cases[] = {
        { 2, 0, 7 },  // the first word and both spaces
        { 9, 7, 11 }, // the last word whole, up to the text's end
        { 6, 0, 0 },  // a space: nothing
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.at);
        RichTextView v;
        v.SetPageWidth(1200).SetQtf("alpha  beta");
        OpenInput window(v, WINDOW);
        ASSERT_TRUE(window.IsOpen());
        Point p = PositionPoint(v, c.at) + Size(2, 0);
        Click(window.GetWindow(), p);
        Click(window.GetWindow(), p);
        PumpFor(300);
        EXPECT_EQ(v.GetSelectionLow(), c.low);
        EXPECT_EQ(v.GetSelectionHigh(), c.high);
    }
}

TEST_F(RichTextViewGuiTest, ClickOnALinkRunsTheCallbackAndKeepsTheSelection)
{
    RichTextView v;
    v.SetPageWidth(1200).SetQtf("plain [^http://example.com/x^ linked] end");
    std::vector<std::string> links;
    v.WhenLink = Lambda<const String&>([&](const String& s) { links.push_back(s.Begin()); });
    OpenInput window(v, WINDOW);
    ASSERT_TRUE(window.IsOpen());
    PumpFor(350);
    v.SetSelection(0, 3);
    Point on_link = ViewPoint(v, 8);
    Point on_plain = ViewPoint(v, 2);
    EXPECT_EQ(v.GetLink(v.GetPositionAt(on_link), on_link), "http://example.com/x");
    EXPECT_EQ(v.GetLink(v.GetPositionAt(on_plain), on_plain), "");

    Click(window.GetWindow(), PositionPoint(v, 8));
    ASSERT_TRUE(PumpUntil([&] { return !links.empty(); }));
    EXPECT_EQ(links, std::vector<std::string>{ "http://example.com/x" });
    EXPECT_EQ(v.GetSelectionLow(), 0);
    EXPECT_EQ(v.GetSelectionHigh(), 3);

    EXPECT_EQ(v.CursorFor(on_link, 0).GetSerialId(), GetHandCursor().GetSerialId());
    EXPECT_EQ(v.CursorFor(on_plain, 0).GetSerialId(), GetArrowCursor().GetSerialId());
    v.WhenLink.Clear();
    EXPECT_EQ(v.CursorFor(on_link, 0).GetSerialId(), GetArrowCursor().GetSerialId()) << "no hand without a callback";
}

TEST_F(RichTextViewGuiTest, ContextMenuOffersCopy)
{
    RichTextView v;
    v.SetPageWidth(1200).SetQtf("alpha beta gamma");
    OpenInput window(v, WINDOW);
    ASSERT_TRUE(window.IsOpen());
    PumpFor(350);
    v.SetSelection(6, 10);
    ClearClipboard();
    MenuBar* menu = nullptr;
    std::string item_text;
    int item_count = 0;
    MenuScript script;
    script.on_timeout = [&] {
        if(menu)
            menu->CloseMenu();
    };
    script
        .Then([&] {
            for(Ctrl* c : GetTopCtrls())
                if(MenuBar* m = dynamic_cast<MenuBar*>(c); m && m->IsOpen())
                    menu = m;
            return menu != nullptr;
        })
        .Do([&] {
            item_count = menu->GetItemCount();
            item_text = menu->GetItem(0).GetText().Begin();
        })
        .Wait(100)
        .Do([&] { Click(DefaultRootWindow(display), menu->GetItem(0).GetRectOnScreen().CenterPoint()); })
        .Then([&] { return !menu->IsOpen(); });
    script.Start(10000);
    Click(window.GetWindow(), PositionPoint(v, 2), 3);
    ASSERT_TRUE(PumpUntil([&] { return script.Finished() || script.TimedOut(); }, 12000));
    ASSERT_FALSE(script.TimedOut()) << "stopped at step " << script.StepReached();
    EXPECT_EQ(item_count, 1);
    EXPECT_EQ(item_text, "Copy");
    ASSERT_TRUE(PumpUntil([] { return HoldsOwnSelection(TRANSFER_CLIPBOARD); }));
    EXPECT_EQ(XclipOutput(), "beta");
}

TEST_F(RichTextViewGuiTest, RichTextCtrlWithShortTextShowsNoBarAndNoEdge)
{
    RichTextCtrl c;
    c.SetValue("Short text");
    OpenInput window(c, Rect(Point(40, 40), Size(300, 100)));
    ASSERT_TRUE(window.IsOpen());
    PumpFor(100);
    EXPECT_FALSE(c.GetScrollBar().IsVisible());
    EXPECT_EQ(c.GetViewRect(), Rect(c.GetSize()));
    EXPECT_TRUE(c.IsTransparent());
    EXPECT_EQ(c.GetZoomInUse(), ZoomRatio(1, 1));
}

} // namespace
