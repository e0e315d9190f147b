// Misuse of the tree that would corrupt it is caught in checking builds; the searches for
// top windows follow the owners of pop-ups.

#include "tests/ctrl/support/ctrl_probe.h"
#include "tests/support/private_home.h"

#include <functional>
#include <gtest/gtest.h>

using namespace Qor;
using namespace QorTest;

namespace {

#ifdef QOR_CHECKS

TEST(CtrlTreeDeathTest, RingsAndStrangersAreCaught)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    PrivateHome home;
    struct Case {
        const char* what;
        std::function<void()> misuse;
    } cases[] = {
        { "a control into itself",
          [] {
              Ctrl a;
              a.AppendChild(a);
          } },
        { "an ancestor into its descendant",
          [] {
              Ctrl a, b;
              a.AppendChild(b);
              b.AppendChild(a);
          } },
        { "after a stranger",
          [] {
              Ctrl a, b, c;
              a.InsertChildAfter(b, &c);
          } },
        { "a negative information part",
          [] {
              Ctrl a;
              a.SetInfoPart(-1, "x");
          } },
    };
    for(const Case& c : cases)
        EXPECT_DEATH(c.misuse(), "Assertion failed") << c.what;
}

#endif

Ctrl* top_window;
TopWindow* AsTop(Ctrl* c) { return c == top_window ? reinterpret_cast<TopWindow*>(c) : nullptr; }

TEST(TopWindowSearch, PopupLeadsToTheWindowThatOwnsIt)
{
    SeamsScope seams;
    GetCtrlCoreSeams().as_top_window = AsTop;
    Ctrl window, field, popup, item;
    window.AppendChild(field);
    popup.AppendChild(item);
    top_window = &window;
    EXPECT_EQ(field.FindTopWindowCtrl(), &window);
    EXPECT_EQ(item.FindTopWindowCtrl(), nullptr); // a closed pop-up has no owner
    OpenWindow ow(window), op(popup);
    op.record.owner = &field;
    EXPECT_EQ(item.FindTopWindowCtrl(), &window);
    EXPECT_EQ(item.FindTopWindow(), reinterpret_cast<TopWindow*>(&window));
    // The owner is a field inside the window: the chain goes on from the field's root.
    EXPECT_EQ(item.GetMainWindow(), reinterpret_cast<TopWindow*>(&window));
    op.record.owner = &window;
    EXPECT_EQ(item.GetMainWindow(), reinterpret_cast<TopWindow*>(&window));
    top_window = &popup;
    EXPECT_EQ(item.GetMainWindow(), nullptr); // the last window reached is no TopWindow
    top_window = nullptr;
}

} // namespace
