// Running the outside tools that read back what the PDF library writes (fontTools, poppler, qpdf).
#pragma once

#include <string>

namespace Qor::test {

struct ToolRun {
    int status = -1;    // the exit status; -1 when the command could not run
    std::string output; // standard output and standard error together
};

ToolRun RunTool(const std::string& command);
// A file of tests/pdf/support/.
std::string PdfSupportFile(const char* name);
// Quoted for the shell.
std::string Quote(const std::string& s);

} // namespace Qor::test
