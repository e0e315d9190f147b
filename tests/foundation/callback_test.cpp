// Callbacks: sharing and releasing actions, chaining, the bool forms, bound
// values and actions on weakly held objects.
#include "foundation/callback_action.h"
#include <gtest/gtest.h>
#include <cstring>
#include <functional>
#include <new>
#include <string>
#include <vector>

using namespace Qor;

namespace {

// Counts its live copies; bound into an action, it shows when the action dies.
struct Tracker {
    static int live;
    int value;
    Tracker(int v = 0) : value(v) { live++; }
    Tracker(const Tracker& t) : value(t.value) { live++; }
    ~Tracker() { live--; }
};
int Tracker::live = 0;

std::vector<std::string> g_log;

void LogTracker(Tracker t) { g_log.push_back("t" + std::to_string(t.value)); }
void LogA() { g_log.push_back("A"); }
void LogB() { g_log.push_back("B"); }
void LogC() { g_log.push_back("C"); }
void LogInt(int x) { g_log.push_back("i" + std::to_string(x)); }
void LogPair(int x, const std::string& s) { g_log.push_back(std::to_string(x) + s); }
void LogWithBound(int x, int bound) { g_log.push_back(std::to_string(x) + "/" + std::to_string(bound)); }
bool IsPositive(int x) { return x > 0; }
bool TrackedIsPositive(Tracker t) { return t.value > 0; }
bool Cancel(int done, int total) { return done * 2 >= total; }

struct Target : Pte<Target> {
    std::vector<std::string> calls;
    void Hit() { calls.push_back("hit"); }
    void Note(const std::string& s) { calls.push_back(s); }
    void Sum(int a, int b) { calls.push_back(std::to_string(a + b)); }
    void Three(int a, const std::string& b, double c) { calls.push_back(std::to_string(a) + b + std::to_string(int(c))); }
    void Ask(bool* flag) { *flag = true; }
    bool Yes() { return true; }
    void Show() const { g_log.push_back("const"); }
};

int CountOf(const Callback& cb) { return cb.GetAction() ? cb.GetAction()->count : 0; }

Callback TrackedCallback(int value) { return MakeCallbackArg(&LogTracker, Tracker(value)); }

class CallbackTest : public ::testing::Test {
protected:
    void SetUp() override { g_log.clear(); Tracker::live = 0; }
    void TearDown() override { EXPECT_EQ(Tracker::live, 0) << "an action was leaked"; }
};

} // namespace

TEST_F(CallbackTest, HolderIsOnePointer)
{
    static_assert(sizeof(Callback) == sizeof(void*));
    static_assert(sizeof(Callback2<int, int>) == sizeof(void*));
    static_assert(sizeof(BoolCallback) == sizeof(void*));
}

TEST_F(CallbackTest, CopyAssignAndReleaseCountTheAction)
{
    {
        Callback a = TrackedCallback(1);
        EXPECT_EQ(Tracker::live, 1);
        EXPECT_EQ(CountOf(a), 1);
        Callback b(a);
        EXPECT_EQ(b.GetAction(), a.GetAction());
        EXPECT_EQ(CountOf(a), 2);

        Callback c = TrackedCallback(2);
        c = a; // drops the only reference to action 2
        EXPECT_EQ(Tracker::live, 1);
        EXPECT_EQ(CountOf(a), 3);

        Callback& alias = a;
        a = alias; // self-assignment: counted first, then released
        b.Assign(b);
        EXPECT_EQ(CountOf(a), 3);
        a.Run();
        EXPECT_EQ(g_log, std::vector<std::string>{"t1"});

        b.Clear();
        c.Clear();
        EXPECT_EQ(CountOf(a), 1);
        EXPECT_EQ(Tracker::live, 1);
    }
    EXPECT_EQ(Tracker::live, 0);

    Callback solo = TrackedCallback(3);
    solo.Assign(solo); // the only reference: dropping it first would delete the action
    EXPECT_EQ(Tracker::live, 1);
    EXPECT_EQ(CountOf(solo), 1);
}

TEST_F(CallbackTest, MoveTakesTheReferenceOver)
{
    Callback a = TrackedCallback(1);
    Callback b(std::move(a));
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(CountOf(b), 1);
    Callback c = TrackedCallback(2);
    c = std::move(b);
    EXPECT_EQ(Tracker::live, 1);
    Callback& same = c;
    c = std::move(same); // self-move keeps the action
    EXPECT_EQ(CountOf(c), 1);
    c.Run();
    EXPECT_EQ(g_log, std::vector<std::string>{"t1"});
}

TEST_F(CallbackTest, ByteCopiedHolderStaysValid)
{
    Callback src = TrackedCallback(7);
    alignas(Callback) unsigned char from[sizeof(Callback)];
    alignas(Callback) unsigned char to[sizeof(Callback)];
    new(from) Callback(src);
    std::memcpy(to, from, sizeof(Callback)); // relocation as containers do it
    Callback* moved = std::launder(reinterpret_cast<Callback*>(to));
    EXPECT_EQ(CountOf(src), 2);
    moved->Run();
    moved->~Callback();
    EXPECT_EQ(CountOf(src), 1);
    EXPECT_EQ(g_log, std::vector<std::string>{"t7"});
}

TEST_F(CallbackTest, RunPassesArguments)
{
    Target t;
    Callback empty;
    empty.Run(); // nothing to do, nothing to crash
    Callback1<int> empty1;
    empty1(5);

    MakeCallback(&LogA).Run();
    MakeCallback(&LogInt).Run(42);
    MakeCallback(&LogPair)(3, std::string("x"));
    MakeCallback(&t, &Target::Show).Run();
    Callback1<const std::string&> note = MakeCallback(&t, &Target::Note);
    note("n");
    Callback2<int, int> sum = MakeCallback(&t, &Target::Sum);
    sum(2, 5);

    EXPECT_EQ(g_log, (std::vector<std::string>{"A", "i42", "3x", "const"}));
    EXPECT_EQ(t.calls, (std::vector<std::string>{"n", "7"}));
}

TEST_F(CallbackTest, BoundValuesArePassed)
{
    struct Case {
        const char* name;
        std::function<Callback(Target*)> make;
        std::vector<std::string> expect_calls;
        std::vector<std::string> expect_log;
    };
    const Case cases[] = {
        {"member, one value", [](Target* t) { return MakeCallbackArg(t, &Target::Note, std::string("bound")); },
         {"bound"}, {}},
        {"member, three values", [](Target* t) { return MakeCallbackArg(t, &Target::Three, 4, std::string("-"), 9.7); },
         {"4-9"}, {}},
        {"function, one value", [](Target*) { return MakeCallbackArg(&LogInt, 11); }, {}, {"i11"}},
        {"watched member, one value", [](Target* t) { return MakePteCallbackArg(t, &Target::Note, std::string("w")); },
         {"w"}, {}},
        {"watched member, three values",
         [](Target* t) { return MakePteCallbackArg(t, &Target::Three, 1, std::string("+"), 2.0); }, {"1+2"}, {}},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_log.clear();
        Target t;
        Callback cb = c.make(&t);
        cb.Run();
        cb.Run();
        std::vector<std::string> twice_calls = c.expect_calls, twice_log = c.expect_log;
        twice_calls.insert(twice_calls.end(), c.expect_calls.begin(), c.expect_calls.end());
        twice_log.insert(twice_log.end(), c.expect_log.begin(), c.expect_log.end());
        EXPECT_EQ(t.calls, twice_calls);
        EXPECT_EQ(g_log, twice_log);
    }
}

TEST_F(CallbackTest, BoundValueIsACopyAndArgumentComesFirst)
{
    std::string text = "before";
    Target t;
    Callback cb = MakeCallbackArg(&t, &Target::Note, text);
    text = "after";
    cb.Run();
    EXPECT_EQ(t.calls, std::vector<std::string>{"before"});

    Callback1<int> one = MakeCallbackArg(&LogWithBound, 9);
    one(1);
    one(2);
    EXPECT_EQ(g_log, (std::vector<std::string>{"1/9", "2/9"}));

    bool flag = false;
    MakeCallbackArg(&t, &Target::Ask, &flag).Run(); // a bound pointer reaches the caller's value
    EXPECT_TRUE(flag);
}

TEST_F(CallbackTest, ChainRunsInOrder)
{
    Callback cb = MakeCallback(&LogA);
    cb.Chain(MakeCallback(&LogB));
    cb.Chain(MakeCallback(&LogC));
    cb.Run();
    EXPECT_EQ(g_log, (std::vector<std::string>{"A", "B", "C"}));

    // A, B, C is a fork whose first callback is the fork of A and B.
    auto* outer = dynamic_cast<CallbackForkAction*>(cb.GetAction());
    ASSERT_NE(outer, nullptr);
    EXPECT_NE(dynamic_cast<CallbackForkAction*>(outer->first.GetAction()), nullptr);
    EXPECT_NE(dynamic_cast<CallbackFnAction*>(outer->second.GetAction()), nullptr);
}

TEST_F(CallbackTest, ChainSharesAndReleasesBothHalves)
{
    {
        Callback first = TrackedCallback(1);
        Callback second = TrackedCallback(2);
        Callback cb = first;
        cb.Chain(second);
        EXPECT_EQ(CountOf(first), 2);  // the fork took over cb's reference
        EXPECT_EQ(CountOf(second), 2); // and added one to second's
        first.Clear();
        second.Clear();
        EXPECT_EQ(Tracker::live, 2);
        cb.Run();
        EXPECT_EQ(g_log, (std::vector<std::string>{"t1", "t2"}));
    }
    EXPECT_EQ(Tracker::live, 0);
}

TEST_F(CallbackTest, ChainOntoEmptySharesWithoutFork)
{
    Callback other = MakeCallback(&LogB);
    Callback cb;
    cb.Chain(other);
    EXPECT_EQ(cb.GetAction(), other.GetAction());
    EXPECT_EQ(CountOf(other), 2);
}

TEST_F(CallbackTest, ChainPassesSameArgumentsToBoth)
{
    Callback1<int> cb = MakeCallback(&LogInt);
    cb.Chain(MakeCallbackArg(&LogWithBound, 0));
    cb(6);
    EXPECT_EQ(g_log, (std::vector<std::string>{"i6", "6/0"}));
}

TEST_F(CallbackTest, ChainOntoDeadWatchedActionReplacesIt)
{
    Callback other = MakeCallback(&LogB);
    Callback cb;
    {
        Target t;
        cb = MakePteCallback(&t, &Target::Hit);
        Callback live = cb;
        live.Chain(other); // a living target is forked onto
        EXPECT_NE(dynamic_cast<CallbackForkAction*>(live.GetAction()), nullptr);
        EXPECT_EQ(WeakPointerLinkCount(), 1);
    }
    EXPECT_FALSE(cb.GetAction()->CanRun());
    cb.Chain(other);
    EXPECT_EQ(cb.GetAction(), other.GetAction());
    EXPECT_EQ(WeakPointerLinkCount(), 0); // the replaced action released its weak pointer
    cb.Run();
    EXPECT_EQ(g_log, std::vector<std::string>{"B"});
}

TEST_F(CallbackTest, WatchedActionsSkipDeadObjects)
{
    bool flag = false;
    Callback hit, note, three, ask;
    BoolCallback yes;
    {
        Target t;
        hit = MakePteCallback(&t, &Target::Hit);
        note = MakePteCallbackArg(&t, &Target::Note, std::string("n"));
        three = MakePteCallbackArg(&t, &Target::Three, 1, std::string("x"), 2.0);
        ask = MakePteCallbackArg(&t, &Target::Ask, &flag);
        yes = MakePteCallback(&t, &Target::Yes);
        EXPECT_TRUE(hit.GetAction()->CanRun());
        hit.Run();
        note.Run();
        EXPECT_TRUE(yes.Run());
        EXPECT_EQ(t.calls, (std::vector<std::string>{"hit", "n"}));
        EXPECT_EQ(WeakPointerLinkCount(), 1); // five watchers, one link
    }
    hit.Run();
    note.Run();
    three.Run();
    ask.Run();
    EXPECT_FALSE(flag);
    EXPECT_FALSE(yes.Run());
    EXPECT_FALSE(hit.GetAction()->CanRun());
    // Only the plain watched action reports its dead object.
    EXPECT_TRUE(note.GetAction()->CanRun());
    EXPECT_TRUE(three.GetAction()->CanRun());
    hit.Clear(), note.Clear(), three.Clear(), ask.Clear(), yes.Clear();
    EXPECT_EQ(WeakPointerLinkCount(), 0);
}

TEST_F(CallbackTest, BoolCallbackConstantTrueAndEmpty)
{
    BoolCallback empty;
    EXPECT_FALSE(empty.Run());
    EXPECT_EQ(empty.GetAction(), nullptr);

    BoolCallback yes = BoolCallback::True();
    EXPECT_TRUE(yes.IsTrue());
    EXPECT_TRUE(yes.Run());
    EXPECT_EQ(yes.GetAction(), nullptr); // no action behind it
    BoolCallback copy = yes;             // neither counted nor released
    copy.Assign(copy);
    copy = empty;
    copy = yes;
    EXPECT_TRUE(copy.Run());
    yes.Clear();
    EXPECT_FALSE(yes.Run());

    BoolCallback2<int, int> progress = BoolCallback2<int, int>::True();
    EXPECT_TRUE(progress(0, 10));
    progress = MakeCallback(&Cancel);
    EXPECT_FALSE(progress(4, 10));
    EXPECT_TRUE(progress(5, 10));

    BoolCallback1<int> positive = MakeCallback(&IsPositive);
    EXPECT_TRUE(positive(3));
    EXPECT_FALSE(positive(-3));
    BoolCallback1<int> shared = positive;
    EXPECT_EQ(shared.GetAction()->count, 2);
}

TEST_F(CallbackTest, BoolCallbackCountsRealActions)
{
    BoolCallback a = MakeCallbackArg(&TrackedIsPositive, Tracker(1));
    BoolCallback b = a;
    EXPECT_EQ(a.GetAction()->count, 2);
    b = BoolCallback::True(); // releases one reference, takes none
    EXPECT_EQ(a.GetAction()->count, 1);
    EXPECT_EQ(Tracker::live, 1);
    a = b; // the last reference goes
    EXPECT_EQ(Tracker::live, 0);
    EXPECT_TRUE(a.Run());
}
