// The stored form of a header layout: its bytes, the older versions it still reads and the
// data it refuses.

#include "lists/header/header_store.h"

#include "foundation/stream.h"
#include "foundation/string_stream.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

using namespace Qor;

namespace {

std::string Bytes(std::initializer_list<int> b)
{
    std::string s;
    for(int c : b)
        s += char(c);
    return s;
}

std::string DoubleBytes(double d)
{
    char b[8];
    std::memcpy(b, &d, 8);
    return std::string(b, 8);
}

String ToString(const std::string& s) { return String(s.data(), (int)s.size()); }

HeaderStoredLayout Layout(std::initializer_list<HeaderStoredTab> tabs)
{
    HeaderStoredLayout l;
    for(const HeaderStoredTab& t : tabs)
        l.tabs.Add(t);
    return l;
}

TEST(HeaderStore, StoresVersionThreeWithIndexRatioAndVisibility)
{
    StringStream out;
    StoreHeaderLayout(out, Layout({ { 1, 2.5, true }, { 0, 1.0, false } }));
    std::string expected = Bytes({ 4, 3 }) + Bytes({ 1, 0, 0, 0 }) + DoubleBytes(2.5) + Bytes({ 1 }) +
                           Bytes({ 0, 0, 0, 0 }) + DoubleBytes(1.0) + Bytes({ 0 });
    EXPECT_EQ(Std(out.GetText()), expected);

    StringStream in(out.GetText());
    HeaderStoredLayout back;
    ASSERT_TRUE(LoadHeaderLayout(in, 2, back));
    EXPECT_FALSE(in.IsError());
    ASSERT_EQ(back.tabs.GetCount(), 2);
    EXPECT_EQ(back.version, 3);
    EXPECT_EQ(back.tabs[0].index, 1);
    EXPECT_EQ(back.tabs[0].ratio, 2.5);
    EXPECT_TRUE(back.tabs[0].visible);
    EXPECT_EQ(back.tabs[1].index, 0);
    EXPECT_FALSE(back.tabs[1].visible);
}

TEST(HeaderStore, ReadsTheOlderVersions)
{
    // Version 0: packed whole ratios by position.
    StringStream v0(ToString(Bytes({ 1, 3, 11, 21 })));
    HeaderStoredLayout l0;
    ASSERT_TRUE(LoadHeaderLayout(v0, 2, l0));
    EXPECT_FALSE(l0.HasOrder());
    ASSERT_EQ(l0.tabs.GetCount(), 2);
    EXPECT_EQ(l0.tabs[0].ratio, 10);
    EXPECT_EQ(l0.tabs[1].ratio, 20);
    EXPECT_EQ(l0.tabs[1].index, 1);

    // Version 1: doubles by position.
    StringStream v1(ToString(Bytes({ 2, 2 }) + DoubleBytes(0.75)));
    HeaderStoredLayout l1;
    ASSERT_TRUE(LoadHeaderLayout(v1, 1, l1));
    EXPECT_EQ(l1.tabs[0].ratio, 0.75);

    // Version 2: order without visibility, which stays as it is.
    StringStream v2(ToString(Bytes({ 3, 2 }) + Bytes({ 5, 0, 0, 0 }) + DoubleBytes(3)));
    HeaderStoredLayout l2;
    ASSERT_TRUE(LoadHeaderLayout(v2, 1, l2));
    EXPECT_TRUE(l2.HasOrder());
    EXPECT_FALSE(l2.HasVisibility());
    EXPECT_EQ(l2.tabs[0].index, 5);
    EXPECT_EQ(l2.tabs[0].ratio, 3);
}

TEST(HeaderStore, RefusesDataThatCannotApply)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    auto entry = [](int index, double ratio) { return Bytes({ index, 0, 0, 0 }) + DoubleBytes(ratio) + Bytes({ 1 }); };
    struct Case {
        const char* name;
        std::string data;
    } cases[] = {
        { "NaN ratio", Bytes({ 4, 3 }) + entry(0, 1) + entry(1, nan) },
        { "negative ratio", Bytes({ 4, 3 }) + entry(0, -2) + entry(1, 1) },
        { "infinite ratio", Bytes({ 4, 3 }) + entry(0, inf) + entry(1, 1) },
        { "fewer tabs", Bytes({ 4, 2 }) + entry(0, 1) },
        { "more tabs", Bytes({ 4, 4 }) + entry(0, 1) + entry(1, 1) + entry(2, 1) },
        { "unknown version", Bytes({ 5, 3 }) + entry(0, 1) + entry(1, 1) },
        { "truncated entry", Bytes({ 4, 3 }) + entry(0, 1) + Bytes({ 1, 0 }) },
        { "empty", "" },
        { "version 1 NaN", Bytes({ 2, 3 }) + DoubleBytes(1) + DoubleBytes(nan) },
        { "version 0 below zero", Bytes({ 1, 3, 0, 3 }) },
    };
    for(const Case& c : cases) {
        StringStream in(ToString(c.data));
        HeaderStoredLayout l;
        EXPECT_FALSE(LoadHeaderLayout(in, 2, l)) << c.name;
        EXPECT_TRUE(in.IsError()) << c.name;
        EXPECT_EQ(in.GetErrorCode(), Stream::LOAD_ERROR_CODE) << c.name;
        EXPECT_TRUE(l.tabs.IsEmpty()) << c.name;
    }
}

TEST(HeaderStore, ThrowingStreamThrowsLoadingError)
{
    StringStream in(ToString(Bytes({ 4, 2 }) + Bytes({ 0, 0, 0, 0 }) + DoubleBytes(-1) + Bytes({ 1 })));
    in.SetLoadThrowing();
    HeaderStoredLayout l;
    EXPECT_THROW(LoadHeaderLayout(in, 1, l), LoadingError);
}

} // namespace
