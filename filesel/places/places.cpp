// The places list of the file selector: the user's folders, then the volumes under
// "/media", and the splitter that shows it beside the file list and the preview.
#include "filesel/dialog/file_sel.h"

#include "draw/font/font_metrics.h"
#include "filesel/icons/file_icons.h"
#include "foundation/desktop.h"
#include "foundation/path.h"
#include "foundation/process_environment.h"
#include "foundation/values/translate.h"

#include <algorithm>

namespace Qor {

void FileSel::AddPlace(const String& path, const Image& icon, const String& name, const char* group, int row)
{
    if(path.IsEmpty())
        return;
    if(row < 0)
        row = places.GetCount();
    places.Insert(row);
    places.Set(row, 0, path);
    places.Set(row, 1, icon);
    places.Set(row, 2, name);
    places.Set(row, 3, String(group));
    places.SetRowHeight(row, std::max(icon.GetSize().cy + 4, GetStandardFontSize().cy + 4));
    ArrangePanes();
    PlaceSplitterBars();
}

void FileSel::AddPlacePath(const String& path, const String& name, const char* group, int row)
{
    if(path.IsEmpty())
        return;
    String absolute = MakeAbsolutePath(path.Begin());
    AddPlace(absolute, GetPathIcon(absolute.Begin()), name, group, row);
}

void FileSel::AddFolderPlaces()
{
    struct Place {
        const char* name;
        String (*folder)();
    };
    static const Place folders[] = {
        { "Home", HomeFolder },          { "Desktop", DesktopFolder }, { "Music", MusicFolder },
        { "Pictures", PicturesFolder },  { "Videos", VideosFolder },   { "Documents", DocumentsFolder },
        { "Downloads", DownloadFolder },
    };
    for(const Place& p : folders)
        AddPlacePath(p.folder(), Translate(p.name), "PLACES:FOLDER", -1);
    places.AddSeparator();
    ArrangePanes();
    PlaceSplitterBars();
    AddSystemPlaces(-1);
}

void FileSel::AddSystemPlaces(int row)
{
    if(row < 0)
        row = places.GetCount();
    OwnedArray<FileSystemEntry> volumes = filesystem->ListEntries("/media/*", 1000000);
    for(const FileSystemEntry& e : volumes) {
        if(e.name.StartsWith(".") || e.name.Find("floppy") >= 0)
            continue;
        AddPlacePath("/media/" + e.name, e.name, "PLACES:SYSTEM", row++);
    }
}

void FileSel::ArrangePanes()
{
    splitter.Clear();
    if(places.GetCount() > 0 && basefolder.IsEmpty())
        splitter.Add(places);
    splitter.Add(list);
    if(preview)
        splitter.Add(*preview);
}

void FileSel::PlaceSplitterBars()
{
    int n = splitter.CountChildren();
    int i = 0;
    if(places.GetCount() > 0) {
        splitter.SetPos(2000, 0);
        i = 1;
    }
    splitter.SetPos(12000 - 2000 * n, i);
}

void FileSel::PlaceChosen()
{
    if(!places.IsCursor())
        return;
    dir.SetValue(places.GetCursorKey());
    ClearSearchAndReload();
}

} // namespace Qor
