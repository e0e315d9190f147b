// The translation catalogue and the cached lookups over it.

#include "foundation/values/translate.h"
#include "foundation/assert.h"

#include "foundation/charset.h"
#include "foundation/hash.h"
#include "foundation/heap.h"
#include "foundation/owned_array.h"
#include "foundation/process.h"
#include "foundation/process_environment.h"

#include <cstdlib>
#include <cstring>

namespace Qor {

// ---------------------------------------------------------------- message ids

static bool IsMarker(char c) { return c == '\a' || c == '\v'; }

int IdKeyLength(const char* id)
{
    const char* p = id;
    while(*p) {
        if(*p == '\a') {
            if(p[1] != '\a')
                break;
            p++;
        }
        p++;
    }
    return int(p - id);
}

const char* SkipIdPrefix(const char* id)
{
    for(const char* p = id; *p; p++)
        if(IsMarker(*p)) {
            if(p[1] != *p)
                return p + 1;
            p++;
        }
    return id;
}

const char* EnglishTextOfId(const char* id)
{
    const char* text = SkipIdPrefix(id);
    bool doubled = false;
    for(const char* p = text; *p && !doubled; p++)
        doubled = IsMarker(*p) && p[1] == *p;
    if(!doubled)
        return text;
    // One permanent copy per distinct text, so that repeated uncached lookups
    // (TranslateTo, lookups after a flush) do not keep taking new memory.
    static KeyIndex<String> texts;
    static Vector<const char*> copies;
    String key(text);
    int i = texts.Find(key);
    if(i >= 0)
        return copies[i];
    String single;
    for(const char* p = text; *p; p++) {
        single.AppendChar((byte)*p);
        if(IsMarker(*p) && p[1] == *p)
            p++;
    }
    texts.Add(key);
    return copies.Add(PermanentStrDup(single.Begin()));
}

// ---------------------------------------------------------------- modules

static uint32 KeyHash(const char* id, int length) { return HashBytes(id, (size_t)length); }

int TranslationModule::Find(const char* id) const
{
    int length = IdKeyLength(id);
    uint32 h = KeyHash(id, length);
    int head = index.Head(h);
    if(head < 0)
        return -1;
    int i = head;
    do {
        const char* k = keys[i];
        if(index.GetHash(i) == (h & 0x7fffffff) && IdKeyLength(k) == length && std::memcmp(k, id, (size_t)length) == 0)
            return i;
        i = index.Next(i);
    }
    while(i != head);
    return -1;
}

Vector<TranslationEntry>& TranslationModule::GetAdd(const char* id)
{
    int i = Find(id);
    if(i >= 0)
        return entries[i];
    keys.Add(id);
    index.Add(KeyHash(id, IdKeyLength(id)));
    return entries.Add();
}

static OwnedArray<TranslationModule>& Modules()
{
    QOR_SINGLE_THREADED("The translation catalogue");
    static OwnedArray<TranslationModule> modules;
    return modules;
}

int TranslationModuleCount() { return Modules().GetCount(); }

TranslationModule& GetTranslationModule(int i) { return Modules()[i]; }

void RegisterTranslationModule(const TranslationRecord* table, const char* name)
{
    TranslationModule& module = Modules().Add();
    module.name = name ? name : "";
    Vector<TranslationEntry>* current = nullptr;
    for(const TranslationRecord* r = table; r->language != TRANSLATION_END; r++) {
        if(r->language == TRANSLATION_NEW_ID) {
            current = &module.GetAdd(r->text);
            current->Add(TranslationEntry{LANGUAGE_EN_US, EnglishTextOfId(r->text)});
        }
        else if(current && r->text && *r->text) // an empty text leaves the fallback in charge
            current->Add(TranslationEntry{r->language, r->text});
    }
}

const TranslationEntry* FindTranslation(const char* id, LanguageCode language, int mask)
{
    OwnedArray<TranslationModule>& modules = Modules();
    for(int m = 0; m < modules.GetCount(); m++) {
        TranslationModule& module = modules[m];
        int i = module.Find(id);
        if(i < 0)
            continue;
        for(const TranslationEntry& e : module.entries[i])
            if((e.language & mask) == (language & mask))
                return &e;
    }
    return nullptr;
}

KeyIndex<int> GetTranslationLanguages()
{
    KeyIndex<int> languages;
    OwnedArray<TranslationModule>& modules = Modules();
    for(int m = 0; m < modules.GetCount(); m++)
        for(const Vector<TranslationEntry>& list : modules[m].entries)
            for(const TranslationEntry& e : list)
                languages.FindAdd(e.language);
    return languages;
}

// ---------------------------------------------------------------- caches

namespace {

// Owner of texts converted for 8-bit languages: packed into 4096-byte blocks,
// large ones allocated apart; all freed together at a cache flush.
class TranslationArena {
public:
    ~TranslationArena() { Clear(); }

    char* Allocate(int n)
    {
        if(n > 1023)
            return (char*)large.Add(HeapAllocate((size_t)n));
        if(!current || current + n >= limit) {
            current = (char*)blocks.Add(HeapAllocate(BLOCK));
            limit = current + BLOCK;
        }
        char* p = current;
        current += n;
        return p;
    }

    void Clear()
    {
        for(void* p : blocks)
            HeapRelease(p);
        for(void* p : large)
            HeapRelease(p);
        blocks.Clear();
        large.Clear();
        current = limit = nullptr;
    }

private:
    enum { BLOCK = 4096 };
    Vector<void*> blocks;
    Vector<void*> large;
    char* current = nullptr;
    char* limit = nullptr;
};

struct TranslationCache {
    KeyIndex<const char*> ids; // addresses of the id literals
    Vector<const char*> answers;

    void Clear() { ids.Clear(); answers.Clear(); }
};

struct TextCache {
    KeyIndex<String> ids;
    Vector<String> answers;

    void Clear() { ids.Clear(); answers.Clear(); }
};

TranslationCache* current_cache; // the hot path's shortcut into State()

struct TranslationState {
    OwnedArray<TranslationCache> caches;
    OwnedArray<TextCache> text_caches;
    KeyIndex<int> languages;
    TranslationArena arena;
    LanguageCode current = 0;
    int position = 0;
    int threshold = 1;
    DateSettingsHook date_hook = nullptr;

    ~TranslationState() { current_cache = nullptr; }

    void Reach(int pos)
    {
        if(caches.GetCount() <= pos)
            caches.SetCount(pos + 1);
        if(text_caches.GetCount() <= pos)
            text_caches.SetCount(pos + 1);
    }
};

TranslationState& State()
{
    static TranslationState state;
    return state;
}

inline uint32 AddressHash(const char* id) { return (uint32)(uintptr_t)id ^ 0xE2F62FF2u; }

} // namespace

static const TranslationEntry* FindForLanguage(const char* id, LanguageCode language)
{
    const TranslationEntry* e = FindTranslation(id, language, LANGUAGE_AND_COUNTRY_MASK);
    return e ? e : FindTranslation(id, language, LANGUAGE_ONLY_MASK);
}

static bool NeedsConversion(LanguageCode language)
{
    int charset = GetLanguageCharset(language);
    return charset != -1 && charset != CHARSET_UTF8;
}

static const char* TranslateMiss(TranslationCache& cache, const char* id, uint32 h)
{
    TranslationState& state = State();
    LanguageCode language = state.current;
    const char* answer;
    const TranslationEntry* e = FindForLanguage(id, language);
    if(!e)
        answer = EnglishTextOfId(id);
    else if(!NeedsConversion(language))
        answer = e->text;
    else {
        String text = RecodeText(GetLanguageCharset(language), e->text, CHARSET_UTF8, 0x1F);
        char* copy = state.arena.Allocate(text.GetLength() + 1);
        std::memcpy(copy, text.Begin(), (size_t)text.GetLength() + 1);
        answer = copy;
    }
    cache.ids.Add(id, h);
    cache.answers.Add(answer);
    return answer;
}

static TranslationCache& CurrentCache()
{
    if(!current_cache) {
        TranslationState& state = State();
        state.Reach(state.position);
        current_cache = &state.caches[state.position];
    }
    return *current_cache;
}

const char* Translate(const char* id)
{
    TranslationCache& cache = CurrentCache();
    uint32 h = AddressHash(id);
    int i = cache.ids.Find(id, h);
    return i >= 0 ? cache.answers[i] : TranslateMiss(cache, id, h);
}

String TranslateTo(LanguageCode language, const char* id)
{
    if(language == 0)
        language = State().current;
    const TranslationEntry* e = FindForLanguage(id, language);
    if(!e)
        return EnglishTextOfId(id);
    if(!NeedsConversion(language))
        return e->text;
    return RecodeText(GetLanguageCharset(language), e->text, CHARSET_UTF8, 0x1F);
}

String TranslateByText(const char* id)
{
    TranslationState& state = State();
    state.Reach(state.position);
    TextCache& cache = state.text_caches[state.position];
    String key(id);
    int i = cache.ids.Find(key);
    if(i >= 0)
        return cache.answers[i];
    String answer = TranslateTo(state.current, id);
    cache.ids.Add(key);
    cache.answers.Add(answer);
    return answer;
}

LanguageCode GetCurrentLanguage() { return State().current; }

// ---------------------------------------------------------------- language setting

static const char date_format_id[] = "date-format\a%2:02d/%3:02d/%1:4d";
static const char date_scan_id[] = "date-scan\amdy";
static const char date_filter_id[] = "date-filter\aA/\a .-";

void SetDateSettingsHook(DateSettingsHook hook) { State().date_hook = hook; }

void SetCurrentLanguage(LanguageCode language)
{
    TranslationState& state = State();
    state.current = language;
    bool first = state.languages.IsEmpty();
    int pos = state.languages.FindAdd(language);
    state.Reach(pos);
    if(first) {
        // English answers of lookups made before any language was set must
        // not stand for the first language set.
        state.caches[pos].Clear();
        state.text_caches[pos].Clear();
    }
    state.position = pos;
    if(state.threshold < pos) {
        state.threshold *= 2;
        state.arena.Clear();
        for(int i = 0; i < state.caches.GetCount(); i++)
            state.caches[i].Clear();
        for(int i = 0; i < state.text_caches.GetCount(); i++)
            state.text_caches[i].Clear();
    }
    current_cache = &state.caches[pos];
    const char* format = Translate(date_format_id);
    const char* scan = Translate(date_scan_id);
    const char* filter = Translate(date_filter_id);
    if(state.date_hook)
        state.date_hook(format, scan, filter);
}

void SetLanguage(LanguageCode language)
{
    if(language) {
        int charset = (language >> 20) & 0xFF;
        SetDefaultCharset(charset ? charset : CHARSET_UTF8);
    }
    SetCurrentLanguage(language);
}

LanguageCode LanguageOfLangValue(const char* value)
{
    if(!value)
        value = "";
    LanguageCode code = ParseLanguageCode(value);
    if(code == 0)
        code = LANGUAGE_EN_US;
    if(const char* dot = std::strchr(value, '.'))
        code = SetLanguageCharset(code, (byte)FindCharset(dot + 1));
    return code;
}

LanguageCode SystemLanguage()
{
    // The environment start-up stored, not the C library's: a program started with an
    // environment of its own shows that environment's language.
    static LanguageCode code = LanguageOfLangValue(EnvironmentMap().Get("LANG", String()).Begin());
    return code;
}

int TranslationCacheSize(LanguageCode language)
{
    TranslationState& state = State();
    int pos = state.languages.Find(language);
    if(pos < 0 || pos >= state.caches.GetCount())
        return -1;
    return state.caches[pos].ids.GetCount();
}

int TranslationTextCacheSize(LanguageCode language)
{
    TranslationState& state = State();
    int pos = state.languages.Find(language);
    if(pos < 0 || pos >= state.text_caches.GetCount())
        return -1;
    return state.text_caches[pos].ids.GetCount();
}

int TranslationLanguageCount() { return State().languages.GetCount(); }

int TranslationFlushThreshold() { return State().threshold; }

} // namespace Qor
