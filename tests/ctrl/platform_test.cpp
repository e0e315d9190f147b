// The base window system answers as a process without one, and installing one replaces it
// for the whole tree until it is taken away again.

#include "tests/ctrl/support/ctrl_probe.h"

#include "ctrl/window_ops/window_ops_internal.h"

#include <gtest/gtest.h>

#include <typeinfo>

using namespace Qor;
using namespace QorTest;

namespace {

TEST(PlatformTest, TheBaseAnswersAsNoWindowSystem)
{
    SeamsScope seams;
    Platform none;
    PlatformScope installed(none);
    Journal j;
    Probe window("W", j), child("C", j), owner("O", j);
    window.AppendChild(child);
    OpenWindow open(window);
    open.record.owner = &owner;

    EXPECT_FALSE(IsCtrlKeyDown() || IsShiftKeyDown() || IsAltKeyDown() || IsAnyMouseDown());
    EXPECT_EQ(GetPointerPosition(), Point(INT_NULL, INT_NULL));
    EXPECT_TRUE(GetTextCursor().IsEmpty() && GetHandCursor().IsEmpty() && GetCornerResizeCursor().IsEmpty());
    EXPECT_FALSE(IsWindowResizeAvailable());
    EXPECT_FALSE(child.SetCapture()) << "no grab to take";
    EXPECT_FALSE(window.IsInActiveWindow());
    EXPECT_TRUE(GetWorkAreaAtCall(Point(10, 10)).IsEmpty());
    EXPECT_EQ(window.MaximumSize(), Size(0, 0));
    EXPECT_FALSE(ProcessPendingEventsCall() || IsPaintingWindowCall());
    // The owner is the one the window was opened with; the description is the tree's own.
    EXPECT_EQ(window.GetOwner(), &owner);
    EXPECT_EQ(DescribeCtrlDetailed(&child), DescribeCtrl(&child));
    // Without a screen nothing is clipped to one.
    Ctrl loose;
    loose.SetRect(Rect(-100, -100, 50, 50));
    EXPECT_EQ(loose.GetVisibleScreenRect(), Rect(-100, -100, 50, 50));

    TransferOffer offer;
    offer.kind = TRANSFER_CLIPBOARD;
    EXPECT_FALSE(offer.IsAvailable("text"));
    TransferFormatMap data;
    data.Add("text", TransferItem());
    EXPECT_EQ(DoDragAndDrop(&child, "text", Image(), DND_ALLOW_COPY, data), DROP_NONE);
}

TEST(PlatformTest, InstallingReplacesTheWindowSystemAndNullRestoresTheBase)
{
    struct Held : Platform {
        bool IsShiftDown() override { return true; }
    } held;
    Platform* before = &GetPlatform();
    int serial = GetPlatformSerial();
    EXPECT_EQ(InstallPlatform(&held), before);
    EXPECT_NE(GetPlatformSerial(), serial) << "what is kept from the old one is asked again";
    EXPECT_TRUE(IsShiftKeyDown());
    EXPECT_EQ(InstallPlatform(nullptr), &held);
    Platform& base = GetPlatform();
    EXPECT_EQ(typeid(base), typeid(Platform));
    EXPECT_FALSE(IsShiftKeyDown());
    InstallPlatform(before);
}

} // namespace
