// A pusher or button that counts its push, repeat and action callbacks and its press
// refreshes, for the tests of the press state machine.
#pragma once

#include "foundation/callback_action.h"

namespace QorTest {

inline void CountCall(int* n) { ++*n; }

template <class Base>
class Counting : public Base {
public:
    int pushes = 0, repeats = 0, actions = 0, push_refreshes = 0;

    Counting()
    {
        this->SetPushAction(Qor::MakeCallbackArg(CountCall, &pushes));
        this->SetRepeatAction(Qor::MakeCallbackArg(CountCall, &repeats));
        this->SetAction(Qor::MakeCallbackArg(CountCall, &actions));
    }
    void RefreshPush() override
    {
        push_refreshes++;
        Base::RefreshPush();
    }
};

} // namespace QorTest
