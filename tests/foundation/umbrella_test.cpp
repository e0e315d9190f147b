// The umbrella header reaches the whole interface: this file includes nothing else of the
// library. That it names every public header is checked for every library in tests/umbrella.
#include "foundation/foundation.h"

#include <gtest/gtest.h>

namespace {

// A few names from far apart in the interface, reached through the one header.
TEST(UmbrellaHeader, ReachesValuesAndText)
{
    Qor::Value point = Qor::Point(3, 4);
    EXPECT_EQ(Qor::LookupValueTypeName(point.GetTypeNumber()), "Point");
    EXPECT_EQ(Qor::Format("%d-%s", 7, "x"), "7-x");
}

} // namespace
