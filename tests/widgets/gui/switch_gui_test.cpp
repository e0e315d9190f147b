// Switch on a private X server through XTest: clicks choose a case in both layouts, a press
// released over a disabled case changes nothing, the arrow keys step through the cases and
// Alt with a case's access key chooses it; the selected case shows the filled round image.
#include "tests/support/x11/input_window.h"

#include "draw/look/sys_colors.h"
#include "widgets/images/ctrls_img.h"
#include "widgets/switch/switch.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <optional>

namespace {

using namespace Qor;
using namespace QorTest;

struct CountingSwitch : Switch {
    int actions = 0;
    CountingSwitch() { SetAction(MakeCallback(this, &CountingSwitch::Hit)); }
    void Hit() { actions++; }
};

// A switch of one case per line at (10, 10) and one too low for its lines at (10, 90).
class SwitchPanel : public InputRecorder {
public:
    CountingSwitch lines;
    CountingSwitch row;

    SwitchPanel()
    {
        take_keys = false;
        lines.SetLabels("&Contains\n&Starts With\nE&xact Match\nSoundex");
        lines.SetRect(10, 10, 200, 70);
        AppendChild(lines);
        row.SetLabels("&Red\n&Green\n&Blue");
        row.SetRect(10, 90, 300, 20);
        AppendChild(row);
    }
    void Paint(Draw& w) override { w.DrawRect(Rect(GetSize()), SysColorFace()); }
};

void HoldLeftButton(bool down)
{
    XTestFakeButtonEvent(display, 1, down, 0);
    XSync(display, false);
}

class SwitchGuiTest : public PrivateDisplayTest {
protected:
    void SetUp() override
    {
        PrivateDisplayTest::SetUp();
        ASSERT_TRUE(HasXTest());
        window.emplace(panel, Rect(Point(40, 40), Size(330, 120)));
        ASSERT_TRUE(window->IsOpen());
        ASSERT_TRUE(PumpUntil([&] { return panel.lines.GetLineHeight() > 0 && !panel.row.GetLineEnds().IsEmpty(); }));
        lh = panel.lines.GetLineHeight();
    }
    void TearDown() override
    {
        HoldLeftButton(false);
        window.reset();
        PrivateDisplayTest::TearDown();
    }
    // A point on case i's caption of the switch of lines, in the window.
    Point LinePoint(int i) { return Point(10 + 40, 10 + i * lh + lh / 2); }
    // The packed pixels of case i's round image, the pointer off the switch.
    std::vector<dword> Radio(int i)
    {
        MovePointer(window->GetWindow(), Point(325, 5));
        PumpFor(60);
        Size isz = CtrlsImg::S0().GetSize();
        Pixels p = GrabPixels(window->GetWindow(), Rect(Point(10, 10 + i * lh + (lh - isz.cy) / 2), isz));
        std::vector<dword> packed;
        for(Color c : p.colors)
            packed.push_back(c.GetPacked());
        return packed;
    }

    SwitchPanel panel;
    std::optional<OpenInput> window;
    int lh = 0;
};

TEST_F(SwitchGuiTest, ClickChoosesACaseAndShowsItsImage)
{
    std::vector<dword> off = Radio(1);
    for(int i : { 1, 3, 0 }) {
        int n = panel.lines.actions;
        Click(window->GetWindow(), LinePoint(i));
        ASSERT_TRUE(PumpUntil([&] { return panel.lines.actions == n + 1; })) << i;
        EXPECT_EQ(panel.lines.GetValue(), Value(i));
    }
    std::vector<dword> on = Radio(0);
    EXPECT_NE(on, off) << "the selected case has its own image";
    EXPECT_EQ(Radio(1), off);
    // A click on the selected case changes nothing.
    Click(window->GetWindow(), LinePoint(0));
    PumpFor(100);
    EXPECT_EQ(panel.lines.actions, 3);
}

TEST_F(SwitchGuiTest, CasesSideBySideWhenTheLinesDoNotFit)
{
    const Vector<int>& ends = panel.row.GetLineEnds();
    ASSERT_EQ(ends.GetCount(), 3);
    EXPECT_EQ(ends[2], 300) << "the last case reaches the right edge";
    for(int i : { 2, 1, 0 }) {
        int left = i ? ends[i - 1] : 0;
        Click(window->GetWindow(), Point(10 + left + 5, 90 + 10));
        ASSERT_TRUE(PumpUntil([&] { return panel.row.GetValue() == Value(i); })) << i;
    }
    EXPECT_EQ(panel.row.actions, 3);
}

TEST_F(SwitchGuiTest, ReleaseOverADisabledCaseChangesNothing)
{
    panel.lines.EnableCase(2, false);
    panel.lines.SetValue(Value(0));
    MovePointer(window->GetWindow(), LinePoint(1));
    HoldLeftButton(true);
    ASSERT_TRUE(PumpUntil([&] { return panel.lines.GetPressedCase() == 1; })) << "the press marks the case";
    MovePointer(window->GetWindow(), LinePoint(2));
    ASSERT_TRUE(PumpUntil([&] { return panel.lines.GetPressedCase() == -1; }));
    HoldLeftButton(false);
    PumpFor(100);
    EXPECT_EQ(panel.lines.GetValue(), Value(0));
    EXPECT_EQ(panel.lines.actions, 0);
    // Outside the cases likewise.
    MovePointer(window->GetWindow(), LinePoint(1));
    HoldLeftButton(true);
    ASSERT_TRUE(PumpUntil([&] { return panel.lines.GetPressedCase() == 1; }));
    MovePointer(window->GetWindow(), Point(50, 10 + 4 * lh + 2));
    HoldLeftButton(false);
    PumpFor(100);
    EXPECT_EQ(panel.lines.GetValue(), Value(0));
}

TEST_F(SwitchGuiTest, ArrowKeysStepThroughTheCases)
{
    panel.lines.EnableCase(1, false);
    panel.lines.SetValue(Value(0));
    ASSERT_TRUE(panel.lines.SetFocus());
    struct Step {
        KeySym key;
        int value;
    } steps[] = { { XK_Down, 2 }, { XK_Right, 3 }, { XK_Down, 0 }, { XK_Up, 3 }, { XK_Left, 2 }, { XK_Up, 0 } };
    int n = 0;
    for(const Step& s : steps) {
        TypeKey(s.key);
        n++;
        ASSERT_TRUE(PumpUntil([&] { return panel.lines.actions == n; })) << n;
        EXPECT_EQ(panel.lines.GetValue(), Value(s.value)) << n;
    }
}

TEST_F(SwitchGuiTest, AltWithAnAccessKeyChoosesTheCase)
{
    struct Case {
        KeySym key;
        CountingSwitch* s;
        int value;
    } cases[] = {
        { XK_s, &panel.lines, 1 },
        { XK_x, &panel.lines, 2 },
        { XK_b, &panel.row, 2 },
        { XK_g, &panel.row, 1 },
    };
    for(const Case& c : cases) {
        int n = c.s->actions;
        TypeKey(c.key, { XK_Alt_L });
        ASSERT_TRUE(PumpUntil([&] { return c.s->actions == n + 1; })) << (char)c.key;
        EXPECT_EQ(c.s->GetValue(), Value(c.value)) << (char)c.key;
    }
}

} // namespace
