// One folder into the file list.
#include "filesel/folder/load_file_list.h"

#include "draw/image/pixel_buffer.h"
#include "draw/look/sys_colors.h"
#include "filesel/folder/search_match.h"
#include "filesel/icons/file_icons.h"
#include "foundation/path.h"
#include "widgets/images/ctrl_img.h"

#include <algorithm>
#include <cerrno>

namespace Qor {

namespace {

// Hidden entries are drawn with less contrast: every colour channel drawn toward the
// middle grey by amount / 256.
Image FadeIcon(const Image& icon, int amount)
{
    if(icon.GetLength() == 0)
        return icon;
    Image copy = icon;
    PixelBuffer b(copy);
    UnmultiplyPixels(b.Begin(), b.Begin(), (int)b.GetLength());
    auto fade = [&](byte c) { return (byte)std::clamp(128 + (c - 128) * amount / 256, 0, 255); };
    for(RGBA* p = b.Begin(); p != b.End(); p++) {
        p->r = fade(p->r);
        p->g = fade(p->g);
        p->b = fade(p->b);
    }
    PremultiplyPixels(b.Begin(), b.Begin(), (int)b.GetLength());
    return Image(b);
}

bool LoadRoots(FileList& list, FileSystemInfo& fs, const String& search)
{
    OwnedArray<FileSystemEntry> roots = fs.ListEntries(String(), 1000000);
    for(const FileSystemEntry& e : roots)
        if(MatchesSearch(e, search))
            list.Add(e.name, GetRootIcon(e.root_kind), GetStandardFont().Bold(), SysColorText(), true, -1, Time(),
                     SysColorDisabled(), e.extra_text1, GetStandardFont(), Value(INT_NULL), Color(), false, false);
    return true;
}

} // namespace

bool LoadFileList(FileList& list, const String& folder, const char* patterns, bool foldersonly,
                  const FileIconCallback& whenicon, FileSystemInfo& fs, const String& search, bool showhidden,
                  bool showhiddenfiles)
{
    if(folder.IsEmpty())
        return LoadRoots(list, fs, search);
    bool star_dot_star = fs.PathStyle() & FileSystemInfo::STYLE_ALL_FILES_STAR_DOT_STAR;
    errno = 0;
    OwnedArray<FileSystemEntry> entries = fs.ListEntries(JoinPath(folder, star_dot_star ? "*.*" : "*"), 1000000);
    if(entries.GetCount() == 0)
        return false;
    bool volumes = folder == "/media" || folder == "/mnt";
    Font normal = GetStandardFont();
    Font bold = GetStandardFont().Bold();
    Color grey(0x80, 0x80, 0x80);
    for(const FileSystemEntry& e : entries) {
        bool grayed = foldersonly && !e.is_directory;
        bool hidden_by_rule = star_dot_star && !showhidden ? e.is_hidden : e.name[0] == '.';
        bool visible = !hidden_by_rule || showhidden || (showhiddenfiles && e.is_file);
        if(e.name == "." || e.name == "..")
            continue;
        if(!e.is_directory && !MatchesPatternList(patterns, e.name.Begin()))
            continue;
        if(!visible || !MatchesSearch(e, search))
            continue;
        bool executable = e.mode & 0111;
        Image icon = volumes ? GetDriveIcon(e.name) : GetFileIcon(folder, e.name, e.is_directory, executable);
        if(icon.GetLength() == 0)
            icon = e.is_directory ? CtrlImg::Dir() : CtrlImg::File();
        if(whenicon)
            whenicon(e.is_directory, e, icon);
        Color ink = grayed ? SysColorDisabled() : e.is_hidden ? MixColors(SysColorText(), grey, 200) : SysColorText();
        Color extension_ink = grayed           ? SysColorDisabled()
                              : e.is_directory ? SysColorText()
                              : e.is_hidden    ? MixColors(SysColorMark(), grey, 200)
                                               : SysColorMark();
        list.Add(e.name, e.is_hidden ? FadeIcon(icon, 200) : icon, e.is_directory ? bold : normal, ink, e.is_directory,
                 e.is_directory ? -1 : e.length, Time(), extension_ink, String(), Font::Null(), Value(INT_NULL),
                 Color(), executable, e.is_hidden);
    }
    return true;
}

} // namespace Qor
