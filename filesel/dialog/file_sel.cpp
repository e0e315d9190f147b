// The file selector's construction: the layout, the tool buttons, the places list and the
// wiring of every control to its handler.
#include "filesel/dialog/file_sel.h"

#include "draw/font/font.h"
#include "draw/font/font_metrics.h"
#include "draw/look/sys_colors.h"
#include "filesel/places/place_display.h"
#include "foundation/callback_action.h"
#include "foundation/char_filter.h"
#include "foundation/values/translate.h"
#include "widgets/images/ctrl_img.h"

namespace Qor {

namespace {

// The tool buttons sit in a row in the free room of the bottom line, left of the options.
void SetUpToolButton(Button& b, int i, const Image& img, const String& tip)
{
    b.PlaceLeftZoomed(224 + 24 * i, 22).PlaceBottomZoomed(7, 22);
    b.SetImage(img);
    b.SetTipText(tip.Begin());
    b.SetWantsFocus(false);
}

} // namespace

FileSel::FileSel()
{
    filesystem = &StandardFileSystem();
    ApplyFileSelectorLayout(*this);

    ApplyButtonOrder(ok, cancel);
    ok.MakeOk();
    SetCancelBreakAction(cancel, 2);
    cancel.MakeCancel();

    list.iconwidth = 16;
    list.renameonclick = true;
    list.SetColumnCount(columns);
    list.ClickKill();
    list.WhenLeftDouble = MakeCallback(this, &FileSel::OpenItemAction);

    auto wire = [this](Ctrl& c, void (FileSel::*handler)()) {
        c.SetAction(MakeCallback(this, handler));
        AppendChild(c);
    };
    wire(dirup, &FileSel::DirUp);
    wire(sortext, &FileSel::Reload);
    wire(hidden, &FileSel::Reload);
    wire(hiddenfiles, &FileSel::Reload);
    wire(newfolder, &FileSel::NewFolder);
    wire(selectfiles, &FileSel::SelectFiles);
    wire(unselectfiles, &FileSel::UnselectFiles);
    wire(togglefiles, &FileSel::ToggleFiles);

    ok.SetAction(MakeCallback(this, &FileSel::OkPressed));
    list.SetAction(MakeCallback(this, &FileSel::UpdateFileInfo));
    file.SetAction(MakeCallback(this, &FileSel::UpdateOkButton));
    list.WhenRename = MakeCallback(this, &FileSel::RenameFile);

    AllowResize(true);

    SetUpToolButton(dirup, 0, CtrlImg::DirUp(), String(Translate("Dir up")) + " (Ctrl+Up)");
    SetUpToolButton(newfolder, 1, CtrlImg::MkDir(), String(Translate("Create directory")) + " (F7)");
    SetUpToolButton(selectfiles, 2, CtrlImg::Plus(), Translate("Select files"));
    SetUpToolButton(unselectfiles, 3, CtrlImg::Minus(), Translate("Unselect files"));
    SetUpToolButton(togglefiles, 4, CtrlImg::Toggle(), Translate("Toggle files"));

    type.SetAction(MakeCallback(this, &FileSel::ClearSearchAndReload));
    sortext.SetValue(0);

    search.SetNullText("Search", GetStandardFont().Italic(), SysColorDisabled());
    search.SetFilter(UpperAsciiLetter);
    search.SetAction(MakeCallback(this, &FileSel::Reload));

    for(Label* l : { &filename, &filesize, &filetime }) {
        l->SetFont(GetStandardFont());
        l->SetFrame(GetSunkenLineFrame());
    }
    filesize.SetAlign(LABEL_ALIGN_RIGHT);

    dir.SetAction(MakeCallback(this, &FileSel::ClearSearchAndReload));
    dir.ShowUnlisted();
    dir.GetList().SetDropLines(24);

    readonly.SetVisible(false);

    reservedint = 0;
    confirm = true;
    multiselect = false;

    InsertChildBefore(sizegrip, GetFirstChild());
    preview = nullptr;

    ArrangePanes();
    UseBackBuffer();

    places.AddIndex();
    ArrayCtrl::Column& column = places.AddColumn();
    column.AddIndex(2);
    places.AddIndex();
    column.SetDisplay(GetPlaceDisplay());
    places.AddIndex();
    places.GetHeader().SetHidden();
    places.NoGrid();
    places.WhenLeftClick = MakeCallback(this, &FileSel::PlaceChosen);
    places.SetWantsFocus(false);

    AddFolderPlaces();

    list.GetScrollBar().SetAutoHide(true);
    places.GetScrollBar().SetAutoHide(true);
}

FileSel::~FileSel() { WhenIcon.Clear(); }

void FileSel::OpenItemAction() { OpenItem(); }

} // namespace Qor
