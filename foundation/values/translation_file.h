// Translation files (".tr"): blocks of a LANGUAGE header and pairs of a message
// id and its translation, all C string literals. ExportTranslations writes one
// block for a language; LoadTranslationFile adds the pairs of a file to the
// registered translation modules.
#pragma once

#include "foundation/stream.h"
#include "foundation/string.h"
#include "foundation/values/language_code.h"

namespace Qor {

// One block for the language: every id of every module in registration order
// with its text in the language's charset (UTF-8 without one). A non-zero
// second language adds each id's text in that language as a comment line.
// Language 0 writes nothing. Write errors are the stream's.
void ExportTranslations(Stream& out, LanguageCode language, LanguageCode second = 0);

// Reads the file and registers its entries. True when the whole text was read
// (a missing or unreadable file reads as empty); false at a language name that
// does not parse or a syntax error, which is put into *error with the file
// name, line and column when error is given. Entries read before the failure
// stay registered.
bool LoadTranslationFile(const char* path, String* error = nullptr);
// The same over a text already in memory; source names it in error messages.
bool LoadTranslationText(const String& text, const char* source = "", String* error = nullptr);

} // namespace Qor
