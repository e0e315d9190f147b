// The translation catalogue: ids, registration, lookups with fallbacks,
// per-language caches, 8-bit conversion, flushes and the system language.

#include "foundation/values/translate.h"

#include "foundation/charset.h"
#include "foundation/wstring.h"

#include "foundation/values/date_text.h"

#include <gtest/gtest.h>
#include "tests/support/translation_checks.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace Qor;

namespace {

const LanguageCode EN_US = 0x2BAB3;
const LanguageCode DE_DE = MakeLanguageCode('D', 'E', 'D', 'E');
const LanguageCode DE_AT = MakeLanguageCode('D', 'E', 'A', 'T');
const LanguageCode CS_CZ = 0x1CC7A;
const LanguageCode XX_YY = MakeLanguageCode('X', 'X', 'Y', 'Y');

std::string LongText()
{
    std::string s;
    for(int i = 0; i < 300; i++)
        s += "žluť ";
    return s;
}

const std::string long_text = LongText();

// A module of this test's own ids; the languages carry the charset bits as
// the compiled-in tables do, except where a case needs them without.
const TranslationRecord test_module[] = {
    {1, "qt-door\aDoor"},    {DE_DE | 255 << 20, "Tür"}, {CS_CZ | 255 << 20, "Dveře"},
    {1, "qt-window"},        {DE_AT, "Fenster (AT)"},    {DE_DE, ""},
    {1, "qt-roof"},          {DE_DE, ""},
    {1, "qt-twin"},          {DE_DE, "Zwilling"},
    {1, "qt-8bit"},          {CS_CZ, "Žluť 水"},
    {1, "qt-long"},          {CS_CZ, long_text.c_str()},
    {1, "qt-door\aDoor"},    {XX_YY, "second list entry"}, // same key: appended
    {1, "qt-ctx\vMay"},      {DE_DE, "Mai (ctx)"},
    {1, "qt-sctx\vMay"},     {DE_DE, "Mai (sctx)"},
    {1, "qt-stale"},
    {0, nullptr},
};

void RegisterTestModule()
{
    static bool done = false;
    if(!done) {
        RegisterTranslationModule(test_module, "test");
        done = true;
    }
}

class TranslateTest : public testing::Test {
protected:
    void SetUp() override
    {
        RegisterTestModule();
        saved_language = GetCurrentLanguage();
        saved_charset = DefaultCharset();
    }
    void TearDown() override
    {
        SetDateSettingsHook(RenewDateSettings); // the one the date texts install
        SetCurrentLanguage(saved_language);
        SetDefaultCharset(saved_charset);
    }

    LanguageCode saved_language = 0;
    int saved_charset = 0;
};

TEST(TranslationIdTest, PrefixesAndKeys)
{
    struct Case { const char* id; int skip; int key_length; } cases[] = {
        {"plain", 0, 5},
        {"ctx\vText", 4, 8},                // byte 11 does not end the key
        {"date-format\a%2:02d", 12, 11},
        {"date-filter\aA/\a .-", 12, 11},   // only the first single marker counts
        {"a\a\ab", 0, 4},                   // a doubled byte 7 belongs to the key
        {"a\v\vb\vc", 5, 6},
        {"x\a\ay\az", 5, 4},
        {"\aText", 1, 0},
        {"\a\a\a", 3, 2},                   // a pair, then the single marker that ends it
        {"", 0, 0},
    };
    for(const Case& c : cases) {
        EXPECT_EQ(SkipIdPrefix(c.id), c.id + c.skip) << c.id;
        EXPECT_EQ(IdKeyLength(c.id), c.key_length) << c.id;
    }
}

TEST(TranslationIdTest, EnglishText)
{
    static const char plain[] = "Plain text";
    static const char ctx[] = "ctx\vText";
    EXPECT_EQ(EnglishTextOfId(plain), plain);
    EXPECT_EQ(EnglishTextOfId(ctx), ctx + 4);

    struct Case { const char* id; const char* text; } copies[] = {
        {"a\a\ab", "a\ab"},
        {"ctx\vA\v\vB", "A\vB"},
        {"p\aA\a\a\a\aB\v\v", "A\a\aB\v"},
    };
    for(const Case& c : copies) {
        const char* text = EnglishTextOfId(c.id);
        EXPECT_STREQ(text, c.text);
        EXPECT_FALSE(text >= c.id && text < c.id + std::strlen(c.id)) << "must be a copy";
        EXPECT_EQ(EnglishTextOfId(c.id), text) << "one copy per text";
    }
}

TEST_F(TranslateTest, RegistrationKeepsEnglishFirstAndSkipsEmptyTexts)
{
    int m = TranslationModuleCount() - 1;
    while(m >= 0 && GetTranslationModule(m).name != "test")
        m--;
    ASSERT_GE(m, 0);
    TranslationModule& module = GetTranslationModule(m);
    int door = module.Find("qt-door\aanything");
    ASSERT_GE(door, 0);
    EXPECT_EQ(module.Find("qt-doors"), -1);
    const Vector<TranslationEntry>& entries = module.entries[door];
    // English, DE, CS, then the second record of the same key: English again and XX.
    ASSERT_EQ(entries.GetCount(), 5);
    EXPECT_EQ(entries[0].language, EN_US);
    EXPECT_STREQ(entries[0].text, "Door");
    EXPECT_EQ(entries[1].language, DE_DE | 255 << 20);
    EXPECT_EQ(entries[3].language, EN_US);
    EXPECT_EQ(entries[4].language, XX_YY);

    int roof = module.Find("qt-roof");
    ASSERT_GE(roof, 0);
    EXPECT_EQ(module.entries[roof].GetCount(), 1);  // the empty DE text was skipped
    EXPECT_EQ(module.keys.GetCount(), module.entries.GetCount());

    KeyIndex<int> languages = GetTranslationLanguages();
    EXPECT_EQ(languages[0], EN_US);
    EXPECT_GE(languages.Find(DE_DE | 255 << 20), 0);  // stored with the charset bits
    EXPECT_GE(languages.Find(DE_AT), 0);
    EXPECT_EQ(languages.Find(XX_YY & LANGUAGE_ONLY_MASK), -1);
}

TEST_F(TranslateTest, FallbacksOfTranslateTo)
{
    struct Case { LanguageCode language; const char* id; const char* text; } cases[] = {
        {DE_DE, "qt-door\aDoor", "Tür"},               // charset bits of the entry do not matter
        {DE_AT, "qt-door\aDoor", "Tür"},               // another country of the language
        {DE_DE | 255 << 20, "qt-door\aDoor", "Tür"},
        {XX_YY, "qt-door\aDoor", "second list entry"},
        {MakeLanguageCode('Q', 'Q', 'Y', 'Y'), "qt-door\aDoor", "Door"},
        {EN_US, "qt-door\aDoor", "Door"},
        {DE_DE, "qt-window", "Fenster (AT)"},          // empty DE-DE text: another DE country
        {DE_DE, "qt-roof", "qt-roof"},                 // empty and no other country: English
        {DE_DE, "qt-unregistered\vText", "Text"},
        {DE_DE, "qt-ctx\vMay", "Mai (ctx)"},
        {DE_DE, "qt-sctx\vMay", "Mai (sctx)"},
        {EN_US, "qt-ctx\vMay", "May"},
        {EN_US, "qt-sctx\vMay", "May"},
        {CS_CZ, "date\vMay", "květen"},                // the compiled-in foundation module
        {CS_CZ, "sdate\vMay", "kvě"},
        {EN_US, "sdate\vMay", "May"},
    };
    for(const Case& c : cases)
        EXPECT_EQ(TranslateTo(c.language, c.id), c.text) << c.id << " " << LanguageCodeToText(c.language).Begin();

    SetLanguage(DE_AT);
    EXPECT_EQ(TranslateTo(0, "qt-door\aDoor"), "Tür");  // 0 is the current language
}

TEST_F(TranslateTest, TranslateAnswersAndCaches)
{
    SetLanguage(DE_AT);
    EXPECT_EQ(GetCurrentLanguage(), DE_AT);
    EXPECT_EQ(DefaultCharset(), CHARSET_UTF8);
    const TranslationEntry* entry = FindTranslation("qt-door", DE_DE, LANGUAGE_AND_COUNTRY_MASK);
    ASSERT_TRUE(entry);
    const char* door = Translate("qt-door\aDoor");
    EXPECT_EQ(door, entry->text);  // UTF-8 texts are handed out, not copied
    EXPECT_EQ(Translate("qt-door\aDoor"), door);

    static const char miss[] = "qt-missing\vText";
    EXPECT_EQ(Translate(miss), miss + 11);

    SetLanguage(XX_YY);
    EXPECT_STREQ(Translate("qt-door\aDoor"), "second list entry");
    EXPECT_STREQ(Translate("qt-window"), "qt-window");
}

TEST_F(TranslateTest, LiteralsCacheByAddressTextsByText)
{
    static const char first[] = "qt-twin";
    static const char second[] = "qt-twin";
    ASSERT_NE((const void*)first, (const void*)second);
    SetLanguage(DE_DE);
    int before = TranslationCacheSize(DE_DE);
    EXPECT_STREQ(Translate(first), "Zwilling");
    EXPECT_STREQ(Translate(second), "Zwilling");
    EXPECT_STREQ(Translate(first), "Zwilling");
    EXPECT_EQ(TranslationCacheSize(DE_DE), before + 2);

    int text_before = TranslationTextCacheSize(DE_DE);
    EXPECT_EQ(TranslateByText(first), "Zwilling");
    EXPECT_EQ(TranslateByText(second), "Zwilling");
    EXPECT_EQ(TranslationTextCacheSize(DE_DE), text_before + 1);
}

TEST_F(TranslateTest, CachedAnswersOutliveLaterRegistrations)
{
    static const char id[] = "qt-stale";
    static const TranslationRecord late[] = {{1, "qt-stale"}, {DE_DE, "Neu"}, {0, nullptr}};
    SetLanguage(DE_DE);
    EXPECT_STREQ(Translate(id), "qt-stale");
    RegisterTranslationModule(late, "late");
    EXPECT_STREQ(Translate(id), "qt-stale");   // the cache is not told
    EXPECT_EQ(TranslateTo(DE_DE, id), "Neu");  // the uncached lookup sees it
}

TEST_F(TranslateTest, EightBitLanguagesGetConvertedTexts)
{
    int cp1250 = FindCharset("windows-1250");
    ASSERT_GT(cp1250, 0);
    LanguageCode czech = SetLanguageCharset(CS_CZ, cp1250);
    SetLanguage(czech);
    EXPECT_EQ(DefaultCharset(), cp1250);

    struct Case { const char* id; const char* utf8; } cases[] = {
        {"date\vMay", "květen"},
        {"qt-door\aDoor", "Dveře"},
        {"qt-8bit", "Žluť \x1f"},   // what the charset lacks becomes byte 31
        {"qt-long", long_text.c_str()},
        {"qt-roof", "qt-roof"},     // English is not converted
    };
    for(const Case& c : cases) {
        String expected = c.utf8[0] == 'q' ? String(c.utf8) : EncodeText(DecodeUtf8(String(c.utf8)), cp1250);
        if(std::strchr(c.utf8, 0x1f))
            expected = EncodeText(DecodeUtf8(String("Žluť ")), cp1250) + "\x1f";
        const char* answer = Translate(c.id);
        EXPECT_EQ(String(answer), expected) << c.id;
        EXPECT_EQ(Translate(c.id), answer) << c.id;
        EXPECT_EQ(TranslateTo(czech, c.id), expected) << c.id;
    }
    const TranslationEntry* entry = FindTranslation("date\vMay", CS_CZ, LANGUAGE_AND_COUNTRY_MASK);
    ASSERT_TRUE(entry);
    EXPECT_NE(Translate("date\vMay"), entry->text);
    EXPECT_EQ(TranslateByText("qt-door\aDoor"), EncodeText(DecodeUtf8(String("Dveře")), cp1250));
}

TEST_F(TranslateTest, SetLanguageSetsDefaultCharset)
{
    int cp1250 = FindCharset("windows-1250");
    SetLanguage(SetLanguageCharset(CS_CZ, cp1250));
    EXPECT_EQ(DefaultCharset(), cp1250);
    SetLanguage(0);                  // 0 leaves the charset alone
    EXPECT_EQ(DefaultCharset(), cp1250);
    EXPECT_EQ(GetCurrentLanguage(), 0);
    SetLanguage(CS_CZ);              // no charset bits: UTF-8
    EXPECT_EQ(DefaultCharset(), CHARSET_UTF8);
}

struct DateSettings {
    std::string format, scan, filter;
    int calls = 0;
};
DateSettings date_settings;

void CatchDateSettings(const char* format, const char* scan, const char* filter)
{
    date_settings.format = format;
    date_settings.scan = scan;
    date_settings.filter = filter;
    date_settings.calls++;
}

TEST_F(TranslateTest, LanguageChangeRereadsDateSettings)
{
    SetDateSettingsHook(CatchDateSettings);
    struct Case { LanguageCode language; const char* format; const char* scan; const char* filter; } cases[] = {
        {CS_CZ | 255 << 20, "%3:02d.%2:02d.%1:04d", "dmy", ".\r /,"},
        {MakeLanguageCode('H', 'U', 'H', 'U'), "%1:04d.%2:02d.%3:02d.", "ymd", "A.\r .-"},
        {DE_AT, "%3:02d.%2:02d.%1:4d", "dmy", "A/\r .-"},   // DE-DE through the fallback
        {EN_US, "%2:02d/%3:02d/%1:4d", "mdy", "A/\a .-"},
        {XX_YY, "%2:02d/%3:02d/%1:4d", "mdy", "A/\a .-"},
    };
    for(const Case& c : cases) {
        int calls = date_settings.calls;
        SetLanguage(c.language);
        EXPECT_EQ(date_settings.calls, calls + 1);
        EXPECT_EQ(date_settings.format, c.format);
        EXPECT_EQ(date_settings.scan, c.scan);
        EXPECT_EQ(date_settings.filter, c.filter);
    }
}

TEST_F(TranslateTest, NewLanguagesFlushAllCachesOnSchedule)
{
    static const char id[] = "qt-twin";
    // Whatever languages earlier tests set, a new one flushes exactly when the
    // threshold is below its position, and the threshold then doubles.
    LanguageCode base = MakeLanguageCode('Q', 'A', 'A', 'A');
    SetLanguage(DE_DE);
    Translate(id);
    for(int k = 0; k < 12; k++) {
        LanguageCode fresh = base + k;  // QA-AA, QA-AB, ...: never set before
        ASSERT_EQ(TranslationCacheSize(fresh), -1);
        int position = TranslationLanguageCount();
        int threshold = TranslationFlushThreshold();
        bool flush = threshold < position;
        int de_size = TranslationCacheSize(DE_DE);
        ASSERT_GT(de_size, 0);
        SetLanguage(fresh);
        EXPECT_EQ(TranslationLanguageCount(), position + 1);
        EXPECT_EQ(TranslationFlushThreshold(), flush ? threshold * 2 : threshold);
        EXPECT_EQ(TranslationCacheSize(DE_DE), flush ? 0 : de_size) << k;
        EXPECT_EQ(TranslationCacheSize(fresh), 3);  // only the date settings so far
        SetLanguage(DE_DE);
        Translate(id);
    }
}

TEST_F(TranslateTest, AlternatingKnownLanguagesNeverFlushes)
{
    // The first round may meet XX-YY for the first time in this process, which may flush
    // every cache; the second fills both caches with the two languages known.
    for(int round = 0; round < 2; round++) {
        SetLanguage(DE_DE);
        Translate("qt-twin");
        SetLanguage(XX_YY);
        Translate("qt-twin");
    }
    int threshold = TranslationFlushThreshold();
    for(int i = 0; i < 10; i++) {
        int de = TranslationCacheSize(DE_DE), xx = TranslationCacheSize(XX_YY);
        SetLanguage(i % 2 ? DE_DE : XX_YY);
        EXPECT_EQ(TranslationCacheSize(DE_DE), de);
        EXPECT_EQ(TranslationCacheSize(XX_YY), xx);
    }
    EXPECT_EQ(TranslationFlushThreshold(), threshold);
}

// In a fresh process the schedule is absolute: flushes at the third, fourth,
// sixth and tenth distinct language.
TEST(TranslateFreshProcessTest, FlushSchedule)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT({
        std::string flushes;
        LanguageCode base = MakeLanguageCode('Q', 'B', 'A', 'A');
        SetLanguage(base);
        for(int k = 1; k < 11; k++) {
            Translate("qt-fresh");
            SetLanguage(base + k);
            if(TranslationCacheSize(base) == 0)
                flushes += std::to_string(k + 1) + " ";
            SetLanguage(base);
        }
        std::fprintf(stderr, "flushes: %s\n", flushes.c_str());
        std::exit(0);
    }, testing::ExitedWithCode(0), "flushes: 3 4 6 10 \n");
}

TEST(TranslateFreshProcessTest, LookupsBeforeTheFirstLanguageDoNotStick)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT({
        RegisterTestModule();
        static const char id[] = "qt-door\aDoor";
        std::fprintf(stderr, "[%s]", Translate(id));
        std::fprintf(stderr, "[%s]", TranslateByText(id).Begin());
        SetLanguage(DE_DE);
        std::fprintf(stderr, "[%s]", Translate(id));
        std::fprintf(stderr, "[%s]\n", TranslateByText(id).Begin());
        std::exit(0);
    }, testing::ExitedWithCode(0), "\\[Door\\]\\[Door\\]\\[Tür\\]\\[Tür\\]");
}

TEST(SystemLanguageTest, LangValues)
{
    int latin2 = FindCharset("ISO-8859-2");
    ASSERT_GT(latin2, 0);
    struct Case { const char* value; LanguageCode code; } cases[] = {
        {nullptr, EN_US},
        {"", EN_US},
        {"C", EN_US},
        {"POSIX", MakeLanguageCode('P', 'O', 'S', 'I')}, // four letters read as a code
        {"C.UTF-8", EN_US | 255 << 20},
        {"de_DE.UTF-8", DE_DE | 255 << 20},
        {"fr_FR", MakeLanguageCode('F', 'R', 'F', 'R')},
        {"cs_CZ.ISO-8859-2", CS_CZ | latin2 << 20},
        {"cs_CZ.bogus", CS_CZ},                         // unknown charset: bits cleared
        {"de_DE.utf8@euro", DE_DE},                     // the whole rest must name a charset
    };
    for(const Case& c : cases)
        EXPECT_EQ(LanguageOfLangValue(c.value), c.code) << (c.value ? c.value : "(unset)");
    // This process never started up: its stored environment is empty, whatever its LANG.
    LanguageCode system = SystemLanguage();
    EXPECT_EQ(system, EN_US);
    EXPECT_EQ(SystemLanguage(), system);
}

TEST(CompiledInTranslationsTest, ModulesAndShortTexts)
{
    // The foundation's own modules only: the widget messages belong to the widget library.
    ASSERT_GE(TranslationModuleCount(), 2);
    int ids[] = {28, 55};
    for(int m = 0; m < 2; m++) {
        TranslationModule& module = GetTranslationModule(m);
        EXPECT_TRUE(module.name.IsEmpty());
        EXPECT_EQ(module.keys.GetCount(), ids[m]);
        QorTest::ExpectCompiledInEntries(module);
    }
    EXPECT_STREQ(GetTranslationModule(0).keys[0], "key\vCtrl+");
    EXPECT_STREQ(GetTranslationModule(1).keys[0], "Empty drive");
    EXPECT_STREQ(GetTranslationModule(1).keys.Top(), "%s:%d: ");
    // The key names have no Czech entries.
    for(const Vector<TranslationEntry>& list : GetTranslationModule(0).entries)
        for(const TranslationEntry& e : list)
            EXPECT_NE(e.language & LANGUAGE_AND_COUNTRY_MASK, CS_CZ);

    struct Case { LanguageCode language; const char* id; const char* text; } cases[] = {
        {DE_DE, "Cancel", "Cancel"}, // a widget message: not known here
        {MakeLanguageCode('F', 'R', 'F', 'R'), "date\vFriday", "vendredi"},
        {MakeLanguageCode('Z', 'H', 'T', 'W'), "date\vMonday", "星期一"},
        {MakeLanguageCode('R', 'O', 'R', 'O'), "Empty drive", "Empty drive"}, // no entry: English
        {DE_DE, "key\vPage Up", "Bild auf"},
        {CS_CZ, "key\vPage Up", "Page Up"},
        {CS_CZ, "date\vSunday", "neděle"},
        {MakeLanguageCode('Z', 'H', 'C', 'N'), "date-scan\amdy", "ymd"},
        {MakeLanguageCode('P', 'T', 'B', 'R'), "date-scan\amdy", "mdy"},
        {DE_DE, "Invalid language specification.", "Ungültige Sprachangabe."},
    };
    for(const Case& c : cases)
        EXPECT_EQ(TranslateTo(c.language, c.id), c.text) << c.id;
}

} // namespace
