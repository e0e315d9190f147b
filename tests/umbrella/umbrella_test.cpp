// A library's umbrella header: it compiles on its own (this file includes nothing else of
// the library) and names every public header of the library's folder, so a user needs no
// other include. Built once per library; tests/CMakeLists.txt names the folder. The umbrella
// is compiled alone in umbrella_alone.cpp, so the macros of a system header it brings (Xlib's)
// never meet the test framework's names.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;

const fs::path root = QOR_SOURCE_FOLDER;
const std::string folder = QOR_UMBRELLA_FOLDER;
const std::string umbrella = QOR_UMBRELLA_HEADER;

bool IsInternal(const std::string& name) { return name.ends_with("_internal.h"); }

// A subfolder built by a CMakeLists.txt of its own (ctrl/x11 inside ctrl) is a library of
// its own, with its own umbrella.
bool IsLibrary(const fs::path& dir) { return fs::exists(dir / "CMakeLists.txt"); }

std::set<std::string> IncludesOf(const fs::path& header)
{
    std::set<std::string> included;
    std::ifstream in(header);
    for(std::string line; std::getline(in, line);)
        if(line.rfind("#include \"", 0) == 0)
            included.insert(line.substr(10, line.find('"', 10) - 10));
    return included;
}

// The library's public headers, as include names relative to the source root.
std::set<std::string> PublicHeaders()
{
    std::set<std::string> headers;
    for(auto it = fs::recursive_directory_iterator(root / folder); it != fs::recursive_directory_iterator(); ++it) {
        if(it->is_directory() && IsLibrary(it->path())) {
            it.disable_recursion_pending();
            continue;
        }
        std::string name = fs::relative(it->path(), root).generic_string();
        if(it->path().extension() == ".h" && name != umbrella && !IsInternal(name))
            headers.insert(name);
    }
    return headers;
}

TEST(UmbrellaHeader, IncludesEveryPublicHeader)
{
    ASSERT_TRUE(fs::exists(root / umbrella)) << umbrella << " not found under " << root;
    std::set<std::string> included = IncludesOf(root / umbrella);
    std::set<std::string> headers = PublicHeaders();
    EXPECT_FALSE(headers.empty()) << folder << " has no public header besides its umbrella";
    for(const std::string& name : headers)
        EXPECT_EQ(included.count(name), 1u) << name << " is missing from " << umbrella;
}

// Internal headers stay out of sight of a user: neither the umbrella nor any public header
// includes one. The umbrella names only this library's public headers, none of a library
// inside it.
TEST(UmbrellaHeader, IncludesNothingInternalOrOfAnInnerLibrary)
{
    std::set<std::string> headers = PublicHeaders();
    for(const std::string& name : IncludesOf(root / umbrella)) {
        if(name.starts_with(folder + "/")) {
            EXPECT_EQ(headers.count(name), 1u)
                << umbrella << " includes " << name << ", which is no public header of " << folder;
        }
    }
    headers.insert(umbrella);
    for(const std::string& header : headers)
        for(const std::string& name : IncludesOf(root / header))
            EXPECT_FALSE(IsInternal(name)) << header << " includes the internal " << name;
}

} // namespace
