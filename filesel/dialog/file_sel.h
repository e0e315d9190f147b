// FileSel: the file selector dialog. It lists one folder, moves between folders and a
// list of places, filters by a type mask and a search text, creates and renames folders,
// and accepts one name (or several) for opening, for saving or as a chosen folder.
#pragma once

#include "filesel/dialog/file_sel_layout.h"
#include "filesel/list/file_list.h"
#include "foundation/callback.h"
#include "foundation/file_system_info.h"
#include "foundation/string.h"
#include "foundation/vector.h"
#include "lists/array/array_ctrl.h"
#include "widgets/scroll/size_grip.h"

namespace Qor {

class Stream;

class FileSel : public WithFileSelectorLayout<TopWindow> {
public:
    enum { MODE_OPEN = 0, MODE_SAVE = 1, MODE_FOLDER = 2 };

    // The whole dialog, places list included; it lists no folder until it reloads.
    FileSel();
    ~FileSel() override;

    // Stores or loads the folder text, placement, list settings, sort choice, splitter
    // and hidden-file options.
    void ArchiveBinary(Stream& s) override;
    // The dialog's shortcuts, for keys the focused control left unused.
    bool ProcessKey(dword key, int count) override;

    // Folder listing, sorting and file information.
    // The folder text joined to basefolder (either alone when the other is empty).
    String GetFolder() const;
    String GetFilePath(const char* name) const;
    // The mask of the chosen type; "*" when none applies.
    String GetActiveMask() const;
    void Reload();
    void ClearSearchAndReload();
    void UpdateFileInfo();
    void UpdateOkButton();

    // Places. A negative row means the end.
    void AddPlace(const String& path, const Image& icon, const String& name, const char* group, int row);
    void AddPlacePath(const String& path, const String& name, const char* group, int row);
    void AddFolderPlaces();
    void AddSystemPlaces(int row);
    void ArrangePanes();
    void PlaceSplitterBars();
    void PlaceChosen();

    // Navigation, new folder, rename and selection by mask.
    void SetFolder(const String& folder);
    void DirUp();
    // Enters the cursor folder (true), else accepts unless choosing a folder (false).
    bool OpenItem();
    void NewFolder();
    void RenameFile(const String& oldname, const String& newname);
    void SelectByMask(const char* title, bool select);
    void SelectFiles();
    void UnselectFiles();
    void ToggleFiles();

    // Accepting names.
    void OkPressed();
    // The accept step: fills result and ends the loop with 1 when everything is accepted.
    void Finish();
    // Completes name, appends it to list and empties it.
    void AddResultName(Vector<String>& list, String& name);

    SizeGrip sizegrip;
    Button dirup;
    Button newfolder;
    Button selectfiles;
    Button unselectfiles;
    Button togglefiles;

    Vector<String> masks;        // an int key k of `type` stands for masks[k]
    Vector<String> reservedlist; // carried by the stored state only
    int reservedint = 0;         // carried by the stored state only
    FileSystemInfo* filesystem;
    String lastfolder;       // the folder text of the last listing that worked
    String basefolder;       // when set, the folder text is relative to it
    String reservedtext;     // carried by the stored state only
    String defaultext;       // given to a typed name without extension
    Vector<String> result;   // the names of the last accept step
    Ctrl* preview = nullptr; // optional third pane, given the cursor file's path

    FileList list;
    ArrayCtrl places;

    int mode = MODE_OPEN;
    bool confirm = true;
    bool multiselect = false;

    // May replace the icon of a listed entry: (is a folder, the entry, its icon).
    CallbackHolder<void, bool, const FileSystemEntry&, Image&> WhenIcon;
    int columns = 1; // columns of `list`, 1 to 4

private:
    // The file list's double click, which has no use for OpenItem's answer.
    void OpenItemAction();
};

} // namespace Qor
