// The umbrella header: it compiles on its own (this file includes nothing else of the
// library) and names every public header, so a user needs no other include.
#include "foundation/foundation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

// Headers that only the library's own files include.
bool IsInternal(const std::string& name)
{
    return name == "foundation/foundation.h" || name.ends_with("_internal.h");
}

TEST(UmbrellaHeader, IncludesEveryPublicHeader)
{
    const char* source = std::getenv("QOR_TEST_SOURCE");
    if(!source)
        GTEST_SKIP() << "QOR_TEST_SOURCE names the source tree";
    fs::path root(source);
    std::ifstream in(root / "foundation/foundation.h");
    ASSERT_TRUE(in.good());
    std::stringstream text;
    text << in.rdbuf();
    std::set<std::string> included;
    std::istringstream lines(text.str());
    for(std::string line; std::getline(lines, line);)
        if(line.rfind("#include \"", 0) == 0)
            included.insert(line.substr(10, line.find('"', 10) - 10));

    int headers = 0;
    for(const fs::directory_entry& e : fs::recursive_directory_iterator(root / "foundation")) {
        if(e.path().extension() != ".h")
            continue;
        std::string name = fs::relative(e.path(), root).generic_string();
        if(IsInternal(name))
            continue;
        headers++;
        EXPECT_EQ(included.count(name), 1u) << name << " is missing from foundation/foundation.h";
    }
    EXPECT_GT(headers, 80);
}

// A few names from far apart in the interface, reached through the one header.
TEST(UmbrellaHeader, ReachesValuesAndText)
{
    Qor::Value point = Qor::Point(3, 4);
    EXPECT_EQ(Qor::LookupValueTypeName(point.GetTypeNumber()), "Point");
    EXPECT_EQ(Qor::Format("%d-%s", 7, "x"), "7-x");
}

} // namespace
