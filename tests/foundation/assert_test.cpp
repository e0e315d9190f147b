// Precondition checks: the report, the containers' checks where a caller breaks
// them, and the single-thread guard of process-wide services.
#include "foundation/any.h"
#include "foundation/assert.h"
#include "foundation/charset.h"
#include "foundation/heap.h"
#include "foundation/key_index.h"
#include "foundation/key_map.h"
#include "foundation/owned_array.h"
#include "foundation/owned_ptr.h"
#include "foundation/string.h"
#include "foundation/type_number.h"
#include "foundation/values/value_registry.h"
#include "foundation/vector.h"
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>

using namespace Qor;

TEST(AssertDeathTest, ReportsConditionFileAndLine)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(AssertFailed("core/list.cpp", 42, "i < count"), "Assertion failed: i < count \\(core/list.cpp:42\\)");
}

TEST(AssertDeathTest, SecondThreadOfAServiceStops)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto second_thread = [] {
        ThreadOwner owner;
        owner.Check("The registry");
        owner.Check("The registry");   // the first thread again is fine
        std::thread other([&] { owner.Check("The registry"); });
        other.join();
    };
    EXPECT_DEATH(second_thread(), "The registry used from a second thread");
}

#ifdef QOR_CHECKS

TEST(AssertDeathTest, ContainerMisuseIsCaught)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    struct Case {
        const char* what;
        std::function<void()> misuse;
        const char* where = "vector\\.h";
    } cases[] = {
        {"index -1", [] { Vector<int> v{1, 2}; v[-1] = 0; }},
        {"index at count", [] { const Vector<int> v{1, 2}; (void)v[2]; }},
        {"top of empty", [] { Vector<int> v; (void)v.Top(); }},
        {"pop of empty", [] { Vector<String> v; (void)v.Pop(); }},
        {"drop past the start", [] { Vector<int> v{1}; v.Drop(2); }},
        {"insert past the end", [] { Vector<int> v{1}; v.Insert(2, 5); }},
        {"insert of a negative count", [] { Vector<int> v{1}; v.InsertN(0, -1); }},
        {"remove past the end", [] { Vector<int> v{1, 2, 3}; v.Remove(2, 2); }},
        {"remove of a negative index", [] { Vector<int> v{1, 2, 3}; v.Remove(-1); }},
        {"remove of an unsorted list", [] { Vector<int> v{1, 2, 3}; int list[] = {2, 1}; v.Remove(list, 2); }},
        {"negative count", [] { Vector<int> v; v.SetCount(-1); }},
        {"trim to a negative count", [] { Vector<int> v{1}; v.Trim(-1); }},
        {"index of a moved-from vector", [] { Vector<int> v{1}; Vector<int> w(std::move(v)); (void)v[0]; }},
        {"owned array index", [] { OwnedArray<String> a; a.Add("x"); (void)a[1]; }},
        {"owned array detach", [] { OwnedArray<String> a; delete a.Detach(0); }},
        {"key index position", [] { KeyIndex<int> k{1, 2}; (void)k[5]; }},
        {"key map position", [] { KeyMap<int, int> m; m.Add(1, 2); (void)m[1]; }},
        {"empty owned pointer", [] { OwnedPtr<String> p; (void)p->GetLength(); }, "owned_ptr\\.h"},
        {"moved-from owned pointer", [] { OwnedPtr<int> p; p.Create(); OwnedPtr<int> q(std::move(p)); (void)*p; },
         "owned_ptr\\.h"},
        {"holder of another type", [] { Any a; a.Create<int>(1); (void)a.Get<String>(); }, "any\\.h"},
        {"empty holder", [] { const Any a; (void)a.Get<int>(); }, "any\\.h"},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_DEATH(c.misuse(), std::string("Assertion failed: .*") + c.where + ":");
    }
}

TEST(AssertDeathTest, HeapFromASecondThreadStops)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto stray = [] {
        HeapRelease(HeapAllocate(24));
        std::thread other([] { HeapRelease(HeapAllocate(24)); });
        other.join();
    };
    EXPECT_DEATH(stray(), "The heap used from a second thread");
}

TEST(AssertDeathTest, CharsetRegistryFromASecondThreadStops)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto stray = [] {
        // A name lookup without any text to build: the heap's own guard stays out of it.
        (void)NameOfCharset(1);
        std::thread other([] { (void)NameOfCharset(1); });
        other.join();
    };
    EXPECT_DEATH(stray(), "The charset registry used from a second thread");
}

// Each lookup keeps to inline texts, so the heap's own guard stays out of it.
TEST(AssertDeathTest, RegistriesFromASecondThreadStop)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    struct Case {
        const char* service;
        void (*use)();
    } cases[] = {
        { "The value type registry", [] { (void)LookupValueTypeNumber("Color"); } },
        { "The type-number registry", [] { (void)TypeNumber("assert-test"); } },
    };
    for(const Case& c : cases) {
        auto stray = [&] {
            c.use();
            std::thread other(c.use);
            other.join();
        };
        EXPECT_DEATH(stray(), std::string(c.service) + " used from a second thread") << c.service;
    }
}

#else

TEST(Assert, CompiledOutWithoutChecks)
{
    int evaluated = 0;
    QOR_ASSERT(++evaluated < 0);
    EXPECT_EQ(evaluated, 0);
}

#endif
