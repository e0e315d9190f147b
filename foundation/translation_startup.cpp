// The start-up options step: translation files of the home folder and the
// export option.
#include "foundation/translation_startup.h"

#include "foundation/app_startup.h"
#include "foundation/charset.h"
#include "foundation/file_stream.h"
#include "foundation/folder_scanner.h"
#include "foundation/key_index.h"
#include "foundation/path.h"
#include "foundation/process_environment.h"
#include "foundation/values/translate.h"
#include "foundation/values/translation_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace Qor {

void LoadTranslationFolder(const char* folder)
{
    String mask = JoinPath(String(folder), "*.tr");
    FolderScanner scanner;
    for(bool more = scanner.Search(mask.Begin()); more; more = scanner.Next())
        LoadTranslationFile(JoinPath(String(folder), scanner.GetName().Begin()).Begin());
}

// ---------------------------------------------------------------- the option

namespace {

bool IsExportOption(const WString& argument)
{
    static const char option[] = "--export-tr";
    int n = (int)sizeof(option) - 1;
    if(argument.GetLength() != n)
        return false;
    for(int i = 0; i < n; i++)
        if(argument[i] != option[i])
            return false;
    return true;
}

bool IsLanguageArgument(const Vector<WString>& arguments, int i)
{
    return i < arguments.GetCount() && (arguments[i].GetLength() == 4 || arguments[i].GetLength() == 5);
}

bool IsAsciiLetter(int c) { return (unsigned)((c | 0x20) - 'a') < 26; }

int SelectedCharset(const WString& argument)
{
    if(argument.GetLength() < 5)
        return CHARSET_UTF8;
    // "de-DE": the fifth unit is the country's last letter, not a selector; reading
    // it as one would turn German into a Cyrillic code page. UTF-8 keeps every
    // character, as for "en-US".
    if(!IsAsciiLetter(argument[2]))
        return CHARSET_UTF8;
    int c = argument[4];
    if(c >= 'A' && c <= 'J')
        return c - 'A' + 1;
    if(c >= '0' && c <= '8')
        return c - '0' + 15;
    return CHARSET_UTF8;
}

} // namespace

TranslationExportRequest ParseExportOption(const Vector<WString>& arguments)
{
    TranslationExportRequest request;
    int i = 0;
    while(i < arguments.GetCount() && !IsExportOption(arguments[i]))
        i++;
    if(i == arguments.GetCount())
        return request;
    request.requested = true;
    if(IsLanguageArgument(arguments, i + 1)) {
        String text = EncodeText(arguments[i + 1]);
        request.first = ParseLanguageCode(text.Begin());
        request.file_name = text + ".tr";
        request.charset = SelectedCharset(arguments[i + 1]);
    }
    else
        request.file_name = "all.tr";
    if(IsLanguageArgument(arguments, i + 2))
        request.second = ParseLanguageCode(EncodeText(arguments[i + 2]).Begin());
    return request;
}

bool WriteTranslationExport(const TranslationExportRequest& request, const char* path, String* error)
{
    auto fail = [&](const char* what, int code) {
        if(error) {
            *error = String("cannot ") + what + " " + path;
            if(code)
                *error += String(": ") + std::strerror(code);
        }
        return false;
    };
    FileOut out;
    errno = 0;
    if(!out.Open(path))
        return fail("create", errno);
    int charset = request.charset;
    if(request.first)
        ExportTranslations(out, SetLanguageCharset(request.first, charset),
                           request.second ? SetLanguageCharset(request.second, charset) : 0);
    else {
        // Codes that differ only in their charset bits become one block here.
        KeyIndex<int> done;
        KeyIndex<int> languages = GetTranslationLanguages();
        for(int i = 0; i < languages.GetCount(); i++) {
            LanguageCode code = SetLanguageCharset(languages[i], charset);
            if(done.Find(code) < 0) {
                done.Add(code);
                ExportTranslations(out, code, 0);
            }
        }
    }
    errno = 0;
    out.Close();
    if(out.IsError())
        return fail("write", errno);
    return true;
}

void CommandLineOptions()
{
    LoadTranslationFolder(HomeFolder().Begin());
    TranslationExportRequest request = ParseExportOption(ArgumentVector());
    if(!request.requested) {
        SetMainRunning();
        return;
    }
    String path = HomeFilePath(request.file_name.Begin());
    String error;
    if(!WriteTranslationExport(request, path.Begin(), &error)) {
        std::fprintf(stderr, "--export-tr: %s\n", error.Begin());
        std::exit(1);
    }
    std::exit(0);
}

void RegisterTranslationStartUp() { SetStartUpOptionsHook(CommandLineOptions); }

} // namespace Qor
