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

template <class F, class... P>
class BoolLambdaAction : public Qor::CallbackActionT<bool, P...> {
public:
    explicit BoolLambdaAction(F f) : f(std::move(f)) {}
    bool Run(P... args) override { return f(static_cast<P&&>(args)...); }

private:
    F f;
};

// The same for the callbacks that answer yes or no.
template <class... P, class F>
Qor::CallbackHolder<bool, P...> BoolLambda(F f)
{
    return Qor::CallbackHolder<bool, P...>(new BoolLambdaAction<F, P...>(std::move(f)));
}

} // namespace QorTest
