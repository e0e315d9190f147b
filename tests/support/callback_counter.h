// A callback target that counts its calls, for tests of controls' notifications.
#pragma once

#include "foundation/callback.h"
#include "foundation/callback_action.h"

namespace QorTest {

struct CallbackCounter {
    int n = 0;
    void Hit() { n++; }
    Qor::Callback Make() { return Qor::MakeCallback(this, &CallbackCounter::Hit); }
};

} // namespace QorTest
