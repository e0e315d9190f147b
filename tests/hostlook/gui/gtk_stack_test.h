// A GUI test whose cases push their own GTK widget-stack entries: the host skin's own stay
// below them and are all that is left when a case ends.
#pragma once

#include "tests/support/x11/gui_test.h"

#include "hostlook/gtk/gtk_probe.h"

namespace QorTest {

class GtkStackTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        saved = Qor::GetGtkWidgetStack().GetCount();
    }
    void TearDown() override
    {
        Qor::Vector<Qor::GtkStackEntry>& stack = Qor::GetGtkWidgetStack();
        while(stack.GetCount() > saved)
            stack.Drop();
    }
    int saved = 0;
};

} // namespace QorTest
