// The edit field on a real X server through XTest: typing plain and composed text, selecting
// by keys and pointer, undo, the converter's error paper, pasting from xclip and from the
// primary selection, the context menu, and dragging text out to and in from another program.
#include "tests/support/x11/compose_keys.h"
#include "tests/support/x11/input_window.h"
#include "tests/widgets/gui/menu_script.h"
#include "tests/x11/clip/peer_process.h"
#include "tests/x11/dnd/patient_drag.h"
#include "tests/x11/dnd/xdnd_peer.h"

#include "ctrl/clip/clipboard.h"
#include "ctrl/dnd/drag_source.h"
#include "ctrl/x11/events/x_events.h"
#include "ctrl/x11/host/window_host.h"
#include "draw/look/sys_colors.h"
#include "draw/target/draw.h"
#include "foundation/charset.h"
#include "widgets/edit/edit_field.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <optional>
#include <sstream>

namespace {

using namespace Qor;
using namespace QorTest;

const Rect FORM_RECT(Point(40, 40), Size(300, 100));

class Form : public Ctrl {
public:
    EditField field;
    int actions = 0;

    Form()
    {
        AppendChild(field);
        field.SetRect(10, 10, 200, 24);
        field.SetEditable();
        field.SetAction(Lambda([this] { actions++; }));
    }
    void Paint(Draw& w) override { w.DrawRect(Rect(GetSize()), SysColorFace()); }
};

std::string Utf8(const WString& s) { return EncodeUtf8(s.Begin(), s.GetLength()).Begin(); }

void Button(unsigned b, bool down)
{
    XTestFakeButtonEvent(display, b, down, 0);
    XSync(display, false);
}

class EditInputTest : public PrivateDisplayTest {
protected:
    void SetUp() override
    {
        PrivateDisplayTest::SetUp();
        ASSERT_TRUE(HasXTest());
    }
    void TearDown() override
    {
        window.reset();
        ClearClipboard();
        DropPrimarySelection();
        PrivateDisplayTest::TearDown();
    }
    void Open()
    {
        window.emplace(form, FORM_RECT);
        ASSERT_TRUE(window->IsOpen());
        Click(window->GetWindow(), Point(5, 5));
        PumpFor(50);
    }
    EditField& F() { return form.field; }
    std::string Text() { return Utf8(F().GetText()); }
    // The window point over the left part of character pos of the field's text.
    Point CharPoint(int pos)
    {
        Rect v = F().GetViewRectOnScreen();
        Point origin = form.GetRectOnScreen().TopLeft();
        int x = F().GetTextWidth(pos) - F().GetScrollOffset() + 2;
        return Point(v.left - origin.x + x, v.top - origin.y + v.Height() / 2);
    }
    void ClickChar(int pos, unsigned button = 1) { Click(window->GetWindow(), CharPoint(pos), button); }
    bool WaitText(const std::string& want)
    {
        return PumpUntil([&] { return Text() == want; });
    }
    // Types into the field after giving it the focus by a click.
    void FocusAndType(const char* text)
    {
        ClickChar(0);
        ASSERT_TRUE(PumpUntil([&] { return F().HasFocus(); }));
        TypeText(text);
        ASSERT_TRUE(WaitText(text));
    }
    Window Win() { return window->GetWindow(); }

    Form form;
    std::optional<OpenInput> window;
};

TEST_F(EditInputTest, TypesPlainAndComposedText)
{
    LocaleScope locale("en_US.UTF-8");
    ASSERT_TRUE(locale.ok) << "the en_US.UTF-8 locale is missing: tools/install-deps.sh generates it";
    ASSERT_TRUE(OpenInputMethod()) << "no input method for en_US.UTF-8";
    ASSERT_TRUE(MapSpareKey(XK_dead_acute));
    Open();
    FocusAndType("Cafe ");
    TypeKey(XK_BackSpace);
    TypeKey(XK_BackSpace);
    ASSERT_TRUE(WaitText("Caf"));
    TypeKey(XK_dead_acute);
    TypeKey(XK_e);
    EXPECT_TRUE(WaitText("Caf\xC3\xA9")) << Text();
    EXPECT_EQ(F().GetCursor(), 4);
    EXPECT_GE(form.actions, 6);
}

TEST_F(EditInputTest, SelectsByKeysClaimsPrimaryAndUndoes)
{
    Open();
    FocusAndType("abc def");
    TypeKey(XK_Home, { XK_Shift_L });
    ASSERT_TRUE(PumpUntil([&] { return F().IsSelection(); }));
    EXPECT_EQ(F().GetCursor(), 0);
    EXPECT_EQ(F().GetAnchor(), 7);
    // Another program reads the selection as PRIMARY.
    PeerProcess peer;
    ASSERT_TRUE(peer.Start({ "/usr/bin/xclip", "-o", "-selection", "primary" }));
    ASSERT_TRUE(peer.PumpUntilExit());
    EXPECT_EQ(peer.Output(), "abc def");
    TypeKey(XK_Home);
    ASSERT_TRUE(PumpUntil([&] { return !F().IsSelection(); }));
    TypeKey(XK_Right, { XK_Control_L, XK_Shift_L });
    ASSERT_TRUE(PumpUntil([&] { return F().GetCursor() == 3; }));
    TypeText("X");
    ASSERT_TRUE(WaitText("X def"));
    TypeKey(XK_z, { XK_Control_L });
    EXPECT_TRUE(WaitText("abc def"));
    EXPECT_FALSE(F().IsSelection());
    TypeKey(XK_z, { XK_Control_L });
    EXPECT_TRUE(WaitText("X def"));
}

TEST_F(EditInputTest, SelectsWithThePointer)
{
    Open();
    FocusAndType("hello world");
    // A first press into an unfocused field leaves no selection: here the field has the focus.
    // Past the double-click time of the focusing click; the press is taken before the move,
    // as queued moves fold into one, even across a press.
    PumpFor(DOUBLE_CLICK_MS + 50);
    MovePointer(Win(), CharPoint(0));
    Button(1, true);
    PumpFor(100);
    MovePointer(Win(), CharPoint(5));
    PumpFor(100);
    Button(1, false);
    ASSERT_TRUE(PumpUntil([&] { return !F().HasCapture() && F().IsSelection(); }))
        << F().HasCapture() << " " << F().GetAnchor() << " " << F().GetCursor();
    int l, h;
    F().GetSelection(l, h);
    EXPECT_EQ(l, 0);
    EXPECT_EQ(h, 5);
    // A press inside the selection keeps it; the release collapses it there.
    PumpFor(DOUBLE_CLICK_MS + 50);
    ClickChar(2);
    ASSERT_TRUE(PumpUntil([&] { return !F().IsSelection(); }));
    EXPECT_EQ(F().GetCursor(), 2);
    // Shift with a press extends from the cursor.
    PumpFor(DOUBLE_CLICK_MS + 50);
    MovePointer(Win(), CharPoint(8));
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, XK_Shift_L), true, 0);
    Button(1, true);
    Button(1, false);
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, XK_Shift_L), false, 0);
    ASSERT_TRUE(PumpUntil([&] { return F().IsSelection(); }));
    F().GetSelection(l, h);
    EXPECT_EQ(l, 2);
    EXPECT_EQ(h, 8);
    // A double click selects the word and the space after it.
    PumpFor(DOUBLE_CLICK_MS + 50);
    MovePointer(Win(), CharPoint(1));
    for(int i = 0; i < 2; i++) {
        Button(1, true);
        Button(1, false);
    }
    ASSERT_TRUE(PumpUntil([&] { return F().GetAnchor() == 0 && F().GetCursor() == 6; }))
        << F().GetAnchor() << " " << F().GetCursor();
}

TEST_F(EditInputTest, FirstPressPlacesTheCursorOrSelectsAll)
{
    for(bool select_all : { false, true }) {
        SCOPED_TRACE(select_all ? "select all on click" : "plain");
        window.reset();
        F().SetText(WString("hello"));
        F().SetOption(EditField::OPT_SELECT_ALL_ON_CLICK, select_all);
        Open();
        ASSERT_FALSE(F().HasFocus());
        ClickChar(3);
        ASSERT_TRUE(PumpUntil([&] { return F().HasFocus(); }));
        PumpFor(50);
        // The focus gain selected everything; a plain press collapses it at the press point.
        EXPECT_EQ(F().IsSelection(), select_all);
        EXPECT_EQ(F().GetCursor(), select_all ? 5 : 3);
    }
}

TEST_F(EditInputTest, ConverterPaintsErrorsAndRefusesCharacters)
{
    ConvertInt percent(0, 100);
    F().SetConvert(percent);
    Open();
    FocusAndType("50");
    TypeText("x");
    PumpFor(50);
    EXPECT_EQ(Text(), "50");
    Rect v = F().GetViewRectOnScreen();
    Point origin = form.GetRectOnScreen().TopLeft();
    // The paper at the field's right end, clear of text.
    Rect probe(v.right - origin.x - 2, v.top - origin.y + 1, v.right - origin.x - 1, v.top - origin.y + 2);
    const EditFieldStyle& s = F().GetStyle();
    ASSERT_TRUE(PumpUntil([&] { return GrabPixels(Win(), probe).At(0, 0) == s.focused_paper; }));
    TypeText("0");
    ASSERT_TRUE(WaitText("500"));
    EXPECT_TRUE(IsError(F().GetValue()));
    EXPECT_TRUE(PumpUntil([&] { return GrabPixels(Win(), probe).At(0, 0) == s.invalid_paper; }))
        << "the paper stays " << GrabPixels(Win(), probe).At(0, 0).GetBits();
    TypeKey(XK_BackSpace);
    EXPECT_TRUE(PumpUntil([&] { return GrabPixels(Win(), probe).At(0, 0) == s.focused_paper; }));
}

TEST_F(EditInputTest, PastesFromXclipAndFromPrimary)
{
    Open();
    FocusAndType("ad");
    TypeKey(XK_Left);
    PeerProcess clip;
    ASSERT_TRUE(clip.Start({ "/usr/bin/xclip", "-i", "-quiet", "-selection", "clipboard" }, "bc\nnext line"));
    ASSERT_TRUE(WaitForForeignOwner("CLIPBOARD"));
    TypeKey(XK_v, { XK_Control_L });
    // Only the first line of a pasted text is inserted.
    EXPECT_TRUE(WaitText("abcd")) << Text();
    PeerProcess primary;
    ASSERT_TRUE(primary.Start({ "/usr/bin/xclip", "-i", "-quiet", "-selection", "primary" }, "XY"));
    ASSERT_TRUE(WaitForForeignOwner("PRIMARY"));
    // The middle button places the cursor, then pastes there.
    ClickChar(1, 2);
    EXPECT_TRUE(WaitText("aXYbcd")) << Text();
    EXPECT_EQ(F().GetCursor(), 3);
}

TEST_F(EditInputTest, ContextMenuSelectsAllAndErases)
{
    struct MenuCase {
        const char* name;
        std::vector<KeySym> keys;
        const char* want;
        bool whole_selected;
    };
    const MenuCase cases[] = {
        { "Select all (the last item)", { XK_Up, XK_Return }, "some text", true },
        { "Erase (the one before)", { XK_Up, XK_Up, XK_Return }, "", false },
        { "Escape", { XK_Escape }, "some text", false },
    };
    Open();
    for(const MenuCase& c : cases) {
        SCOPED_TRACE(c.name);
        F().SetText(WString("some text"));
        ClickChar(2);
        ASSERT_TRUE(PumpUntil([&] { return F().HasFocus() && !F().IsSelection(); }));
        MenuScript script;
        script.on_timeout = [] { TypeKey(XK_Escape); };
        script.Then([] { return GetHostState().popup_grab_count > 0; });
        for(KeySym k : c.keys)
            script.Do([k] { TypeKey(k); });
        script.Then([] { return GetHostState().popup_grab_count == 0; });
        script.Start();
        ClickChar(2, 3);
        ASSERT_TRUE(PumpUntil([&] { return script.Finished() || script.TimedOut(); }, 12000));
        EXPECT_FALSE(script.TimedOut()) << "stopped at step " << script.StepReached();
        PumpFor(50);
        EXPECT_EQ(Text(), c.want);
        EXPECT_EQ(F().IsSelection(), c.whole_selected);
        EXPECT_TRUE(F().HasFocus()) << "the field takes the focus back";
    }
}

TEST_F(EditInputTest, DragsSelectedTextOutToAnotherProgram)
{
    struct OutCase {
        const char* action;
        const char* left;
    };
    const OutCase cases[] = { { "copy", "drag me" }, { "move", "me" } };
    Open();
    for(const OutCase& c : cases) {
        SCOPED_TRACE(c.action);
        F().SetText(WString("drag me"));
        ClickChar(6);
        ASSERT_TRUE(PumpUntil([&] { return F().HasFocus() && F().GetCursor() == 6; }));
        F().SetSelection(0, 5);
        // Past the double-click time.
        PumpFor(DOUBLE_CLICK_MS + 50);
        PatientDrag patient;
        XdndPeer peer({ "target", "--geometry", "200", "300", "100", "100", "--action", c.action });
        ASSERT_FALSE(peer.WaitLine("READY").empty());
        MenuScript script;
        script.on_timeout = [] { Button(1, false); };
        script.Then([] { return GetDragSource() != nullptr; })
            .Do([] { MovePointer(DefaultRootWindow(display), Point(250, 350)); })
            .Wait(200)
            .Do([] { Button(1, false); });
        script.Start();
        MovePointer(Win(), CharPoint(1));
        Button(1, true);
        PumpFor(100);
        MovePointer(Win(), CharPoint(1) + Point(20, 0));
        ASSERT_TRUE(PumpUntil([&] { return script.Finished() || script.TimedOut(); }, 8000));
        peer.Finish(3000);
        EXPECT_TRUE(peer.Has("DROP UTF8_STRING " + Hex("drag ")) || peer.Has("DROP UTF8_STRING " + Hex("drag")))
            << testing::PrintToString(peer.Lines());
        EXPECT_TRUE(WaitText(c.left)) << Text() << " " << testing::PrintToString(peer.Lines());
    }
}

TEST_F(EditInputTest, MovesAWordWithinTheField)
{
    Open();
    F().SetText(WString("one two three"));
    ClickChar(12);
    ASSERT_TRUE(PumpUntil([&] { return F().HasFocus() && F().GetCursor() == 12; }));
    F().SetSelection(0, 4);
    PumpFor(DOUBLE_CLICK_MS + 50);
    Point drop = CharPoint(8) + form.GetRectOnScreen().TopLeft();
    MenuScript script;
    script.on_timeout = [] { Button(1, false); };
    script.Then([] { return GetDragSource() != nullptr; })
        .Do([drop] { MovePointer(DefaultRootWindow(display), drop); })
        .Wait(200)
        .Do([] { Button(1, false); });
    script.Start();
    MovePointer(Win(), CharPoint(1));
    Button(1, true);
    PumpFor(100);
    MovePointer(Win(), CharPoint(1) + Point(12, 0));
    ASSERT_TRUE(PumpUntil([&] { return script.Finished() || script.TimedOut(); }, 8000));
    EXPECT_FALSE(script.TimedOut()) << "stopped at step " << script.StepReached();
    // The word lands where it was dropped as measured without it, and only once.
    EXPECT_TRUE(WaitText("two one three")) << Text();
}

TEST_F(EditInputTest, TakesTextDroppedByAnotherProgram)
{
    Open();
    F().SetText(WString("ad"));
    std::ostringstream win;
    win << "0x" << std::hex << Win();
    Rect v = F().GetViewRectOnScreen();
    Point at(v.left + F().GetTextWidth(1) + 3, v.top + v.Height() / 2);
    XdndPeer peer({ "source", "--target", win.str(), "--point", std::to_string(at.x), std::to_string(at.y), "--data",
                    Hex("bc"), "--action", "copy" });
    peer.Finish(5000);
    EXPECT_TRUE(peer.Has("FINISHED 1 copy")) << testing::PrintToString(peer.Lines());
    EXPECT_TRUE(WaitText("abcd")) << Text();
    int l, h;
    EXPECT_TRUE(F().GetSelection(l, h));
    EXPECT_EQ(l, 1);
    EXPECT_EQ(h, 3);
    EXPECT_EQ(F().GetDropMarker(), Rect(0, 0, 0, 0));
}

} // namespace
