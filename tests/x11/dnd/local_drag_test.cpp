// Drags between controls of this program: the messages go through the X server as to any
// other program, but the data comes straight from the running drag.

#include "tests/x11/dnd/drag_controls.h"
#include "tests/x11/dnd/patient_drag.h"

#include "ctrl/dnd/drop_target.h"
#include "ctrl/x11/dnd/dnd_loop.h"
#include "ctrl/x11/platform/x11_platform.h"
#include "tests/ctrl/support/test_platform.h"

using namespace Qor;
using namespace QorTest;

namespace {

// A window with a drag source and a drop place side by side.
class SourceWindow : public Ctrl {
public:
    DragSourceCtrl source;
    DropCtrl place;

    SourceWindow()
    {
        source.SetRect(0, 0, 100, 100);
        place.SetRect(150, 0, 100, 100);
        AppendChild(source);
        AppendChild(place);
    }
};

const Rect SOURCE_WINDOW(20, 20, 270, 120);
const Rect OTHER_WINDOW(400, 20, 500, 120);

// Counts the reads of drag data through the X server.
int x_drag_reads = 0;

struct CountingReads : X11Platform {
    bool Read(int kind, const String& format, String& data) override
    {
        if(kind == TRANSFER_DRAG)
            x_drag_reads++;
        return X11Platform::Read(kind, format, data);
    }
};

class LocalDragTest : public PrivateDisplayTest {
protected:
    void SetUp() override
    {
        PrivateDisplayTest::SetUp();
        saved_wait = SetXdndReplyWait(PEER_REPLY_WAIT_MS);
        x_drag_reads = 0;
    }
    void TearDown() override
    {
        SetXdndReplyWait(saved_wait);
        PrivateDisplayTest::TearDown();
    }
    int saved_wait = 200;
    CountingReads counting;
    QorTest::PlatformScope installed{ counting };
};

} // namespace

TEST_F(LocalDragTest, CopyAndMoveBetweenControls)
{
    struct Case {
        const char* name;
        bool other_window;
        std::vector<KeySym> held;
        byte chosen; // the action the place sets, when any
        int expected;
    } cases[] = {
        { "within one window a drag moves", false, {}, DROP_NONE, DROP_MOVE },
        { "Ctrl makes it a copy", false, { XK_Control_L }, DROP_NONE, DROP_COPY },
        { "into another window a drag copies", true, {}, DROP_NONE, DROP_COPY },
        { "Shift makes it a move", true, { XK_Shift_L }, DROP_NONE, DROP_MOVE },
        // As a text field does when the text is dropped onto its own selection: the source
        // must not remove what the target kept.
        { "the target turns a move into a copy", false, {}, DROP_COPY, DROP_COPY },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SourceWindow window;
        DropCtrl other;
        window.place.choose_action = c.chosen;
        OpenInput open(window, SOURCE_WINDOW);
        OpenInput open_other(other, OTHER_WINDOW);
        ASSERT_TRUE(open.IsOpen() && open_other.IsOpen());
        DropCtrl& target = c.other_window ? other : window.place;
        window.source.drop_at = target.GetRectOnScreen().CenterPoint();
        window.source.held = c.held;
        StartDragging(open.GetWindow());
        ASSERT_TRUE(PumpUntil([&] { return window.source.result >= 0; }, PEER_DRAG_LIMIT_MS))
            << window.source.drags << " drags";
        EXPECT_EQ(window.source.result, c.expected);
        EXPECT_EQ(target.drops, std::vector<std::string>{ "UTF8_STRING dragged text" });
        EXPECT_EQ(x_drag_reads, 0) << "the data came from the running drag, not through the server";
        EXPECT_EQ(target.entered, 1);
        EXPECT_EQ(target.left, 1);
        EXPECT_EQ(GetDropTarget(), nullptr);
        EXPECT_EQ(GetDragSource(), nullptr);
    }
}

TEST_F(LocalDragTest, DroppingBesideEveryTargetReportsNothing)
{
    SourceWindow window;
    OpenInput open(window, SOURCE_WINDOW);
    ASSERT_TRUE(open.IsOpen());
    window.source.drop_at = Point(700, 600); // the bare root window
    StartDragging(open.GetWindow());
    ASSERT_TRUE(PumpUntil([&] { return window.source.result >= 0; }, PEER_DRAG_LIMIT_MS));
    EXPECT_EQ(window.source.result, DROP_NONE);
    EXPECT_TRUE(window.place.drops.empty());
}
