// The places list on a real X server: the home and XDG user folders of a private home,
// the volumes of a volume folder (a file system that shows a temporary folder as
// "/media"), a click that lists a place and keeps the cursor on it, and the panes.
#include "tests/filesel/gui/selector_fixture.h"

#include "draw/font/font_metrics.h"
#include "foundation/process_environment.h"

#include "tests/support/printers.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace {

using namespace Qor;
using namespace QorTest;

// "/media" and what lies under it come from another folder; every other path is itself.
class MediaElsewhere : public FileSystemInfo {
public:
    explicit MediaElsewhere(const String& root) : root(root) {}

    OwnedArray<FileSystemEntry> ListEntries(const String& mask, int max_count) override
    {
        return FileSystemInfo::ListEntries(Map(mask), max_count);
    }
    bool MakeFolder(const String& path, String& error) override { return FileSystemInfo::MakeFolder(Map(path), error); }

private:
    String root;

    String Map(const String& path) const
    {
        if(path == "/media" || path.StartsWith("/media/"))
            return root + path.Mid(6);
        return path;
    }
};

// Sets an environment variable for the scope and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name(name)
    {
        const char* old_value = std::getenv(name);
        had = old_value != nullptr;
        old = had ? old_value : "";
        setenv(name, value.c_str(), 1);
        ForgetHomeFolder();
    }
    ~ScopedEnv()
    {
        if(had)
            setenv(name, old.c_str(), 1);
        else
            unsetenv(name);
        ForgetHomeFolder();
    }

private:
    const char* name;
    bool had;
    std::string old;
};

class PlacesGuiTest : public SelectorTest {
protected:
    ScopedEnv home{ "HOME", dir.Path("home") };
    ScopedEnv config{ "XDG_CONFIG_HOME", dir.Path("home/.config") };
    ScopedEnv config_dirs{ "XDG_CONFIG_DIRS", dir.Path("nowhere") };

    void SetUp() override
    {
        SelectorTest::SetUp();
        for(const char* f : { "home", "home/.config", "home/Tunes", "home/Papers", "media", "media/cdrom0",
                              "media/usbstick", "media/floppy0", "media/usbfloppy", "media/.hidden" })
            MakeFolder(f);
        MakeFile("media/cdrom0/disc.iso", 10);
        std::ofstream(dir.Path("home/.config/user-dirs.dirs"))
            << "# written by the test\nXDG_MUSIC_DIR=\"$HOME/Tunes\"\nXDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n";
    }

    // The places gathered again through the file system that shows the test's volumes.
    void GatherPlaces(FileSel& fs, MediaElsewhere& media)
    {
        fs.filesystem = &media;
        fs.places.Clear();
        fs.AddFolderPlaces();
    }
};

struct Place {
    std::string path;
    std::string name;
    std::string group;
    bool operator==(const Place&) const = default;
};

void PrintTo(const Place& p, std::ostream* os) { *os << "{" << p.path << ", " << p.name << ", " << p.group << "}"; }

std::vector<Place> Places(const FileSel& fs)
{
    std::vector<Place> places;
    for(int i = 0; i < fs.places.GetCount(); i++)
        places.push_back({ Std(fs.places.Get(i, 0).GetString()), Std(fs.places.Get(i, 2).GetString()),
                           Std(fs.places.Get(i, 3).GetString()) });
    return places;
}

Point PlacePoint(const FileSel& fs, int row)
{
    Rect view = fs.places.GetViewRectOnScreen();
    Rect top = fs.GetRectOnScreen();
    return Point(view.left + 30 - top.left,
                 view.top + fs.places.GetLineY(row) + fs.places.GetRowHeight(row) / 2 - top.top);
}

TEST_F(PlacesGuiTest, UserFoldersThenTheVolumes)
{
    MediaElsewhere media(PathOf("media"));
    FileSel fs;
    GatherPlaces(fs, media);
    std::vector<Place> places = Places(fs);
    ASSERT_EQ(places.size(), 7u);
    std::string home = dir.Path("home");
    EXPECT_EQ(places[0], (Place{ home, "Home", "PLACES:FOLDER" }));
    EXPECT_EQ(places[1], (Place{ home + "/Desktop", "Desktop", "PLACES:FOLDER" })) << "listed although missing";
    EXPECT_EQ(places[2], (Place{ home + "/Tunes", "Music", "PLACES:FOLDER" }));
    EXPECT_EQ(places[3], (Place{ home + "/Papers", "Documents", "PLACES:FOLDER" }));
    EXPECT_EQ(places[4], (Place{ "", "", "" })) << "the separator";
    // Volumes come in the folder's listing order; floppies and hidden names are left out.
    std::vector<Place> volumes(places.begin() + 5, places.end());
    std::sort(volumes.begin(), volumes.end(), [](const Place& a, const Place& b) { return a.name < b.name; });
    EXPECT_EQ(volumes[0], (Place{ "/media/cdrom0", "cdrom0", "PLACES:SYSTEM" }));
    EXPECT_EQ(volumes[1], (Place{ "/media/usbstick", "usbstick", "PLACES:SYSTEM" }));
    for(int i = 0; i < fs.places.GetCount(); i++)
        if(i != 4) {
            Image icon(fs.places.Get(i, 1));
            EXPECT_EQ(fs.places.GetRowHeight(i), std::max(icon.GetSize().cy + 4, GetStandardFontSize().cy + 4));
        }
}

TEST_F(PlacesGuiTest, AClickListsThePlaceAndKeepsTheCursorOnIt)
{
    MediaElsewhere media(PathOf("media"));
    MakeFile("home/notes.txt");
    FileSel fs;
    GatherPlaces(fs, media);
    ASSERT_TRUE(OpenSelector(fs, Folder()));
    int cdrom = -1;
    for(int i = 0; i < fs.places.GetCount(); i++)
        if(fs.places.Get(i, 2) == Value("cdrom0"))
            cdrom = i;
    ASSERT_GE(cdrom, 0);
    Click(GetHostWindow(fs), PlacePoint(fs, cdrom));
    ASSERT_TRUE(PumpUntil([&] { return fs.dir.GetValue() == Value("/media/cdrom0"); }));
    EXPECT_EQ(ListedNames(fs), (std::vector<std::string>{ "disc.iso" }));
    EXPECT_EQ(fs.places.GetCursor(), cdrom);
    EXPECT_FALSE(fs.places.HasFocus()) << "the places list takes no focus";

    Click(GetHostWindow(fs), PlacePoint(fs, 0));
    ASSERT_TRUE(PumpUntil([&] { return fs.dir.GetValue() == Value(PathOf("home")); }));
    EXPECT_EQ(ListedNames(fs), (std::vector<std::string>{ "Papers", "Tunes", "notes.txt" }));
    EXPECT_EQ(fs.places.GetCursor(), 0);

    // The volume folder itself lists its volumes, floppies included: the filter is the
    // places list's only.
    fs.SetFolder("/media");
    std::vector<std::string> names = ListedNames(fs);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{ "cdrom0", "floppy0", "usbfloppy", "usbstick" }));
}

TEST_F(PlacesGuiTest, PanesFollowThePlacesTheBaseFolderAndThePreview)
{
    MediaElsewhere media(PathOf("media"));
    FileSel fs;
    GatherPlaces(fs, media);
    EXPECT_EQ(fs.splitter.CountChildren(), 2);
    EXPECT_EQ(fs.places.GetParent(), &fs.splitter);

    fs.basefolder = PathOf("home");
    fs.ArrangePanes();
    EXPECT_EQ(fs.splitter.CountChildren(), 1) << "no places beside a base folder";
    EXPECT_EQ(fs.list.GetParent(), &fs.splitter);

    Ctrl preview;
    fs.basefolder.Clear();
    fs.preview = &preview;
    fs.ArrangePanes();
    EXPECT_EQ(fs.splitter.CountChildren(), 3);
    EXPECT_EQ(preview.GetParent(), &fs.splitter);
    fs.preview = nullptr;
    fs.ArrangePanes();
}

} // namespace
