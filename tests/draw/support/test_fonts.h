// A private, known set of fonts for the drawing tests: DejaVu and a few cuts of it with
// limited coverage. Linking this file points the font library at them before any
// start-up code asks for a font, so no test depends on the fonts of the machine.
#pragma once

#include <string>

namespace Qor::test {

// The folder holding the test fonts and their fontconfig configuration.
const std::string& TestFontFolder();

} // namespace Qor::test
