// File icons from the GTK icon theme: MIME types by extension (the full type, then the
// major type), the fixed folder and volume icons, and the widget images where the theme
// has none. The theme is the tests' own (icons_theme_fixture), each icon one colour.
#include "filesel/icons/file_icons.h"

#include "tests/filesel/gui/icons_theme_fixture.h"
#include "tests/support/x11/input_window.h"

#include "foundation/path.h"
#include "foundation/process_environment.h"
#include "widgets/images/ctrl_img.h"

#include <string>

namespace {

using namespace Qor;
using namespace QorTest;

// "theme:<name>" for an icon of the test theme (told by its colour), "CtrlImg:<name>" for a
// widget image, "empty", or "other".
std::string Which(const Image& m)
{
    Size sz = m.GetSize();
    if(sz.cx == 0 && sz.cy == 0)
        return "empty";
    if(sz.cx == 16 && sz.cy == 16) {
        const RGBA& p = m[8][8];
        Color c(p.r, p.g, p.b);
        for(int i = 0; i < TEST_THEME_ICON_COUNT; i++)
            if(p.a == 255 && TEST_THEME_ICONS[i].color == c)
                return std::string("theme:") + TEST_THEME_ICONS[i].name;
    }
    struct Named {
        const char* name;
        Image image;
    } images[] = { { "Dir", CtrlImg::Dir() },     { "File", CtrlImg::File() },
                   { "Hd", CtrlImg::Hd() },       { "Diskette", CtrlImg::Diskette() },
                   { "CdRom", CtrlImg::CdRom() }, { "Computer", CtrlImg::Computer() } };
    for(const Named& n : images)
        if(m.GetSerialId() == n.image.GetSerialId())
            return std::string("CtrlImg:") + n.name;
    return "other";
}

class FileIconsGui : public PrivateDisplayTest {};

TEST_F(FileIconsGui, FilesGetTheIconOfTheirMimeTypeOrTheFallBack)
{
    struct Case {
        const char* name;
        bool executable;
        const char* icon;
    } cases[] = {
        { "notes.txt", false, "theme:mime-text-plain" },
        { "photo.png", false, "theme:mime-image" }, // no image-png icon: the major type's
        { "notes.TXT", false, "theme:fs-regular" }, // the map keeps the globs' case
        { "README", false, "theme:fs-regular" },
        { "run", true, "theme:fs-executable" },
        { "data.qorunknown", true, "theme:fs-executable" },
        { "archive.tar.gz", false, "theme:fs-regular" }, // looked up as gz, which has no icon here
    };
    for(const Case& c : cases)
        EXPECT_EQ(Which(GetFileIcon("/tmp", c.name, false, c.executable)), c.icon) << c.name;
}

TEST_F(FileIconsGui, FoldersHomeDesktopAndVolumes)
{
    String home = HomeFolder();
    struct Case {
        String folder;
        String name;
        const char* icon;
    } cases[] = {
        { FolderOfPath(home.Begin()), NameOfPath(home.Begin()), "theme:fs-home" },
        { home, "Desktop", "theme:fs-desktop" },
        { JoinPath(home, "Desktop"), "Desktop", "theme:fs-directory" },
        { home, "desktop", "theme:fs-directory" },
        { "/tmp", "docs", "theme:fs-directory" },
        { "/media", "cdrom0", "theme:dev-cdrom" },
        { "/media", "cdrecorder", "theme:dev-cdrom" },
        { "/media", "mycdrom", "theme:dev-harddisk" }, // the name must begin with cdrom
        { "/media", "floppy", "CtrlImg:Diskette" },    // the theme has no floppy icon
        { "/media", "zip1", "CtrlImg:Diskette" },
        { "/media", "usb", "theme:dev-harddisk" },
        { "/tmp", "", "theme:dev-computer" },
    };
    for(const Case& c : cases)
        EXPECT_EQ(Which(GetFileIcon(c.folder, c.name, true, false)), c.icon)
            << c.folder.Begin() << " " << c.name.Begin();
    EXPECT_EQ(Which(GetDriveIcon("/")), "theme:dev-computer");
    EXPECT_EQ(Which(GetPathIcon("/media/cdrom")), "theme:dev-cdrom");
    EXPECT_EQ(Which(GetPathIcon("/usr/share")), "theme:fs-directory");
}

TEST_F(FileIconsGui, RootKindsShowWidgetImages)
{
    struct Case {
        int kind;
        const char* icon;
    } cases[] = { { 1, "empty" },         { 2, "CtrlImg:Diskette" }, { 3, "CtrlImg:Hd" },
                  { 5, "CtrlImg:CdRom" }, { 8, "CtrlImg:Computer" }, { 0, "CtrlImg:Hd" } };
    for(const Case& c : cases)
        EXPECT_EQ(Which(GetRootIcon(c.kind)), c.icon) << c.kind;
}

} // namespace
