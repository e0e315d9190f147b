// The ".tr" writer and reader.
#include "foundation/values/translation_file.h"

#include "foundation/charset.h"
#include "foundation/cparser.h"
#include "foundation/file_io.h"
#include "foundation/process.h"
#include "foundation/values/translate.h"

#include <cstdio>
#include <cstring>

namespace Qor {

// ---------------------------------------------------------------- writer

// A module name goes into a "//" comment: a line break inside it would end
// the comment early.
static String CommentSafe(const String& text)
{
    String out;
    for(char c : text)
        out.AppendChar(c == '\r' || c == '\n' ? ' ' : (byte)c);
    return out;
}

void ExportTranslations(Stream& out, LanguageCode language, LanguageCode second)
{
    if(language == 0)
        return; // no name the reader would accept
    out << "LANGUAGE " << CStringLiteral(LanguageCodeToText(language)) << ";\r\n";
    for(int m = 0; m < TranslationModuleCount(); m++) {
        TranslationModule& module = GetTranslationModule(m);
        out << "// " << CommentSafe(module.name) << "\r\n";
        for(const char* id : module.keys) {
            if(second)
                // Every wrapped line of the comment starts with "//" too, so a
                // long text stays a comment instead of joining the id below.
                out << "// "
                    << CStringLiteral(TranslateTo(second, id), 60, "//\t", CSTRING_BREAK_AT_SPACE)
                    << "\r\n";
            out << CStringLiteral(id, id + std::strlen(id), 70) << ",\r\n";
            out << "\t" << CStringLiteral(TranslateTo(language, id), 60, "\t", CSTRING_BREAK_AT_SPACE)
                << ";\r\n\r\n";
        }
    }
}

// ---------------------------------------------------------------- reader

// Puts the text of one file entry into the first module that holds the id.
// An entry of the same language and country is replaced whatever its charset
// bits say (module texts are UTF-8 in any case), so a block can correct the
// built-in English texts too, whose entries carry no charset.
static void RegisterLoadedEntry(const String& id, const String& text, LanguageCode language)
{
    // No registered id holds a NUL; cut at one, the id would match a shorter
    // id. An empty text replaces like any other: the file's author asked for it.
    if(std::memchr(id.Begin(), 0, (size_t)id.GetLength()))
        return;
    int charset = GetLanguageCharset(language);
    String utf8 = charset == -1 || charset == CHARSET_UTF8 ? text : RecodeText(CHARSET_UTF8, text, charset, 0x1F);
    LanguageCode code = SetLanguageCharset(language, CHARSET_UTF8);
    for(int m = 0; m < TranslationModuleCount(); m++) {
        TranslationModule& module = GetTranslationModule(m);
        int i = module.Find(id.Begin());
        if(i < 0)
            continue;
        Vector<TranslationEntry>& entries = module.entries[i];
        for(TranslationEntry& e : entries)
            if((e.language & LANGUAGE_AND_COUNTRY_MASK) == (code & LANGUAGE_AND_COUNTRY_MASK)) {
                // The old text may be compiled in or permanent: it is never freed,
                // so an unchanged text takes no new copy.
                if(std::strcmp(e.text, utf8.Begin()) != 0)
                    e.text = PermanentStrDup(utf8.Begin());
                return;
            }
        entries.Add(TranslationEntry{code, PermanentStrDup(utf8.Begin())});
        return;
    }
}

bool LoadTranslationText(const String& text, const char* source, String* error)
{
    try {
        CParser p(text.Begin());
        p.SetSourceName(source ? source : "");
        while(!p.IsEof()) {
            p.ExpectId("LANGUAGE");
            int line = p.GetLine(), column = p.GetColumn();
            String name = p.TakeString();
            LanguageCode language = ParseLanguageCode(name.Begin());
            if(language == 0 || (int)std::strlen(name.Begin()) != name.GetLength()) {
                if(error) {
                    char position[40];
                    std::snprintf(position, sizeof(position), "(%d,%d): ", line, column);
                    *error = p.GetSourceName() + position + "invalid language " + CStringLiteral(name);
                }
                return false;
            }
            p.ExpectChar(';');
            while(p.IsString()) {
                String id = p.TakeString();
                p.ExpectChar(',');
                String translation = p.TakeString();
                RegisterLoadedEntry(id, translation, language);
                p.ExpectChar(';');
            }
        }
        // A NUL inside the file ends the parser's text early: the rest would
        // go unread.
        if(p.GetCurrent() != text.End())
            p.ThrowError("NUL byte in the text");
        return true;
    }
    catch(const CParser::Error& e) {
        if(error)
            *error = e;
        return false;
    }
}

bool LoadTranslationFile(const char* path, String* error)
{
    return LoadTranslationText(ReadWholeFile(path), path, error);
}

} // namespace Qor
