// Runs the fontTools check of a subset from the source tree, named by ctest or fixed at build time.
#include "tests/pdf/support/subset_check.h"

#include <cstdio>
#include <cstdlib>

namespace Qor::test {

ToolRun FontToolsCheck(const std::string& subset, const std::string& source_path, int first,
                       const std::u16string& chars)
{
    const char* source_tree = std::getenv("QOR_TEST_SOURCE");
    std::string script =
        std::string(source_tree ? source_tree : QOR_SOURCE_FOLDER) + "/tests/pdf/support/check_subset.py";
    TempFolder folder("qor_subset");
    std::string path = folder.Path("subset.ttf");
    WriteFile(path, Qor::String(subset.data(), int(subset.size())));
    std::string command = "/usr/bin/python3 " + script + " " + path + " " + source_path + " " + std::to_string(first);
    for(char16_t c : chars) {
        char hex[8];
        std::snprintf(hex, sizeof(hex), " %04X", unsigned(c));
        command += hex;
    }
    return RunTool(command);
}

} // namespace Qor::test
