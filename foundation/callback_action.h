// The concrete callback actions and the helpers that build callbacks from a
// function, an object and member, bound values, or a weakly held object.
#pragma once

#include "foundation/callback.h"
#include "foundation/pte.h"

namespace Qor {

namespace CallbackDetail {

template <int i, class... T>
struct TypeAt;
template <int i, class T, class... Rest>
struct TypeAt<i, T, Rest...> { using Type = typename TypeAt<i - 1, Rest...>::Type; };
template <class T, class... Rest>
struct TypeAt<0, T, Rest...> { using Type = T; };

// What a member function pointer takes and gives; arity -1 for anything else.
template <class M>
struct Method { static constexpr int arity = -1; };
template <class R, class... P>
struct MethodOf {
    static constexpr int arity = sizeof...(P);
    using Result = R;
    using Action = CallbackActionT<R, P...>;
    using Holder = CallbackHolder<R, P...>;
    template <int i> using Param = std::decay_t<typename TypeAt<i, P...>::Type>;
};
template <class R, class C, class... P>
struct Method<R (C::*)(P...)> : MethodOf<R, P...> {};
template <class R, class C, class... P>
struct Method<R (C::*)(P...) const> : MethodOf<R, P...> {};
template <class R, class C, class... P>
struct Method<R (C::*)(P...) noexcept> : MethodOf<R, P...> {};
template <class R, class C, class... P>
struct Method<R (C::*)(P...) const noexcept> : MethodOf<R, P...> {};

template <class F> struct Function;
template <class R, class... P>
struct Function<R (*)(P...)> { using Result = R; };

template <class R>
R Nothing()
{
    if constexpr(!std::is_void_v<R>)
        return R();
}

template <class O, class M, class Base> class MethodAction;
template <class O, class M, class R, class... P>
class MethodAction<O, M, CallbackActionT<R, P...>> : public CallbackActionT<R, P...> {
public:
    MethodAction(O* object, M method) : object(object), method(method) {}
    R Run(P... args) override { return (object->*method)(static_cast<P&&>(args)...); }

    O* object;
    M method;
};

template <class O, class M, class Base> class MethodActionPte;
template <class O, class M, class R, class... P>
class MethodActionPte<O, M, CallbackActionT<R, P...>> : public CallbackActionT<R, P...> {
public:
    MethodActionPte(O* object, M method) : object(object), method(method) {}
    R Run(P... args) override
    {
        if(O* o = object.Get())
            return (o->*method)(static_cast<P&&>(args)...);
        return Nothing<R>();
    }
    bool CanRun() override { return object.Get() != nullptr; }

    WeakPointer<O> object;
    M method;
};

} // namespace CallbackDetail

// A plain function taking the callback's arguments.
template <class R, class... P>
class CallbackFnActionT : public CallbackActionT<R, P...> {
public:
    using Fn = R (*)(P...);
    explicit CallbackFnActionT(Fn fn) : fn(fn) {}
    R Run(P... args) override { return fn(static_cast<P&&>(args)...); }

    Fn fn;
};

using CallbackFnAction = CallbackFnActionT<void>;
template <class P1> using Callback1FnAction = CallbackFnActionT<void, P1>;
template <class P1, class P2> using Callback2FnAction = CallbackFnActionT<void, P1, P2>;

// An object and a member taking the callback's arguments.
template <class O, class M>
class CallbackMethodAction
    : public CallbackDetail::MethodAction<O, M, typename CallbackDetail::Method<M>::Action> {
    using Base = CallbackDetail::MethodAction<O, M, typename CallbackDetail::Method<M>::Action>;
public:
    using Base::Base;
};

template <class O, class M> using Callback1MethodAction = CallbackMethodAction<O, M>;
template <class O, class M> using Callback2MethodAction = CallbackMethodAction<O, M>;

// As CallbackMethodAction, but the object is watched: once it is destroyed
// the action does nothing and cannot run.
template <class O, class M>
class CallbackMethodActionPte
    : public CallbackDetail::MethodActionPte<O, M, typename CallbackDetail::Method<M>::Action> {
    using Base = CallbackDetail::MethodActionPte<O, M, typename CallbackDetail::Method<M>::Action>;
public:
    using Base::Base;
};

// A member called with one bound value.
template <class O, class M, class A>
class CallbackMethodActionArg : public CallbackActionT<typename CallbackDetail::Method<M>::Result> {
public:
    using R = typename CallbackDetail::Method<M>::Result;
    CallbackMethodActionArg(O* object, M method, const A& a) : object(object), method(method), a(a) {}
    R Run() override { return (object->*method)(a); }

    O* object;
    M method;
    A a;
};

// A member called with three bound values.
template <class O, class M, class A, class B, class C>
class CallbackMethodActionArg3 : public CallbackActionT<typename CallbackDetail::Method<M>::Result> {
public:
    using R = typename CallbackDetail::Method<M>::Result;
    CallbackMethodActionArg3(O* object, M method, const A& a, const B& b, const C& c)
        : object(object), method(method), a(a), b(b), c(c) {}
    R Run() override { return (object->*method)(a, b, c); }

    O* object;
    M method;
    A a;
    B b;
    C c;
};

// Bound-value members on a watched object. CanRun stays true even after the
// object died: only the plain Pte action reports it.
template <class O, class M, class A>
class CallbackMethodActionArgPte : public CallbackActionT<typename CallbackDetail::Method<M>::Result> {
public:
    using R = typename CallbackDetail::Method<M>::Result;
    CallbackMethodActionArgPte(O* object, M method, const A& a) : object(object), method(method), a(a) {}
    R Run() override
    {
        if(O* o = object.Get())
            return (o->*method)(a);
        return CallbackDetail::Nothing<R>();
    }

    WeakPointer<O> object;
    M method;
    A a;
};

template <class O, class M, class A, class B, class C>
class CallbackMethodActionArg3Pte : public CallbackActionT<typename CallbackDetail::Method<M>::Result> {
public:
    using R = typename CallbackDetail::Method<M>::Result;
    CallbackMethodActionArg3Pte(O* object, M method, const A& a, const B& b, const C& c)
        : object(object), method(method), a(a), b(b), c(c) {}
    R Run() override
    {
        if(O* o = object.Get())
            return (o->*method)(a, b, c);
        return CallbackDetail::Nothing<R>();
    }

    WeakPointer<O> object;
    M method;
    A a;
    B b;
    C c;
};

// A function called with one bound value.
template <class F, class A>
class CallbackActionCallArg : public CallbackActionT<typename CallbackDetail::Function<F>::Result> {
public:
    using R = typename CallbackDetail::Function<F>::Result;
    CallbackActionCallArg(F fn, const A& a) : fn(fn), a(a) {}
    R Run() override { return fn(a); }

    F fn;
    A a;
};

// A function called with the callback's argument, then one bound value.
template <class F, class P1, class A>
class Callback1ActionCallArg : public CallbackActionT<typename CallbackDetail::Function<F>::Result, P1> {
public:
    using R = typename CallbackDetail::Function<F>::Result;
    Callback1ActionCallArg(F fn, const A& a) : fn(fn), a(a) {}
    R Run(P1 p1) override { return fn(static_cast<P1&&>(p1), a); }

    F fn;
    A a;
};

// Builders. The holder type follows from the function or member: its result
// (void or bool) and the parameters not bound here.

template <class R, class... P>
CallbackHolder<R, P...> MakeCallback(R (*fn)(P...))
{
    return CallbackHolder<R, P...>(new CallbackFnActionT<R, P...>(fn));
}

template <class O, class M> requires(CallbackDetail::Method<M>::arity >= 0)
typename CallbackDetail::Method<M>::Holder MakeCallback(O* object, M method)
{
    using H = typename CallbackDetail::Method<M>::Holder;
    return H(new CallbackMethodAction<O, M>(object, method));
}

template <class O, class M> requires(CallbackDetail::Method<M>::arity >= 0)
typename CallbackDetail::Method<M>::Holder MakePteCallback(O* object, M method)
{
    using H = typename CallbackDetail::Method<M>::Holder;
    return H(new CallbackMethodActionPte<O, M>(object, method));
}

template <class R, class Q>
CallbackHolder<R> MakeCallbackArg(R (*fn)(Q), const std::type_identity_t<std::decay_t<Q>>& a)
{
    return CallbackHolder<R>(new CallbackActionCallArg<R (*)(Q), std::decay_t<Q>>(fn, a));
}

template <class R, class P1, class Q>
CallbackHolder<R, P1> MakeCallbackArg(R (*fn)(P1, Q), const std::type_identity_t<std::decay_t<Q>>& a)
{
    return CallbackHolder<R, P1>(new Callback1ActionCallArg<R (*)(P1, Q), P1, std::decay_t<Q>>(fn, a));
}

template <class O, class M, class T = CallbackDetail::Method<M>>
    requires(T::arity == 1)
CallbackHolder<typename T::Result> MakeCallbackArg(O* object, M method,
                                                   const typename T::template Param<0>& a)
{
    using A = typename T::template Param<0>;
    return CallbackHolder<typename T::Result>(new CallbackMethodActionArg<O, M, A>(object, method, a));
}

template <class O, class M, class T = CallbackDetail::Method<M>>
    requires(T::arity == 3)
CallbackHolder<typename T::Result> MakeCallbackArg(O* object, M method,
                                                   const typename T::template Param<0>& a,
                                                   const typename T::template Param<1>& b,
                                                   const typename T::template Param<2>& c)
{
    using A = typename T::template Param<0>;
    using B = typename T::template Param<1>;
    using C = typename T::template Param<2>;
    return CallbackHolder<typename T::Result>(
        new CallbackMethodActionArg3<O, M, A, B, C>(object, method, a, b, c));
}

template <class O, class M, class T = CallbackDetail::Method<M>>
    requires(T::arity == 1)
CallbackHolder<typename T::Result> MakePteCallbackArg(O* object, M method,
                                                      const typename T::template Param<0>& a)
{
    using A = typename T::template Param<0>;
    return CallbackHolder<typename T::Result>(new CallbackMethodActionArgPte<O, M, A>(object, method, a));
}

template <class O, class M, class T = CallbackDetail::Method<M>>
    requires(T::arity == 3)
CallbackHolder<typename T::Result> MakePteCallbackArg(O* object, M method,
                                                      const typename T::template Param<0>& a,
                                                      const typename T::template Param<1>& b,
                                                      const typename T::template Param<2>& c)
{
    using A = typename T::template Param<0>;
    using B = typename T::template Param<1>;
    using C = typename T::template Param<2>;
    return CallbackHolder<typename T::Result>(
        new CallbackMethodActionArg3Pte<O, M, A, B, C>(object, method, a, b, c));
}

} // namespace Qor
