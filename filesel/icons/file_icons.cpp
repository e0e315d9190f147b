// Choosing the icon of a listed entry, a volume, a folder path or a root.
#include "filesel/icons/file_icons.h"

#include "filesel/icons/mime_globs.h"
#include "foundation/path.h"
#include "foundation/process_environment.h"
#include "hostlook/gtk/gtk_icons.h"
#include "widgets/images/ctrl_img.h"

#if defined(__SANITIZE_ADDRESS__)
#define QOR_FILESEL_LSAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QOR_FILESEL_LSAN 1
#endif
#endif
#ifdef QOR_FILESEL_LSAN
#include <sanitizer/lsan_interface.h>
#endif

namespace Qor {

namespace {

#ifdef QOR_FILESEL_LSAN
using LeakCheckPause = __lsan::ScopedDisabler;
#else
struct LeakCheckPause {};
#endif

// The glob files are read by the first icon made for an extension, and never again.
bool mime_globs_loaded = false;

bool IsEmptyImage(const Image& m)
{
    Size sz = m.GetSize();
    return sz.cx == 0 && sz.cy == 0;
}

bool BeginsWith(const String& s, const char* text) { return s.Find(text) == 0; }

struct FsIcons {
    Image regular = GetThemeFileIcon("fs-regular");
    Image executable = GetThemeFileIcon("fs-executable");
    Image directory = GetThemeFileIcon("fs-directory");
    Image home = GetThemeFileIcon("fs-home");
    Image desktop = GetThemeFileIcon("fs-desktop");
};

struct DevIcons {
    Image computer = GetThemeFileIcon("dev-computer");
    Image cdrom = GetThemeFileIcon("dev-cdrom");
    Image floppy = GetThemeFileIcon("dev-floppy");
    Image harddisk = GetThemeFileIcon("dev-harddisk");
};

const Image& Either(const Image& theme, const Image& fallback) { return IsEmptyImage(theme) ? fallback : theme; }

} // namespace

Image GetThemeFileIcon(const char* name)
{
    String icon = String("gnome-") + name;
    // GTK 2 loses a short string each time it loads an icon file; each icon is loaded once
    // per process (the fixed ones are kept, the MIME ones made once), so the loss is bounded.
    // The leak checker is told to look away for this call only.
    [[maybe_unused]] LeakCheckPause pause;
    return LoadGtkThemeIcon(icon.Begin(), false);
}

String FileExtMaker::GetKey() const { return ext; }

Image FileExtMaker::Make() const
{
    MimeGlobMap& map = GetMimeGlobMap();
    if(!mime_globs_loaded) {
        LoadMimeGlobs(map);
        mime_globs_loaded = true;
    }
    String major, subtype;
    if(!map.Find(ext, major, subtype))
        return Image();
    Image icon = GetThemeFileIcon(("mime-" + major + "-" + subtype).Begin());
    if(!IsEmptyImage(icon))
        return icon;
    return GetThemeFileIcon(("mime-" + major).Begin());
}

Image GetFileIcon(const String& folder, const String& name, bool isfolder, bool executable)
{
    static FsIcons icons;
    if(isfolder) {
        if(JoinPath(folder, name.Begin()) == HomeFolder())
            return icons.home;
        if(folder == HomeFolder() && name == "Desktop")
            return icons.desktop;
        if(folder != "/media" && !name.IsEmpty())
            return icons.directory;
        return GetDriveIcon(name);
    }
    String e = ExtensionOfPath(name.Begin());
    if(!e.IsEmpty()) {
        FileExtMaker maker;
        maker.ext = e.Mid(1);
        Image icon = GetMadeImage(maker);
        if(!IsEmptyImage(icon))
            return icon;
    }
    return executable ? icons.executable : icons.regular;
}

Image GetDriveIcon(const String& name)
{
    static DevIcons icons;
    if(name.IsEmpty() || name == "/")
        return Either(icons.computer, CtrlImg::Computer());
    if(BeginsWith(name, "cdrom") || BeginsWith(name, "cdrecorder"))
        return Either(icons.cdrom, CtrlImg::CdRom());
    if(BeginsWith(name, "floppy") || BeginsWith(name, "zip"))
        return Either(icons.floppy, CtrlImg::Diskette());
    return Either(icons.harddisk, CtrlImg::Hd());
}

Image GetPathIcon(const char* path)
{
    Image icon = GetFileIcon(FolderOfPath(path), NameOfPath(path), true, false);
    return IsEmptyImage(icon) ? CtrlImg::Dir() : icon;
}

Image GetRootIcon(int kind)
{
    switch(kind) {
    case 1:
        return Image();
    case 2:
        return CtrlImg::Diskette();
    case 5:
        return CtrlImg::CdRom();
    case 8:
        return CtrlImg::Computer();
    default:
        return CtrlImg::Hd();
    }
}

} // namespace Qor
