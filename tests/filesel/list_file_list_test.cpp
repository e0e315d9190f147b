// FileList without a window: its records, the jump by first letter, finding by name and
// sorting that keeps the cursor on its entry.
#include "filesel/list/file_list.h"

#include "draw/font/font.h"
#include "draw/font/font_metrics.h"
#include "foundation/values/value_rep.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Qor;

namespace {

void AddEntry(FileList& list, const char* name, bool folder = false, Color extensionink = Color(1, 2, 3))
{
    list.Add(name, Image(), GetStandardFont(), Color(9, 9, 9), folder, folder ? -1 : 100, Time(), extensionink, "",
             GetStandardFont(), Value(), Color(), false, false);
}

std::vector<std::string> Names(const FileList& list)
{
    std::vector<std::string> names;
    for(int i = 0; i < list.GetCount(); i++)
        names.push_back(list.GetFile(i).name.Begin());
    return names;
}

// Folders first, then by name, as the selector sorts.
class FoldersFirst : public FileList::Order {
public:
    bool Less(const FileList::File& a, const FileList::File& b) const override
    {
        if(a.folder != b.folder)
            return a.folder;
        return strcmp(a.name.Begin(), b.name.Begin()) < 0;
    }
};

class ByNameDescending : public FileList::Order {
public:
    bool Less(const FileList::File& a, const FileList::File& b) const override
    {
        return strcmp(a.name.Begin(), b.name.Begin()) > 0;
    }
};

} // namespace

TEST(FileListTest, TheRecordTravelsInTheItemValue)
{
    FileList list;
    AddEntry(list, "a.txt", false, Color());
    AddEntry(list, "dir", true);
    const Value& v = list.GetKey(0);
    EXPECT_EQ(v.GetTypeNumber(), UNKNOWN_V + TypeNumber("N3Qor8FileList4FileE"));
    EXPECT_FALSE(v.IsNull());
    EXPECT_EQ(list.GetShownValue(0).GetRep(), v.GetRep()); // the same record
    // A Null extension ink is the name's ink.
    EXPECT_EQ(list.GetFile(0).extensionink, Color(9, 9, 9));
    EXPECT_EQ(list.GetFile(1).extensionink, Color(1, 2, 3));
    // Folders can be selected only with selectfolders.
    EXPECT_TRUE(list.GetItem(0).can_select);
    EXPECT_FALSE(list.GetItem(1).can_select);
    list.selectfolders = true;
    AddEntry(list, "dir2", true);
    EXPECT_TRUE(list.GetItem(2).can_select);
}

TEST(FileListTest, FindSetCursorComparesNamesExactly)
{
    FileList list;
    for(const char* n : { "Report.txt", "report.txt", "report" })
        AddEntry(list, n);
    EXPECT_TRUE(list.FindSetCursor("report.txt"));
    EXPECT_EQ(list.GetCursor(), 1);
    EXPECT_FALSE(list.FindSetCursor("REPORT.TXT"));
    EXPECT_EQ(list.GetCursor(), 1);
}

TEST(FileListTest, LetterJumpWalksTheEntriesOfThatLetterAndWraps)
{
    FileList list;
    for(const char* n : { "alpha", "Rose", "beta", "rock", "\xC3\xA9t\xC3\xA9", "2020.log", "\xD0\x96uk", "river" })
        AddEntry(list, n);
    list.letterjump = true;
    struct Step {
        dword key;
        int cursor;
    } steps[] = {
        { 'r', 1 }, { 'r', 3 }, { 'R', 7 }, { 'r', 1 }, // wraps to the first after the last
        { 'e', 4 },                                     // é counts as E
        { '2', 5 }, { 'z', 5 },                         // no entry: the cursor stays, the key is used
    };
    for(const Step& s : steps) {
        EXPECT_TRUE(list.ProcessKey(s.key, 1)) << (char)s.key;
        EXPECT_EQ(list.GetCursor(), s.cursor) << (char)s.key;
    }
    // Without letterjump a letter is not the list's.
    list.letterjump = false;
    EXPECT_FALSE(list.ProcessKey('a', 1));
    EXPECT_EQ(list.GetCursor(), 5);
    // An entry starting with a Cyrillic letter is found by nothing.
    EXPECT_FALSE(list.FindByFirstChar(0, 0));
}

TEST(FileListTest, SortingKeepsTheCursorOnTheSameName)
{
    FileList list;
    for(const char* n : { "c.txt", "a.txt", "sub", "b.txt" })
        AddEntry(list, n, strcmp(n, "sub") == 0);
    list.SetCursor(0);
    list.Sort(FoldersFirst());
    EXPECT_EQ(Names(list), (std::vector<std::string>{ "sub", "a.txt", "b.txt", "c.txt" }));
    EXPECT_EQ(list.GetCursor(), 3);
    list.Sort(ByNameDescending());
    EXPECT_EQ(Names(list), (std::vector<std::string>{ "sub", "c.txt", "b.txt", "a.txt" }));
    EXPECT_EQ(list.GetCursor(), 1);
    // Without a cursor none appears.
    list.KillCursor();
    list.Sort(FoldersFirst());
    EXPECT_FALSE(list.IsCursor());
}

TEST(FileListTest, TheStandardSizeHoldsIconNameAndDescription)
{
    FileList list;
    Font f = GetStandardFont();
    list.Add("ab", Image(), f, Color(), false, 1, Time(), Color(), "", f, Value(), Color(), false, false);
    list.Add("ab", Image(), f, Color(), false, 1, Time(), Color(), "xyz", f, Value(), Color(), false, false);
    int name = f.GetCharWidth('a') + f.GetCharWidth('b');
    int description = f.GetCharWidth('x') + f.GetCharWidth('y') + f.GetCharWidth('z');
    EXPECT_EQ(list.GetStandardSize(list.GetKey(0)), Size(2 + name + 16 + 5, list.GetItemHeight()));
    EXPECT_EQ(list.GetStandardSize(list.GetKey(1)).cx, 2 + name + 16 + 5 + description + f.GetMetrics().height);
}
