// The exceptions a program body may let escape: Exc carries its own message
// text (it is a String), ExitExc ends the body quietly.
#pragma once

#include "foundation/string.h"

namespace Qor {

// Error classes of the system (XML, JSON, tokenizer) derive from it and add
// nothing that RunProgramBody looks at beyond the text.
class Exc : public String {
public:
    Exc() = default;
    Exc(const char* text) : String(text) {}
    Exc(const String& text) : String(text) {}
};

// Thrown by a program body that wants to end without a message.
class ExitExc {};

} // namespace Qor
