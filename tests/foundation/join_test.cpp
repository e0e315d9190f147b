// Joining Strings with a separator.
#include "foundation/join.h"

#include <gtest/gtest.h>

using namespace Qor;

namespace {

TEST(JoinTest, SeparatorGoesOnlyBetweenParts)
{
    const String long_part(String("a part long enough for a shared block of its own"));
    struct Case {
        Vector<String> parts;
        String separator;
        String expected;
    } cases[] = {
        { {}, "/", "" },
        { { "home" }, "/", "home" },
        { { "home", "user", "q.ini" }, "/", "home/user/q.ini" },
        { { "", "usr", "" }, "/", "/usr/" },
        { { "a", "b" }, "", "ab" },
        { { "x", "y", "z" }, ", ", "x, y, z" },
        { { "info", "more" }, String("\x7f"), "info\x7fmore" },
        { { long_part, long_part }, "--", long_part + "--" + long_part },
    };
    for(const Case& t : cases) {
        String joined = JoinStrings(t.parts, t.separator);
        EXPECT_EQ(joined, t.expected) << t.expected.Begin();
        EXPECT_EQ(joined.GetLength(), t.expected.GetLength());
    }
    // The parts themselves are left as they were.
    EXPECT_EQ(long_part, "a part long enough for a shared block of its own");
}

} // namespace
