// The start-up options step: every "*.tr" file of the home folder is loaded
// into the translation tables, and the option "--export-tr [language
// [second]]" turns the process into a one-shot exporter of those tables.
#pragma once

#include "foundation/string.h"
#include "foundation/values/language_code.h"
#include "foundation/vector.h"
#include "foundation/wstring.h"

namespace Qor {

// Loads every file of the folder matching "*.tr", in directory order; files
// that cannot be read or parsed are passed over.
void LoadTranslationFolder(const char* folder);

// The step itself, installed as the start-up options hook: loads the home
// folder's files, then either sets the main-running flag and returns, or
// writes the export file and ends the process (status 0; status 1 with a
// message on standard error when the file cannot be written).
void CommandLineOptions();
// Makes CommandLineOptions the start-up options step; run before the entry point.
void RegisterTranslationStartUp();

// What "--export-tr" asks for, read from the argument vector.
struct TranslationExportRequest {
    bool requested = false;
    String file_name;       // in the home folder: "all.tr", "deDE.tr"
    LanguageCode first = 0; // 0: every language of the modules
    LanguageCode second = 0;
    int charset = 255;      // of both languages
};

// The first argument equal to "--export-tr" counts. The argument after it is
// a language when it is 4 or 5 units long; a fifth unit after four letters
// selects the charset ('A'-'J': iso8859-1 to -10, '0'-'8': windows-1250 to
// -1258, else UTF-8). In the separated form ("de-DE") the fifth unit is the
// country's, and the charset is UTF-8.
TranslationExportRequest ParseExportOption(const Vector<WString>& arguments);

// Writes the requested blocks into the file, replacing it. False, with the
// reason in *error, when the file cannot be created or written.
bool WriteTranslationExport(const TranslationExportRequest& request, const char* path, String* error = nullptr);

} // namespace Qor
