// MultiButton on a private X server through XTest: the four visual states in pixels, side
// buttons and the main button pressed and clicked by the pointer, and the screen span a
// press reports.
#include "tests/support/x11/input_window.h"

#include "draw/look/sys_colors.h"
#include "widgets/multibutton/multi_button.h"

#include "tests/support/lambda_callback.h"

#include <X11/extensions/XTest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace Qor;
using namespace QorTest;

void HoldLeftButton(bool down)
{
    XTestFakeButtonEvent(display, 1, down, 0);
    XSync(display, false);
}

// A drop-down shaped control (one main button without an image) above a control with a
// labelled left button and two right buttons.
//   drop:  (10, 10) 160 x 22; its button 142 .. 159 of the view.
//   multi: (10, 50) 220 x 22; "L" from 1, the arrow 202 .. 219, "Go" left of it.
class MultiPanel : public InputRecorder {
public:
    MultiButton drop;
    MultiButton multi;
    std::vector<std::string> events;

    MultiPanel()
    {
        take_keys = false;
        MultiButton::SideButton& main = drop.AddButton().SetMain();
        main.WhenPush = Lambda([this] { events.push_back("drop push"); });
        main.WhenClick = Lambda([this] { events.push_back("drop click"); });
        drop.SetRect(10, 10, 160, 22);
        AppendChild(drop);

        const char* names[] = { "left", "arrow", "go" };
        MultiButton::SideButton* b[3] = { &multi.AddButton().SetLabel("L").Left(), &multi.AddButton(),
                                          &multi.AddButton().SetLabel("Go") };
        for(int i = 0; i < 3; i++) {
            std::string name = names[i];
            b[i]->WhenPush = Lambda([this, name] { events.push_back(name + " push"); });
            b[i]->WhenClick = Lambda([this, name] { events.push_back(name + " click"); });
        }
        multi.SetShownValue(Value(String("value")));
        multi.SetRect(10, 50, 220, 22);
        AppendChild(multi);
    }
    void Paint(Draw& w) override { w.DrawRect(Rect(GetSize()), SysColorFace()); }
};

class MultiButtonGuiTest : public PrivateDisplayTest {
protected:
    void SetUp() override
    {
        PrivateDisplayTest::SetUp();
        ASSERT_TRUE(HasXTest());
        window.emplace(panel, Rect(Point(40, 40), Size(240, 90)));
        ASSERT_TRUE(window->IsOpen());
        MovePointer(window->GetWindow(), Point(235, 85)); // over neither control
        PumpFor(50);
    }
    void TearDown() override
    {
        HoldLeftButton(false);
        window.reset();
        PrivateDisplayTest::TearDown();
    }
    Pixels Grab(const Rect& r)
    {
        PumpFor(50);
        return GrabPixels(window->GetWindow(), r);
    }
    // Where a control's button x lies in the window.
    Point ButtonPoint(MultiButton& mb, int i)
    {
        int x, cx;
        mb.GetButtonSpan(i, x, cx);
        Rect r = mb.GetRectInParent();
        return Point(r.left + x + cx / 2, r.top + r.Height() / 2);
    }

    MultiPanel panel;
    std::optional<OpenInput> window;
};

// The text area's paper and the button's face of a drop-down shaped control in the four
// states: normal, hot (pointer over it), pressed (left button held) and disabled.
TEST_F(MultiButtonGuiTest, FourVisualStatesInPixels)
{
    ASSERT_TRUE(panel.drop.IsTrivial());
    Point paper_at(10 + 130, 10 + 17);                // inside the text rectangle, clear of the text
    Rect button(10 + 142, 10 + 1, 10 + 159, 10 + 21); // the button inside the edge
    struct Case {
        const char* name;
        int state;
        Color paper;
    } cases[] = {
        { "normal", VISUAL_NORMAL, SysColorPaper() },
        { "hot", VISUAL_HOT, MixColors(SysColorHighlight(), SysColorPaper(), 235) },
        { "pressed", VISUAL_PRESSED, MixColors(SysColorHighlight(), SysColorFace(), 235) },
        { "disabled", VISUAL_DISABLED, SysColorPaper() },
    };
    std::set<std::vector<dword>> faces;
    for(const Case& c : cases) {
        if(c.state == VISUAL_HOT || c.state == VISUAL_PRESSED)
            MovePointer(window->GetWindow(), Point(60, 20));
        if(c.state == VISUAL_PRESSED)
            HoldLeftButton(true);
        if(c.state == VISUAL_DISABLED) {
            HoldLeftButton(false);
            MovePointer(window->GetWindow(), Point(235, 85));
            panel.drop.Disable();
        }
        ASSERT_TRUE(PumpUntil([&] { return panel.drop.GetVisualState(0) == c.state; })) << c.name;
        EXPECT_EQ(panel.drop.GetVisualState(-1), c.state) << c.name;
        Pixels paper = Grab(Rect(paper_at, Size(1, 1)));
        EXPECT_EQ(paper.At(0, 0), c.paper) << c.name;
        Pixels face = Grab(button);
        std::vector<dword> packed;
        for(Color p : face.colors)
            packed.push_back(p.GetPacked());
        faces.insert(packed);
    }
    EXPECT_EQ(faces.size(), 4u) << "each state paints its own button face";
    panel.drop.Enable();
}

// A press runs the button's push action at once and the release its click action; the
// trivial control is one button everywhere.
TEST_F(MultiButtonGuiTest, PressesRunTheButtonsActions)
{
    struct Case {
        MultiButton* mb;
        Point at;
        const char* name;
    } cases[] = {
        { &panel.drop, Point(40, 21), "drop" }, // the text area
        { &panel.drop, ButtonPoint(panel.drop, 0), "drop" },
        { &panel.multi, ButtonPoint(panel.multi, 0), "left" },
        { &panel.multi, ButtonPoint(panel.multi, 1), "arrow" },
        { &panel.multi, ButtonPoint(panel.multi, 2), "go" },
    };
    for(const Case& c : cases) {
        panel.events.clear();
        MovePointer(window->GetWindow(), c.at);
        HoldLeftButton(true);
        ASSERT_TRUE(PumpUntil([&] { return panel.events.size() == 1; })) << c.name;
        EXPECT_EQ(panel.events[0], std::string(c.name) + " push");
        EXPECT_TRUE(c.mb->IsPressed());
        // The pressed button's span on the screen, inside the edge.
        Rect screen = c.mb->GetViewRectOnScreen();
        Rect push = c.mb->GetPushScreenRect();
        EXPECT_EQ(push.top, screen.top + 1) << c.name;
        EXPECT_EQ(push.bottom, screen.bottom - 1) << c.name;
        int hot = c.mb->GetHotIndex();
        ASSERT_NE(hot, INT_NULL) << c.name;
        int x, cx;
        c.mb->GetButtonSpan(hot, x, cx);
        EXPECT_EQ(push.left, screen.left + x) << c.name;
        EXPECT_EQ(push.Width(), cx) << c.name;
        HoldLeftButton(false);
        ASSERT_TRUE(PumpUntil([&] { return panel.events.size() == 2; })) << c.name;
        EXPECT_EQ(panel.events[1], std::string(c.name) + " click");
        EXPECT_FALSE(c.mb->IsPressed());
    }
}

// The text area of a control without a main button, and a disabled button, take clicks
// without running anything; a main button answers in the text area.
TEST_F(MultiButtonGuiTest, TextAreaAndDisabledButtons)
{
    Point text(10 + 100, 50 + 11);
    Click(window->GetWindow(), text);
    PumpFor(100);
    EXPECT_TRUE(panel.events.empty());
    EXPECT_EQ(panel.multi.GetPushScreenRect().left, INT_NULL);

    panel.multi.GetButton(2).SetMain();
    Click(window->GetWindow(), text);
    ASSERT_TRUE(PumpUntil([&] { return panel.events.size() == 2; }));
    EXPECT_EQ(panel.events, (std::vector<std::string>{ "go push", "go click" }));

    panel.events.clear();
    panel.multi.GetButton(1).Enable(false);
    Click(window->GetWindow(), ButtonPoint(panel.multi, 1));
    PumpFor(100);
    EXPECT_TRUE(panel.events.empty());
}

// A hovered side button shows as hot; the others and the text area stay normal.
TEST_F(MultiButtonGuiTest, HoverMarksOneButtonHot)
{
    for(int i = 0; i < 3; i++) {
        MovePointer(window->GetWindow(), ButtonPoint(panel.multi, i));
        ASSERT_TRUE(PumpUntil([&] { return panel.multi.GetHotIndex() == i; })) << i;
        for(int j = 0; j < 3; j++)
            EXPECT_EQ(panel.multi.GetVisualState(j), i == j ? VISUAL_HOT : VISUAL_NORMAL) << i << " " << j;
        EXPECT_EQ(panel.multi.GetVisualState(-1), VISUAL_NORMAL);
    }
    MovePointer(window->GetWindow(), Point(235, 85));
    ASSERT_TRUE(PumpUntil([&] { return panel.multi.GetHotIndex() == INT_NULL; }));
}

} // namespace
