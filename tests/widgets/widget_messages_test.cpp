// The widget library's translation module: registered once, holding every message its
// controls show, with texts in the languages of the tables.
#include "widgets/text/widget_messages.h"

#include "foundation/values/translate.h"

#include <gtest/gtest.h>
#include "tests/support/printers.h"
#include "tests/support/translation_checks.h"

#include <cstring>

using namespace Qor;

namespace {

const LanguageCode EN_US = MakeLanguageCode('E', 'N', 'U', 'S');
const LanguageCode DE_DE = MakeLanguageCode('D', 'E', 'D', 'E');

// The position of the module whose first id is "OK", -1 when none is.
int WidgetModule()
{
    int found = -1;
    for(int m = 0; m < TranslationModuleCount(); m++) {
        TranslationModule& module = GetTranslationModule(m);
        if(module.keys.GetCount() && std::strcmp(module.keys[0], "OK") == 0) {
            EXPECT_EQ(found, -1) << "a second module starts with \"OK\"";
            found = m;
        }
    }
    return found;
}

TEST(WidgetMessagesTest, OneModuleWithEveryMessageOfTheControls)
{
    RegisterWidgetMessages(); // a second call adds nothing
    int m = WidgetModule();
    ASSERT_GE(m, 0);
    TranslationModule& module = GetTranslationModule(m);
    EXPECT_TRUE(module.name.IsEmpty());
    // The dialogs' buttons and titles, the edit menu, the prompts and the value-error box.
    const char* ids[] = { "OK",         "Cancel", "Yes",  "No",         "Abort",        "Retry",
                          "Ignore",     "Close",  "Undo", "Cut",        "Copy",         "Paste",
                          "Select all", "Erase",  "Test", "Working...", "Invalid data." };
    EXPECT_EQ(module.keys.GetCount(), (int)std::size(ids));
    for(const char* id : ids)
        EXPECT_GE(module.Find(id), 0) << id;
    QorTest::ExpectCompiledInEntries(module);
}

TEST(WidgetMessagesTest, TextsInTheLanguagesOfTheTables)
{
    struct Case {
        LanguageCode language;
        const char* id;
        const char* text;
    } cases[] = {
        { DE_DE, "Cancel", "Abbrechen" },
        { MakeLanguageCode('F', 'R', 'F', 'R'), "Yes", "Oui" },
        { MakeLanguageCode('Z', 'H', 'T', 'W'), "Close", "關閉" },
        { MakeLanguageCode('R', 'U', 'R', 'U'), "OK", "OK" }, // no entry: English
        { MakeLanguageCode('C', 'S', 'C', 'Z'), "Select all", "Vybrat vše" },
        { DE_DE, "Erase", "Löschen" },
        { MakeLanguageCode('E', 'S', 'E', 'S'), "Working...", "Procesando..." },
        { DE_DE, "Invalid data.", "Ungültige Daten." },
        { MakeLanguageCode('Z', 'H', 'C', 'N'), "Invalid data.", "数据无效。" },
        { MakeLanguageCode('P', 'T', 'B', 'R'), "Test", "Teste" },
        { EN_US, "Working...", "Working..." },
    };
    for(const Case& c : cases)
        EXPECT_EQ(Std(TranslateTo(c.language, c.id)), c.text) << c.id;
}

} // namespace
