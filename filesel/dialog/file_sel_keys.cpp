// The file selector's keyboard shortcuts, for keys the focused control left unused.
#include "filesel/dialog/file_sel.h"

#include "foundation/char_filter.h"

namespace Qor {

namespace {

enum : dword {
    KEY_CTRL = 0x20000,
    KEY_UP = 0x1FF52,
    KEY_DOWN = 0x1FF54,
    KEY_PAGEUP = 0x1FF55,
    KEY_PAGEDOWN = 0x1FF56,
    KEY_F6 = 0x1FFC3,
    KEY_F7 = 0x1FFC4,
};

} // namespace

bool FileSel::ProcessKey(dword key, int count)
{
    switch(key) {
    case '*':
        togglefiles.SimulatePush();
        return true;
    case '+':
        selectfiles.SimulatePush();
        return true;
    case '-':
        unselectfiles.SimulatePush();
        return true;
    case '.':
    case KEY_CTRL | KEY_UP:
        list.SetFocus();
        dirup.SimulatePush();
        return true;
    case KEY_UP:
    case KEY_DOWN:
    case KEY_PAGEUP:
    case KEY_PAGEDOWN:
        list.SetFocus();
        return list.ProcessKey(key, count);
    case KEY_F6:
        list.StartRename();
        return true;
    case KEY_F7:
        newfolder.SimulatePush();
        return true;
    case 13:
        if(mode == MODE_FOLDER && OpenItem())
            return true;
        break;
    }
    // Typed text goes to the search field, as capital ASCII letters.
    if(UpperAsciiLetter((int)key) || key == 8)
        return search.ProcessKey(key, count);
    return TopWindow::ProcessKey(key, count);
}

} // namespace Qor
