// Font files for the PDF tests: the installed DejaVu fonts, read, patched and reassembled byte by byte.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "tests/support/printers.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace Qor::test {

// A DejaVu font file by its name; empty when it is not installed.
std::string LoadFont(const char* name);
inline String ToString(const std::string& s) { return String(s.data(), int(s.size())); }

int Read16(const std::string& f, size_t at);
uint32 Read32(const std::string& f, size_t at);
void Put16(std::string& f, size_t at, int v);
void Put32(std::string& f, size_t at, uint32 v);
std::string Be16(std::initializer_list<int> values);

// Where the directory record of tag lies, or npos.
size_t Record(const std::string& f, const char* tag);
size_t TableAt(const std::string& f, const char* tag);

using Tables = std::vector<std::pair<std::string, std::string>>;

// A font of the given tables, laid out one after another; checksums are not read, so they stay 0.
std::string Assemble(const Tables& tables);
// The tables of a font that opens, ready to be replaced one by one.
Tables Split(const std::string& f);
std::string Replace(const std::string& f, const char* tag, const std::string& data);

} // namespace Qor::test
