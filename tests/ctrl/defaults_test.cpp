// The base behaviour of the virtual operations: validation, archiving, modified flags,
// click fallbacks, bubbling notifications, access keys, closing and log descriptions.

#include "tests/ctrl/support/ctrl_probe.h"

#include "draw/image/pixel_buffer.h"
#include "draw/image/rgba.h"
#include "foundation/callback_action.h"
#include "foundation/string_stream.h"
#include "foundation/values/jsonize.h"

#include <gtest/gtest.h>

using namespace Qor;
using namespace QorTest;

namespace {

// A control with a value of its own.
struct ValueCtrl : Probe {
    using Probe::Probe;
    Value value;
    Value GetValue() const override { return value; }
    void SetValue(const Value& v) override { value = v; }
};

// The value-error hook replaced by a recorder for the test's duration.
struct ErrorHookScope {
    ValueErrorHook saved = GetValueErrorHook();
    static std::vector<std::string>& Reported()
    {
        static std::vector<std::string> reported;
        return reported;
    }
    ErrorHookScope()
    {
        Reported().clear();
        GetValueErrorHook() = [](const Value& v) {
            if(!IsError(v))
                return false;
            Reported().push_back(Std(ErrorValueText(v)));
            return true;
        };
    }
    ~ErrorHookScope() { GetValueErrorHook() = saved; }
};

struct DefaultsFixture : testing::Test {
    FakeWindowSystem ws;
    Journal j;
    ValueCtrl root{ "R", j }, a{ "A", j }, b{ "B", j }, b1{ "B1", j };
    void SetUp() override
    {
        root.SetRect(0, 0, 100, 100);
        root.AppendChild(a);
        root.AppendChild(b);
        b.AppendChild(b1);
        j.clear();
    }
};

TEST_F(DefaultsFixture, ValidateReportsTheFirstErrorAndFocusesIt)
{
    ErrorHookScope hook;
    OpenWindow w(root);
    EXPECT_TRUE(root.Validate());
    b1.value = ErrorValue("bad");
    a.value = ErrorValue("worse");
    EXPECT_FALSE(root.Validate());
    EXPECT_EQ(ErrorHookScope::Reported(), (std::vector<std::string>{ "worse" }));
    EXPECT_EQ(GetCtrlGlobalRefs().focus_ctrl.Get(), &a);
    a.value = Value(1);
    EXPECT_FALSE(root.Validate());
    EXPECT_EQ(GetCtrlGlobalRefs().focus_ctrl.Get(), &b1);
}

TEST_F(DefaultsFixture, HiddenOrDisabledControlsAreValid)
{
    ErrorHookScope hook;
    b.value = ErrorValue("hidden");
    b1.value = ErrorValue("below");
    b.Hide();
    EXPECT_TRUE(root.Validate());
    b.Show();
    b.Disable();
    EXPECT_TRUE(root.Validate());
    EXPECT_TRUE(ErrorHookScope::Reported().empty());
    // Reported, but without a window nothing takes the focus.
    b.Enable();
    EXPECT_FALSE(root.Validate());
    EXPECT_EQ(GetCtrlGlobalRefs().focus_ctrl.Get(), nullptr);
}

TEST(ValueErrors, PrintedOnStandardErrorOnlyForErrors)
{
    testing::internal::CaptureStderr();
    EXPECT_TRUE(PrintValueErrorToStderr(ErrorValue("broken value")));
    EXPECT_FALSE(PrintValueErrorToStderr(Value(5)));
    EXPECT_FALSE(PrintValueErrorToStderr(Value()));
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find(": broken value\n"), std::string::npos) << err;
    EXPECT_EQ(err.find("broken value"), err.rfind("broken value"));
    EXPECT_EQ(GetValueErrorHook(), &PrintValueErrorToStderr);
}

TEST_F(DefaultsFixture, BinaryArchiveTravelsInTreeOrder)
{
    root.value = Value(1);
    a.value = Value(2);
    b.value = String("three");
    b1.value = Value(4.5);
    StringStream out;
    root.ArchiveBinary(out);
    Journal j2;
    ValueCtrl r2("R", j2), a2("A", j2), b2("B", j2), b12("B1", j2);
    r2.AppendChild(a2);
    r2.AppendChild(b2);
    b2.AppendChild(b12);
    StringStream in(out.GetText());
    in.SetLoading();
    r2.ArchiveBinary(in);
    EXPECT_EQ(r2.value, Value(1));
    EXPECT_EQ(a2.value, Value(2));
    EXPECT_EQ(b2.value, Value(String("three")));
    EXPECT_EQ(b12.value, Value(4.5));
    EXPECT_FALSE(in.IsError());
}

TEST_F(DefaultsFixture, JsonArchiveMapsTheOwnValueOnly)
{
    root.value = Value(7);
    a.value = Value(8);
    JsonizeIo out;
    root.ArchiveJson(out);
    Value json = out.GetResult();
    EXPECT_FALSE(json.IsVoid());
    ValueCtrl loaded("L", j);
    JsonizeIo in(json);
    loaded.ArchiveJson(in);
    EXPECT_EQ(loaded.value, Value(7));
}

TEST_F(DefaultsFixture, ModifiedFlagsBubbleAndClearDownward)
{
    EXPECT_FALSE(root.HasModifications());
    b1.SetModified();
    EXPECT_TRUE(root.HasModifications());
    EXPECT_TRUE(b.HasModifications());
    EXPECT_FALSE(root.IsModifiedFlag());
    root.SetModified();
    b.SetModified();
    root.ClearModified();
    EXPECT_FALSE(root.IsModifiedFlag() || b.IsModifiedFlag() || b1.IsModifiedFlag());
    EXPECT_FALSE(root.HasModifications());
}

TEST_F(DefaultsFixture, UpdateOperationsRunInOrder)
{
    struct Updating : Probe {
        using Probe::Probe;
        void SetModified() override
        {
            Note("SetModified");
            Ctrl::SetModified();
        }
        void AfterUpdate() override { Note("AfterUpdate"); }
    } u("U", j);
    static Journal* journal;
    journal = &j;
    u.SetAction(MakeCallback(+[] { journal->push_back("action"); }));
    u.MarkUpdated();
    u.RunAction();
    u.MarkUpdatedAction();
    u.MarkUpdatedActionRefresh();
    EXPECT_EQ(j, (Journal{ "U:SetModified", "U:AfterUpdate", "action", "U:SetModified", "U:AfterUpdate", "action",
                           "U:SetModified", "U:AfterUpdate", "action" }));
    EXPECT_TRUE(u.IsModifiedFlag());
}

TEST_F(DefaultsFixture, ClicksFallBackToThePress)
{
    a.log_mouse = true;
    struct Case {
        int event;
        Journal seen;
    } cases[] = {
        { 0x81, { "A:LeftButtonDown3,4" } },
        { 0xA1, { "A:LeftButtonDown3,4" } },
        { 0xE1, { "A:LeftButtonDown3,4" } },
        { 0x82, { "A:RightButtonDown" } },
        { 0xA2, { "A:RightButtonDown" } },
        { 0xE2, { "A:RightButtonDown" } },
        { 0x80, { "A:MiddleButtonDown" } },
        { 0xA0, {} },
        { 0xE0, {} },
        { 0x91, {} },
        { 0x33, {} },
    };
    for(const Case& c : cases) {
        j.clear();
        a.DispatchMouse(c.event, Point(3, 4), 0, 0);
        EXPECT_EQ(j, c.seen) << std::hex << c.event;
    }
}

TEST_F(DefaultsFixture, CursorIsTheArrow)
{
    EXPECT_TRUE(a.CursorFor(Point(0, 0), 0).IsEmpty()); // no window system: no cursor image
    EXPECT_TRUE(a.DispatchMouse(0x40, Point(0, 0), 0, 0).IsEmpty());
}

namespace {

Image OnePixel(RGBA c)
{
    PixelBuffer b(1, 1);
    b[0][0] = c;
    return Image(b);
}

// A window system whose arrow is a one-pixel image, and a control with a cursor of its own.
Image& TestArrow()
{
    static Image arrow = OnePixel(RGBA{ 1, 2, 3, 255 });
    return arrow;
}

struct OwnCursor : Probe {
    using Probe::Probe;
    Image own = OnePixel(RGBA{ 9, 8, 7, 255 });
    Image CursorFor(Point, dword) override { return own; }
};

} // namespace

TEST_F(DefaultsFixture, EveryHandledEventAnswersTheArrowExceptTheCursorQuery)
{
    struct Arrow : Platform {
        Image GetArrowCursor() override { return TestArrow(); }
    } arrow;
    PlatformScope installed(arrow);
    OwnCursor c("C", j);
    root.AppendChild(c);
    c.log_mouse = true;
    // Button events, moves, enter, leave, wheel and a code nobody handles.
    for(int event : { 0x81, 0x91, 0xA1, 0x82, 0x92, 0x80, 0x90, 0xC1, 0xD1, 0xB1, 0x10, 0x20, 0x30, 0x50, 0x33 }) {
        Image answer = c.DispatchMouse(event, Point(1, 1), 120, 0);
        EXPECT_EQ(answer.GetSerialId(), TestArrow().GetSerialId()) << std::hex << event;
    }
    EXPECT_EQ(c.DispatchMouse(0x40, Point(1, 1), 0, 0).GetSerialId(), c.own.GetSerialId());
}

TEST_F(DefaultsFixture, WheelPassesToTheParentInItsCoordinates)
{
    root.log_mouse = b.log_mouse = true;
    b.SetRect(10, 20, 30, 30);
    b1.SetRect(5, 5, 10, 10);
    j.clear();
    b1.WheelRotated(Point(1, 2), 120, 0);
    EXPECT_EQ(j, (Journal{ "B:Wheel6,7,120", "R:Wheel16,27,120" }));
    EXPECT_TRUE(GetCtrlGlobalRefs().wheel_passed_up);
    j.clear();
    b1.WheelRotated(Point(40, 2), 120, 0); // outside the parent's view
    EXPECT_TRUE(j.empty());
}

TEST_F(DefaultsFixture, ChildNotificationsBubbleToTheFirstOverride)
{
    Probe late("N", j);
    b1.AppendChild(late);
    // B and B1 are Probes and take it themselves; a plain control in between passes it on.
    EXPECT_EQ(j, (Journal{ "N:CancelInteraction", "B1:ChildInserted(N)", "N:ParentChanged" }));
    j.clear();
    Ctrl plain;
    b1.AppendChild(plain);
    Probe deep("D", j);
    plain.AppendChild(deep);
    EXPECT_EQ(j, (Journal{ "B1:ChildInserted(?)", "D:CancelInteraction", "B1:ChildInserted(D)", "D:ParentChanged" }));
    j.clear();
    plain.RemoveChild(deep);
    EXPECT_EQ(j, (Journal{ "B1:ChildRemoving(D)", "D:ParentChanged" }));
}

TEST(AccessKeys, MaskOfTheLowByte)
{
    struct Case {
        dword key;
        dword mask;
    } cases[] = {
        { 'A', 2 }, { 'Q', 1u << 17 }, { 'Z', 1u << 26 }, { 'q', 1 },
        { '1', 1 }, { 0, 0 },          { 0x10041, 2 },    { 0x100, 0 },
    };
    for(const Case& c : cases)
        EXPECT_EQ(AccessKeyMask(c.key), c.mask) << c.key;
}

// A control with a fixed access key, or one that takes the first free letter.
struct KeyCtrl : Ctrl {
    dword key = 0;
    bool automatic = false;
    dword seen_used = 0;
    dword OwnAccessKeys() const override { return AccessKeyMask(key); }
    void AssignFreeAccessKeys(dword used) override
    {
        seen_used = used;
        if(automatic && !key)
            for(int c = 'A'; c <= 'Z'; c++)
                if(!(used & AccessKeyMask(c))) {
                    key = dword(c);
                    break;
                }
    }
};

// A letter assigned inside a group is not handed out again to a later control of the
// window (passing on only each child's own keys would give D the B as well).
TEST(AccessKeys, FreeLettersGoToControlsWithoutKeys)
{
    Ctrl window, group;
    KeyCtrl a, b, c, d;
    a.key = 'A';
    c.key = 'C';
    b.automatic = d.automatic = true;
    window.AppendChild(a);
    window.AppendChild(group);
    group.AppendChild(b);
    group.AppendChild(c);
    window.AppendChild(d);
    EXPECT_EQ(window.CollectAccessKeys(), AccessKeyMask('A') | AccessKeyMask('C'));
    window.AutoAssignAccessKeys();
    EXPECT_EQ(b.key, dword('B'));
    EXPECT_EQ(d.key, dword('D'));
}

TEST(AccessKeys, MarksShownFollowTheSetting)
{
    SeamsScope seams;
    Ctrl c;
    EXPECT_FALSE(IsAccessKeyMarkShown(&c)); // Alt-only by default, and Alt is not held
    GetCtrlCoreSeams().access_keys_on_alt_only = [] { return 0; };
    EXPECT_TRUE(IsAccessKeyMarkShown(&c));
    GetCtrlCoreSeams().access_keys_on_alt_only = [] { return 1; };
    struct AltHeld : Platform {
        bool IsAltDown() override { return true; }
    } alt_held;
    PlatformScope installed(alt_held);
    EXPECT_FALSE(IsAccessKeyMarkShown(&c));
    GetCtrlGlobalRefs().focus_ctrl = &c;
    EXPECT_TRUE(IsAccessKeyMarkShown(&c));
}

TEST_F(DefaultsFixture, AccessKeyIsOfferedToTheChildren)
{
    struct Taker : Ctrl {
        int asked = 0;
        bool AccessKeyPressed(dword key) override
        {
            asked++;
            return key == 'T';
        }
    } t1, t2;
    b.AppendChild(t1);
    b.AppendChild(t2);
    EXPECT_FALSE(root.AccessKeyPressed('T')); // no open window: no child is offered it
    OpenWindow w(root);
    EXPECT_TRUE(root.AccessKeyPressed('T'));
    EXPECT_EQ(t1.asked, 1);
    EXPECT_EQ(t2.asked, 0);
    EXPECT_FALSE(root.AccessKeyPressed('X'));
    b.Disable();
    EXPECT_FALSE(root.AccessKeyPressed('T'));
    EXPECT_EQ(t1.asked, 2);
}

TEST_F(DefaultsFixture, CloseOfAChildOnlyDropsReferences)
{
    OpenWindow w(root);
    GetCtrlGlobalRefs().pointer_ctrl = &b1;
    b.Close();
    EXPECT_EQ(GetCtrlGlobalRefs().pointer_ctrl.Get(), nullptr);
    EXPECT_TRUE(FakeWindowSystem::Calls().empty());
    EXPECT_EQ(b.GetParent(), &root);
}

TEST_F(DefaultsFixture, CloseOfATopLevelDestroysItsWindow)
{
    {
        OpenWindow w(root);
        root.SetPopupFlag(true);
        j.clear();
        root.Close();
        EXPECT_EQ(FakeWindowSystem::Calls(), (std::vector<std::string>{ "destroy" }));
        EXPECT_EQ(j, (Journal{ "R:CancelInteraction", "A:CancelInteraction", "B:CancelInteraction",
                               "B1:CancelInteraction", "A:State17", "B1:State17", "B:State17", "R:State17" }));
        EXPECT_FALSE(root.IsPopup());
        EXPECT_TRUE(root.IsVisible());
    }
    // Closed and still alive; opens again.
    FakeWindowSystem::Calls().clear();
    root.Close();
    EXPECT_TRUE(FakeWindowSystem::Calls().empty());
    OpenWindow again(root);
    EXPECT_TRUE(a.IsInOpenWindow());
}

TEST_F(DefaultsFixture, SmallDefaults)
{
    EXPECT_TRUE(b1.IsEnabledUpward());
    b.Disable();
    EXPECT_FALSE(b1.IsEnabledUpward());
    a.SetRect(0, 0, 30, 20);
    EXPECT_EQ(a.OpaqueArea(), Rect(0, 0, 30, 20));
    a.SetTransparent();
    EXPECT_TRUE(a.OpaqueArea().IsEmpty());
    EXPECT_TRUE(a.UnpaintedArea().IsEmpty());
    struct Renderer : Ctrl {
        String RenderSelectionData(const String& format) const override { return "data:" + format; }
    } r;
    EXPECT_EQ(Std(r.RenderDropData("text/plain")), "data:text/plain");
    EXPECT_TRUE(a.RenderDropData("x").IsEmpty());
    EXPECT_FALSE(a.ProcessKey('a', 1));
    EXPECT_EQ(a.OverpaintMargin(), 0);
    EXPECT_EQ(a.ReservedQuery(), 0);
    EXPECT_FALSE(a.FilterWindowEvent(nullptr));
    EXPECT_TRUE(a.GetValue().IsVoid());
}

TEST_F(DefaultsFixture, FocusAndInputNoticesClimbToTheRoot)
{
    struct Counter : Ctrl {
        int gained = 0, lost = 0, inputs = 0, mouse = 0;
        void ChildFocusGained() override { gained++; }
        void ChildFocusLost() override { lost++; }
        void AfterInputEvent() override { inputs++; }
        void ChildMouse(Ctrl*, int, Point, int, dword) override { mouse++; }
        void ChildFrameAreaMouse(Ctrl*, int, Point, int, dword) override { mouse += 10; }
    } top;
    Ctrl mid, leaf;
    top.AppendChild(mid);
    mid.AppendChild(leaf);
    leaf.ChildFocusGained();
    leaf.ChildFocusLost();
    leaf.AfterInputEvent();
    leaf.ChildMouse(&leaf, 0x81, Point(1, 1), 0, 0);
    leaf.ChildFrameAreaMouse(&leaf, 0x81, Point(1, 1), 0, 0);
    EXPECT_EQ(top.gained, 1);
    EXPECT_EQ(top.lost, 1);
    EXPECT_EQ(top.inputs, 1);
    EXPECT_EQ(top.mouse, 11);
}

// The run-time test of a TopWindow stands in for the class that is not here yet.
Ctrl* top_window_ctrl;
TopWindow* AsTop(Ctrl* c) { return c == top_window_ctrl ? reinterpret_cast<TopWindow*>(c) : nullptr; }

TEST_F(DefaultsFixture, DescriptionsForLogLines)
{
    GetCtrlCoreSeams().as_top_window = AsTop;
    top_window_ctrl = &root;
    root.description = "Lookup";
    a.description = "Search for:";
    EXPECT_EQ(Std(DescribeCtrl(nullptr)), "NULL");
    std::string type = Std(GetCtrlTypeName(&b));
    EXPECT_NE(type.find("ValueCtrl"), std::string::npos) << type;
    EXPECT_EQ(Std(DescribeCtrl(&b)), type + " <<\"Search for:\">> (\"Lookup\")");
    EXPECT_EQ(Std(DescribeCtrl(&a)), type + " \"Search for:\" (\"Lookup\")");
    EXPECT_EQ(Std(DescribeCtrl(&root)), type + " \"Lookup\"");
    root.description = "";
    EXPECT_EQ(Std(DescribeCtrl(&b1)), type + " (" + type + ")");
    top_window_ctrl = nullptr;
    EXPECT_EQ(Std(DescribeCtrlDetailed(nullptr)), "NULL");
    EXPECT_EQ(Std(DescribeCtrlDetailed(&b1)), type);
}

TEST(BackBuffer, AvailableOnThisPlatform) { EXPECT_TRUE(CanUseBackBuffer()); }

} // namespace
