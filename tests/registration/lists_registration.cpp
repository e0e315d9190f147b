// Start-up registrations of the list controls hold in a program that links only them and the
// libraries below: the list messages are a translation module of their own, beside the
// widget messages, and the row menu's texts are translated through it. Exits non-zero when a
// check fails.

#include "foundation/values/translate.h"
#include "lists/array/array_ctrl.h"
#include "tests/registration/registration_check.h"

#include <cstring>

using namespace Qor;

using QorRegistration::Check;

int main()
{
    int lists = -1;
    int widgets = -1;
    for(int m = 0; m < TranslationModuleCount(); m++) {
        TranslationModule& module = GetTranslationModule(m);
        if(module.keys.GetCount() && std::strcmp(module.keys[0], "row") == 0)
            lists = m;
        if(module.keys.GetCount() && std::strcmp(module.keys[0], "OK") == 0)
            widgets = m;
    }
    Check(lists >= 0, "the list messages are registered");
    Check(widgets >= 0 && widgets != lists, "beside the widget messages");
    Check(TranslationModuleCount() == 4, "four translation modules are registered");
    LanguageCode de = MakeLanguageCode('D', 'E', 'D', 'E');
    Check(TranslateTo(de, "row") == "Zeile", "\"row\" is translated");
    Check(TranslateTo(de, "Insert %s") == "%s einfügen", "\"Insert %s\" is translated");
    return QorRegistration::Finish("lists registrations");
}
