// Callbacks from lambdas, for tests that record what runs.
#pragma once

#include "foundation/callback.h"

#include <utility>

namespace QorTest {

template <class F, class... P>
class LambdaAction : public Qor::CallbackActionT<void, P...> {
public:
    explicit LambdaAction(F f) : f(std::move(f)) {}
    void Run(P... args) override { f(static_cast<P&&>(args)...); }

private:
    F f;
};

template <class... P, class F>
Qor::CallbackHolder<void, P...> Lambda(F f)
{
    return Qor::CallbackHolder<void, P...>(new LambdaAction<F, P...>(std::move(f)));
}

} // namespace QorTest
