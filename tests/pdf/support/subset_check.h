// fontTools' verdict on a TrueType subset: loaded with every checksum verified and compared with its source.
#pragma once

#include "tests/pdf/pdf_reading.h"

#include <string>

namespace Qor::test {

// Runs check_subset.py: status 0 and "glyphs N" plus its composite lines, or the fault it found. chars are the
// characters given to the subset, the first of them at code first.
ToolRun FontToolsCheck(const std::string& subset, const std::string& source_path, int first,
                       const std::u16string& chars);

} // namespace Qor::test
