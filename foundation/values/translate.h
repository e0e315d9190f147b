// The translation catalogue: message ids (English text behind an optional
// prefix ended by byte 7 or a context ended by byte 11), translation modules
// registered before the entry point, Translate with per-language caches, and
// the current and system languages.
#pragma once

#include "foundation/key_index.h"
#include "foundation/string.h"
#include "foundation/values/language_code.h"
#include "foundation/vector.h"

namespace Qor {

struct TranslationEntry {
    LanguageCode language;
    const char* text; // UTF-8, not owned
};

// One record of a module table: language 1 opens a new id (the text), other
// codes translate the last opened id, language 0 ends the table.
struct TranslationRecord {
    int32 language;
    const char* text;
};

enum { TRANSLATION_NEW_ID = 1, TRANSLATION_END = 0 };

class TranslationModule {
public:
    String name;
    Vector<const char*> keys;                 // the ids as registered
    HashIndex index;                          // HashBytes of each id's key
    Vector<Vector<TranslationEntry>> entries; // parallel to keys

    // The entries of the id's key, a new empty list when the key is new.
    Vector<TranslationEntry>& GetAdd(const char* id);
    // Position of the id's key, -1 when absent.
    int Find(const char* id) const;
};

void RegisterTranslationModule(const TranslationRecord* table, const char* name = nullptr);
// The foundation's two modules in their order (key names, foundation messages); run once,
// before the entry point. The widget library registers its messages before them.
void RegisterCompiledInTranslations();
int TranslationModuleCount();
TranslationModule& GetTranslationModule(int i);

// Length of the id's key: up to the first single byte 7 (a doubled one belongs
// to it); byte 11 does not end it.
int IdKeyLength(const char* id);
const char* SkipIdPrefix(const char* id);
// The English text; doubled markers become single in a permanent copy.
const char* EnglishTextOfId(const char* id);

const TranslationEntry* FindTranslation(const char* id, LanguageCode language, int mask);
KeyIndex<int> GetTranslationLanguages();

// The text in the current language; owned by the catalogue (a text converted
// for an 8-bit language lives until the next cache flush).
const char* Translate(const char* id);
String TranslateTo(LanguageCode language, const char* id);
String TranslateByText(const char* id);
LanguageCode GetCurrentLanguage();

void SetLanguage(LanguageCode language);
void SetCurrentLanguage(LanguageCode language);

// The language named by LANG in the environment that start-up stored (EnvironmentMap),
// read on the first call and kept.
LanguageCode SystemLanguage();
// The rule behind it: EN-US for an empty or malformed value, the charset from
// the text after the first '.'.
LanguageCode LanguageOfLangValue(const char* value);

// Seam for the date settings: a language change hands the current-language
// texts of the date format, scan order and input filter to this hook.
using DateSettingsHook = void (*)(const char* format, const char* scan, const char* filter);
void SetDateSettingsHook(DateSettingsHook hook);

// Inspection of the cache state.
int TranslationCacheSize(LanguageCode language); // -1 when the language was never set
int TranslationTextCacheSize(LanguageCode language);
int TranslationLanguageCount();
int TranslationFlushThreshold();

} // namespace Qor
