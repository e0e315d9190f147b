// The names typed into the file selector's file field: quoting names that hold a
// space, completing a bare name with an extension, and splitting a list of names.
#pragma once

#include "foundation/string.h"
#include "foundation/vector.h"

namespace Qor {

// Appends name to text after a ' ' (when text is not empty), in double quotes when it
// holds a space.
void AppendFileName(String& text, const String& name);
// s without its trailing '.' when that is its only '.' ("name." gives "name", "." gives
// ""); otherwise s as it is ("a.b." and ".." stay).
String DropSoleTrailingDot(const String& s);
// A typed name made ready for use: one pair of enclosing double quotes removed first;
// then, when it holds no '.', the extension of the first pattern of mask that gives one
// (the '.' and the run of ASCII letters and digits after the mask's first '.'), else
// '.' + default_extension when that is not empty; then a sole trailing '.' dropped.
// Empty when nothing is left.
String CompleteFileName(const String& name, const char* mask, const String& default_extension);
// The names of a typed list: a space ends a name; a double quote ends the name before
// it and starts one that runs to the next double quote (or the end), spaces included.
// Empty names are left out.
Vector<String> SplitFileNames(const String& text);

} // namespace Qor
