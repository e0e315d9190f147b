// Callbacks: one-pointer handles sharing a reference-counted action object.
// Callback, Callback1<P1>, Callback2<P1, P2> run actions returning nothing;
// BoolCallback, BoolCallback1<P1>, BoolCallback2<P1, P2> return bool and also
// take the value 1, the constant true with no action behind it.
// The concrete actions (functions, members, bound values, weak targets) and
// the Make... helpers live in callback_action.h.
#pragma once

#include "foundation/types.h"
#include <type_traits>
#include <utility>

namespace Qor {

// Virtual slots in this order: Run, CanRun, destructor, deleting destructor;
// then the count, then the payload of the subclass.
template <class R, class... P>
class CallbackActionT {
public:
    int32 count;

    CallbackActionT() : count(1) {}
    CallbackActionT(const CallbackActionT&) = delete;
    CallbackActionT& operator=(const CallbackActionT&) = delete;

    virtual R Run(P... args) = 0;
    // False when running would do nothing (a weak target that died).
    virtual bool CanRun() { return true; }
    virtual ~CallbackActionT() {}
};

using CallbackAction = CallbackActionT<void>;
template <class P1> using Callback1Action = CallbackActionT<void, P1>;
template <class P1, class P2> using Callback2Action = CallbackActionT<void, P1, P2>;
using BoolCallbackAction = CallbackActionT<bool>;
template <class P1> using BoolCallback1Action = CallbackActionT<bool, P1>;
template <class P1, class P2> using BoolCallback2Action = CallbackActionT<bool, P1, P2>;

template <class... P> class CallbackForkActionT;

// One pointer and no self-reference, so containers may move it by a byte copy.
template <class R, class... P>
class CallbackHolder {
    static_assert(std::is_void_v<R> || std::is_same_v<R, bool>, "callbacks return void or bool");
    static constexpr bool Gate = std::is_same_v<R, bool>;

public:
    using Action = CallbackActionT<R, P...>;

    CallbackHolder() : action(nullptr) {}
    // Takes over the reference of a freshly made action (count 1).
    explicit CallbackHolder(Action* fresh) : action(fresh) {}
    CallbackHolder(const CallbackHolder& other) : action(other.action) { Retain(action); }
    CallbackHolder(CallbackHolder&& other) noexcept : action(other.action) { other.action = nullptr; }
    ~CallbackHolder() { Drop(action); }

    CallbackHolder& operator=(const CallbackHolder& other) { Assign(other); return *this; }
    CallbackHolder& operator=(CallbackHolder&& other) noexcept
    {
        if(this != &other) {
            Drop(action);
            action = other.action;
            other.action = nullptr;
        }
        return *this;
    }

    // The new action is counted before the old one is dropped: self-assignment
    // keeps the action alive.
    void Assign(const CallbackHolder& other)
    {
        Action* a = other.action;
        Retain(a);
        Drop(action);
        action = a;
    }

    R Run(P... args) const
    {
        if constexpr(Gate) {
            if(IsTrue())
                return true;
            return action ? action->Run(static_cast<P&&>(args)...) : false;
        }
        else if(action)
            action->Run(static_cast<P&&>(args)...);
    }
    R operator()(P... args) const { return Run(static_cast<P&&>(args)...); }

    // Runs other after the existing action. An existing action that cannot run
    // any more is simply replaced.
    void Chain(const CallbackHolder& other) requires(!Gate)
    {
        if(action && action->CanRun())
            action = new CallbackForkActionT<P...>(action, other);
        else
            Assign(other);
    }

    // The constant true of the bool forms: no action, never counted.
    static CallbackHolder True() requires Gate { return CallbackHolder(ConstTrue()); }
    bool IsTrue() const { return Gate && action == ConstTrue(); }

    void Clear() { Drop(action); action = nullptr; }
    bool IsEmpty() const { return action == nullptr; }
    explicit operator bool() const { return action != nullptr; }
    bool operator==(const CallbackHolder& other) const { return action == other.action; }

    // The action behind the holder; null when empty or the constant true.
    Action* GetAction() const { return Counted(action) ? action : nullptr; }

private:
    Action* action;

    static Action* ConstTrue() { return reinterpret_cast<Action*>(std::uintptr_t(1)); }
    static bool Counted(Action* a) { return Gate ? std::uintptr_t(a) > 1 : a != nullptr; }
    static void Retain(Action* a)
    {
        if(Counted(a))
            a->count++;
    }
    static void Drop(Action* a)
    {
        if(Counted(a) && --a->count == 0)
            delete a;
    }
};

using Callback = CallbackHolder<void>;
template <class P1> using Callback1 = CallbackHolder<void, P1>;
template <class P1, class P2> using Callback2 = CallbackHolder<void, P1, P2>;
using BoolCallback = CallbackHolder<bool>;
template <class P1> using BoolCallback1 = CallbackHolder<bool, P1>;
template <class P1, class P2> using BoolCallback2 = CallbackHolder<bool, P1, P2>;

// Runs first, then second, with the same arguments. Released second first.
template <class... P>
class CallbackForkActionT : public CallbackActionT<void, P...> {
public:
    using Holder = CallbackHolder<void, P...>;

    // Takes over the caller's reference to first; adds one to second's.
    CallbackForkActionT(CallbackActionT<void, P...>* first, const Holder& second)
        : first(first), second(second) {}

    void Run(P... args) override
    {
        first.Run(args...);
        second.Run(args...);
    }

    Holder first;
    Holder second;
};

using CallbackForkAction = CallbackForkActionT<>;
template <class P1> using Callback1ForkAction = CallbackForkActionT<P1>;
template <class P1, class P2> using Callback2ForkAction = CallbackForkActionT<P1, P2>;

} // namespace Qor
