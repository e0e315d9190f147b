// The stored state of the file selector: a round trip through a fresh dialog, an older
// version's record, and damaged records that leave the dialog exactly as it was.
#include "tests/filesel/gui/selector_fixture.h"

#include "foundation/stream.h"
#include "foundation/string_stream.h"

#include "tests/support/printers.h"

namespace {

using namespace Qor;
using namespace QorTest;

using StateGuiTest = SelectorTest;

struct State {
    std::string folder;
    int sortext;
    int hidden;
    int hiddenfiles;
    std::string reservedtext;
    int reservedint;
    int columns;
    bool operator==(const State&) const = default;
};

void PrintTo(const State& s, std::ostream* os)
{
    *os << "{" << s.folder << ", sort " << s.sortext << ", hidden " << s.hidden << "/" << s.hiddenfiles << ", "
        << s.reservedtext << ", " << s.reservedint << ", columns " << s.columns << "}";
}

State Read(const FileSel& fs)
{
    return { Std(fs.dir.GetValue().GetString()),
             fs.sortext.GetValue().ToInt(),
             fs.hidden.GetValue().ToInt(),
             fs.hiddenfiles.GetValue().ToInt(),
             Std(fs.reservedtext),
             fs.reservedint,
             fs.list.GetColumnCount() };
}

String Store(FileSel& fs)
{
    StringStream out;
    fs.ArchiveBinary(out);
    return out.GetText();
}

void Prepare(FileSel& fs, const char* folder, int sortext, int hidden, int hiddenfiles, int columns)
{
    fs.dir.SetValue(folder);
    fs.sortext.SetValue(sortext);
    fs.hidden.SetValue(hidden);
    fs.hiddenfiles.SetValue(hiddenfiles);
    fs.list.SetColumnCount(columns);
}

TEST_F(StateGuiTest, ARoundTripReproducesTheState)
{
    FileSel stored;
    stored.SetRect(0, 0, 700, 500);
    Prepare(stored, "/some/folder", 1, 1, 1, 2);
    stored.reservedtext = "kept text";
    stored.reservedint = 42;
    String record = Store(stored);
    ASSERT_FALSE(record.IsEmpty());
    EXPECT_EQ(record[0], 11) << "version 10, packed";

    FileSel loaded;
    loaded.SetRect(0, 0, 700, 500);
    StringStream in(record);
    loaded.ArchiveBinary(in);
    EXPECT_FALSE(in.IsError());
    EXPECT_EQ(Read(loaded), Read(stored));
    EXPECT_EQ(Read(loaded), (State{ "/some/folder", 1, 1, 1, "kept text", 42, 2 }));
}

TEST_F(StateGuiTest, AVersionOneRecordCarriesTheResultAndEndsThere)
{
    StringStream out;
    int version = 1, dummy = 0;
    String folder = "/old/place";
    Vector<String> result;
    result.Add("a.txt");
    result.Add("b c.txt");
    out.SerializeCount(version);
    out.SerializeCount(dummy);
    out.Serialize(folder);
    out.Serialize(result);
    String record = out.GetText();

    FileSel fs;
    Prepare(fs, "/new", 1, 1, 0, 1);
    StringStream in(record);
    fs.ArchiveBinary(in);
    EXPECT_FALSE(in.IsError());
    EXPECT_EQ(Read(fs), (State{ "/old/place", 1, 1, 0, "", 0, 1 })) << "later fields untouched";
    ASSERT_EQ(fs.result.GetCount(), 2);
    EXPECT_EQ(fs.result[1], "b c.txt");
}

TEST_F(StateGuiTest, ADamagedRecordLeavesTheDialogAsItWas)
{
    FileSel stored;
    stored.SetRect(0, 0, 700, 500);
    Prepare(stored, "/stored/folder", 1, 1, 1, 2);
    stored.reservedtext = "stored";
    String record = Store(stored);

    FileSel fs;
    fs.SetRect(0, 0, 700, 500);
    Prepare(fs, "/current", 0, 0, 1, 1);
    const State before = Read(fs);
    Rect rect = fs.GetRectInParent();
    // Every cut of the record ends before its last field.
    for(int n = 1; n < record.GetLength(); n++) {
        StringStream in(record.Left(n));
        fs.ArchiveBinary(in);
        EXPECT_TRUE(in.IsError()) << n << " bytes";
        EXPECT_EQ(Read(fs), before) << n << " bytes";
    }
    EXPECT_EQ(fs.GetRectInParent(), rect);

    // A stream that throws still leaves the state alone, and the error reaches the caller.
    StringStream in(record.Left(record.GetLength() - 1));
    in.SetLoadThrowing();
    EXPECT_THROW(fs.ArchiveBinary(in), LoadingError);
    EXPECT_EQ(Read(fs), before);

    // A whole record whose list settings the list refuses (more columns than fit) fails
    // part way, after the folder text and the placement were read.
    StringStream settings;
    stored.list.SerializeSettings(settings);
    String good = settings.GetText();
    int at = record.Find(good.Begin());
    ASSERT_GE(at, 0);
    String refused = good.Left(good.GetLength() - 1) + String("\xF0", 1);
    String patched = record.Left(at) + refused + record.Mid(at + good.GetLength());
    StringStream patched_in(patched);
    fs.ArchiveBinary(patched_in);
    EXPECT_TRUE(patched_in.IsError());
    EXPECT_EQ(Read(fs), before);
    EXPECT_EQ(fs.GetRectInParent(), rect);
}

} // namespace
