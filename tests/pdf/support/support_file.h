// Where the PDF tests find their checking scripts: the source tree, named by ctest or fixed at build time.
#pragma once

#include <cstdlib>
#include <string>

namespace Qor::test {

inline std::string PdfSupportFile(const char* name)
{
    const char* source = std::getenv("QOR_TEST_SOURCE");
    return std::string(source ? source : QOR_SOURCE_FOLDER) + "/tests/pdf/support/" + name;
}

} // namespace Qor::test
