// Selecting, unselecting and toggling file entries by a wildcard mask. The selector's
// list stays in single selection, where these change nothing; they act once a list
// allows several selected entries.
#include "filesel/dialog/file_sel.h"

#include "foundation/path.h"
#include "foundation/values/translate.h"
#include "widgets/prompt/text_input.h"

namespace Qor {

void FileSel::SelectByMask(const char* title, bool select)
{
    String mask;
    if(!RunTextInputDialog(mask, title, Translate("Mask"), 0) || mask.IsEmpty())
        return;
    for(int i = 0; i < list.GetCount(); i++) {
        const FileList::File& f = list.GetFile(i);
        if(!f.folder && MatchesPatternList(mask.Begin(), f.name.Begin()))
            list.SelectOne(i, select);
    }
}

void FileSel::SelectFiles() { SelectByMask(Translate("Add to selection"), true); }

void FileSel::UnselectFiles() { SelectByMask(Translate("Remove from selection"), false); }

void FileSel::ToggleFiles()
{
    for(int i = 0; i < list.GetCount(); i++)
        if(!list.GetFile(i).folder)
            list.SelectOne(i, !list.IsSelected(i));
}

} // namespace Qor
