// Start-up registrations of the widget library hold in a program that links only it and the
// libraries below it: the image lists "CtrlImg", "CtrlsImg" and "ClassicCtrlsImg" (and the
// window core's "CtrlCoreImg") hold their images, and the widget messages are the first
// translation module, before the key names and the foundation's messages. Exits non-zero
// when a check fails.

#include "draw/image_list/image_list.h"
#include "foundation/values/translate.h"
#include "ctrl/defaults/ctrl_defaults.h"
#include "ctrl/state/ctrl_hooks.h"
#include "widgets/widgets.h"
#include "tests/registration/registration_check.h"

#include <cstring>

using namespace Qor;

using QorRegistration::Check;

int main()
{
    struct List {
        const char* name;
        int count;
        const char* first;
        const char* last;
    } lists[] = {
        { "CtrlImg", 108, "arrow", "SortDown" },
        { "CtrlsImg", 114, "S0", "TB1h" },
        { "ClassicCtrlsImg", 68, "S0", "TB1h" },
        { "CtrlCoreImg", 8, "DndMoveX11", "DndData" },
    };
    for(const List& l : lists) {
        std::string what = std::string("\"") + l.name + "\"";
        int index = FindImageListIndex(l.name);
        Check(index >= 0, "the image list " + what + " is registered");
        if(index < 0)
            continue;
        ImageList& images = GetImageList(index);
        Check(images.GetCount() == l.count, what + " holds its images");
        if(images.GetCount() != l.count)
            continue;
        Check(images.GetName(0) == l.first && images.GetName(l.count - 1) == l.last, what + " in its order");
        Check(!images.Get(l.count - 1).GetSize().IsEmpty(), what + ": the last image decodes");
    }
    Check(FindImageByPath("CtrlImg:question").GetSize() == Size(48, 45), "\"CtrlImg:question\" is found");
    Check(FindImageByPath("CtrlsImg:DA").GetSize() == Size(9, 7), "\"CtrlsImg:DA\" is found");

    // The three modules in link order: widget messages, key names, foundation messages.
    Check(TranslationModuleCount() == 3, "three translation modules are registered");
    if(TranslationModuleCount() == 3) {
        Check(std::strcmp(GetTranslationModule(0).keys[0], "OK") == 0, "the widget messages come first");
        Check(std::strcmp(GetTranslationModule(1).keys[0], "key\vCtrl+") == 0, "the key names come second");
        Check(std::strcmp(GetTranslationModule(2).keys[0], "Empty drive") == 0, "the foundation's come last");
    }
    LanguageCode de = MakeLanguageCode('D', 'E', 'D', 'E');
    Check(TranslateTo(de, "Cancel") == "Abbrechen", "\"Cancel\" is translated");
    Check(TranslateTo(de, "Invalid data.") == "Ungültige Daten.", "\"Invalid data.\" is translated");
    Check(GetValueErrorHook() == &ShowValueError, "invalid input is shown in an exclamation prompt");
    Check(GetKeyHooks().GetCount() >= 1 && GetStateHooks().GetCount() >= 1,
          "menus keep the Alt flag through a key hook and a state hook");
    MenuBar::AltFlag() = true;
    RunKeyHooks(nullptr, 'a', 1);
    Check(!MenuBar::AltFlag(), "a key other than Alt clears the Alt flag");
    bool tip_mouse = false;
    for(MouseHook h : GetMouseHooks())
        tip_mouse = tip_mouse || h == ToolTipMouseHook;
    bool tip_state = false;
    for(StateHook h : GetStateHooks())
        tip_state = tip_state || h == ToolTipStateHook;
    Check(tip_mouse && tip_state, "tool tips follow the pointer through a mouse hook and a state hook");
    return QorRegistration::Finish("widgets registrations");
}
