// Pop-ups and their owners: the focus inside a pop-up counts for its owner's tree, and a
// pop-up that closes gives the focus back; closing every window at shutdown.

#include "tests/ctrl/support/ctrl_probe.h"

#include "foundation/values/xml_node.h"
#include "foundation/values/xmlize.h"

#include <gtest/gtest.h>

using namespace Qor;
using namespace QorTest;

namespace {

Ctrl* refocused;

struct PopupFixture : testing::Test {
    FakeWindowSystem ws;
    Ctrl window, field, popup, item;
    OpenWindow ow{ window };
    void SetUp() override
    {
        refocused = nullptr;
        GetCtrlCoreSeams().focus_top_control = [](Ctrl* top) { refocused = top; };
        window.AppendChild(field);
        popup.AppendChild(item);
        popup.SetPopupFlag(true);
    }
};

TEST_F(PopupFixture, FocusInAPopupCountsForItsOwnersTree)
{
    OpenWindow op(popup);
    op.record.owner = &field;
    ASSERT_TRUE(item.SetFocus());
    EXPECT_TRUE(window.HasFocusInTree());
    EXPECT_FALSE(field.HasFocusInTree()); // the owner itself is not below itself
    EXPECT_TRUE(popup.HasFocusInTree());
    popup.SetPopupFlag(false);
    EXPECT_FALSE(window.HasFocusInTree());
}

TEST_F(PopupFixture, ClosingAFocusedPopupRefocusesItsOwner)
{
    OpenWindow op(popup);
    op.record.owner = &window;
    ASSERT_TRUE(item.SetFocus());
    popup.Close();
    EXPECT_EQ(refocused, &window);
    EXPECT_EQ(GetCtrlGlobalRefs().focus_ctrl.Get(), nullptr);
    EXPECT_FALSE(popup.IsPopup());
}

TEST_F(PopupFixture, DisabledOwnerIsNotRefocused)
{
    OpenWindow op(popup);
    op.record.owner = &window;
    window.Disable();
    ASSERT_TRUE(item.SetFocus());
    popup.Close();
    EXPECT_EQ(refocused, nullptr);
}

TEST_F(PopupFixture, ShutdownClosesEveryOpenWindow)
{
    static Vector<Ctrl*> tops;
    tops.Clear();
    tops.Add(&window);
    tops.Add(&popup);
    struct Host : FakeWindowSystem::Host {
        Vector<Ctrl*> GetTopCtrls() override { return Vector<Ctrl*>(tops); }
    } host;
    PlatformScope installed(host);
    OpenWindow op(popup);
    CloseAllTopCtrls();
    EXPECT_EQ(FakeWindowSystem::Calls(), (std::vector<std::string>{ "destroy", "destroy" }));
    tops.Clear();
}

TEST(XmlArchive, OwnValueTravels)
{
    struct Holder : Ctrl {
        Value value;
        Value GetValue() const override { return value; }
        void SetValue(const Value& v) override { value = v; }
    } out, in;
    out.value = Value(42);
    XmlNode node;
    XmlizeIo store(node, false);
    out.ArchiveXml(store);
    XmlizeIo load(node, true);
    in.ArchiveXml(load);
    EXPECT_EQ(in.value, Value(42));
}

} // namespace
