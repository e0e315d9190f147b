// Check boxes on a real X server through XTest: clicks and the space key cycle the value,
// with and without the third state, and the box shows each value.
#include "tests/support/x11/input_window.h"

#include "ctrl/x11/host/window_host.h"
#include "draw/look/sys_colors.h"
#include "widgets/images/ctrls_img.h"
#include "widgets/option/option.h"

#include <X11/keysym.h>

#include <optional>
#include <set>

namespace {

using namespace Qor;
using namespace QorTest;

struct CountingOption : Option {
    int actions = 0;
    CountingOption() { SetAction(MakeCallback(this, &CountingOption::Hit)); }
    void Hit() { actions++; }
};

// A window with one check box.
class OptionPanel : public InputRecorder {
public:
    CountingOption option;

    OptionPanel()
    {
        take_keys = false;
        option.SetLabel("&Match case");
        option.SetRect(10, 10, 180, 24);
        AppendChild(option);
    }
    void Paint(Draw& w) override { w.DrawRect(Rect(GetSize()), SysColorFace()); }
};

class OptionInputTest : public PrivateDisplayTest {
protected:
    void SetUp() override
    {
        PrivateDisplayTest::SetUp();
        ASSERT_TRUE(HasXTest());
        window.emplace(panel, Rect(Point(40, 40), Size(200, 44)));
        ASSERT_TRUE(window->IsOpen());
    }
    void TearDown() override
    {
        window.reset();
        PrivateDisplayTest::TearDown();
    }
    // The box's pixels, as the window shows them once painting settled.
    std::vector<dword> Box()
    {
        PumpFor(50);
        Size isz = CtrlsImg::O0().GetSize();
        Pixels p = GrabPixels(window->GetWindow(), Rect(Point(10, 10 + (24 - isz.cy) / 2), isz));
        std::vector<dword> packed;
        for(Color c : p.colors)
            packed.push_back(c.GetPacked());
        return packed;
    }

    OptionPanel panel;
    std::optional<OpenInput> window;
};

TEST_F(OptionInputTest, ClicksCycleTheValue)
{
    struct Case {
        bool three_state;
        std::vector<int> values;
    } cases[] = {
        { false, { 1, 0, 1, 0 } },
        { true, { INT_NULL, 1, 0 } },
    };
    for(const Case& c : cases) {
        panel.option.SetThreeState(c.three_state);
        panel.option.Set(0);
        panel.option.actions = 0;
        std::set<std::vector<dword>> looks = { Box() };
        int n = 0;
        for(int v : c.values) {
            Click(window->GetWindow(), Point(20, 22));
            n++;
            ASSERT_TRUE(PumpUntil([&] { return panel.option.actions == n; })) << "click " << n;
            EXPECT_EQ(panel.option.Get(), v) << c.three_state << " click " << n;
            MovePointer(window->GetWindow(), Point(195, 40)); // off the box: its normal look
            looks.insert(Box());
        }
        EXPECT_EQ(looks.size(), c.three_state ? 3u : 2u) << "each value has a box of its own";
    }
}

TEST_F(OptionInputTest, SpaceOnTheFocusedOptionCyclesIt)
{
    for(bool three_state : { false, true }) {
        panel.option.SetThreeState(three_state);
        panel.option.Set(0);
        panel.option.actions = 0;
        ASSERT_TRUE(panel.option.SetFocus());
        std::vector<int> expected = three_state ? std::vector<int>{ INT_NULL, 1, 0 } : std::vector<int>{ 1, 0 };
        int n = 0;
        for(int v : expected) {
            TypeKey(XK_space);
            n++;
            ASSERT_TRUE(PumpUntil([&] { return panel.option.actions == n; })) << "space " << n;
            EXPECT_EQ(panel.option.Get(), v) << three_state << " space " << n;
        }
    }
}

// What a hover marks for repainting: the box column alone beside a caption, else the whole
// control.
TEST_F(OptionInputTest, HoverRepaintsOnlyTheBoxBesideTheCaption)
{
    int box = CtrlsImg::O0().GetWidth();
    for(bool caption : { true, false }) {
        panel.option.ShowCaption(caption);
        WindowMapEntry* e = GetWindowMapEntry(panel);
        ASSERT_TRUE(e);
        ASSERT_TRUE(PumpUntil([&] { return e->invalid.IsEmpty(); })) << "painted";
        panel.option.PointerEntered(Point(0, 0), 0);
        ASSERT_EQ(e->invalid.GetCount(), 1);
        EXPECT_EQ(e->invalid[0], caption ? Rect(10, 10, 10 + box, 34) : Rect(10, 10, 190, 34)) << caption;
    }
}

TEST_F(OptionInputTest, AltWithTheAccessKeyToggles)
{
    TypeKey(XK_m, { XK_Alt_L });
    ASSERT_TRUE(PumpUntil([&] { return panel.option.actions == 1; }));
    EXPECT_EQ(panel.option.Get(), 1);
}

} // namespace
