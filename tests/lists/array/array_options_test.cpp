// A list as construction and Reset leave it: options, frames, colours, the row name, tab
// moving; Reset after use; the option setters; the standard row menu.
#include "tests/lists/array/array_fixture.h"

#include "draw/font/font_metrics.h"
#include "draw/look/sys_colors.h"
#include "foundation/string_stream.h"
#include "widgets/bar/bar.h"
#include "widgets/frame/view_edge.h"

namespace {

using namespace Qor;
using namespace QorTest;

TEST(ArrayOptions, ANewListHasTheDefaults)
{
    ArrayCtrl list;
    const struct {
        dword option;
        bool on;
    } cases[] = {
        { ArrayCtrl::HORZ_GRID, true },          { ArrayCtrl::VERT_GRID, true },
        { ArrayCtrl::ASK_BEFORE_REMOVE, true },  { ArrayCtrl::INFO_POPUP, true },
        { ArrayCtrl::FOCUS_SETS_CURSOR, true },  { ArrayCtrl::NO_CURSOR, false },
        { ArrayCtrl::MOUSE_MOVE_CURSOR, false }, { ArrayCtrl::INSERTING_ALLOWED, false },
        { ArrayCtrl::APPENDING_ALLOWED, false }, { ArrayCtrl::APPEND_LINE, false },
        { ArrayCtrl::AUTO_APPEND, false },       { ArrayCtrl::REMOVING_ALLOWED, false },
        { ArrayCtrl::MOVING_ALLOWED, false },    { ArrayCtrl::DUPLICATING_ALLOWED, false },
        { ArrayCtrl::MULTI_SELECT, false },      { ArrayCtrl::NO_BACKGROUND, false },
        { ArrayCtrl::ALL_SORTABLE, false },      { ArrayCtrl::CELL_CTRLS, false },
    };
    for(auto c : cases)
        EXPECT_EQ(list.HasOption(c.option), c.on) << std::hex << c.option;
    EXPECT_EQ(list.GetInsertMode(), 0);
    EXPECT_EQ(list.GetRowName(), "row");
    EXPECT_EQ(list.GetCursor(), -1);
    EXPECT_EQ(list.GetAnchor(), -1);
    EXPECT_EQ(list.GetSortColumn(), -1);
    EXPECT_EQ(list.GetDefaultRowHeight(), GetStandardFontSize().cy);
    EXPECT_EQ(list.GetScrollBar().GetLine(), GetStandardFontSize().cy);
    EXPECT_TRUE(list.GetHeader().IsTabMovingAllowed());
    EXPECT_FALSE(list.GetCornerBox().WantsFocus());
    EXPECT_TRUE(list.WhenAcceptRow());
}

TEST(ArrayOptions, FramesFromTheOutsideInAreViewEdgeScrollBarHeader)
{
    ArrayCtrl list;
    ASSERT_EQ(list.GetFrameCount(), 3);
    EXPECT_EQ(&list.GetFrame(0), static_cast<CtrlFrame*>(&GetViewEdgeFrame()));
    EXPECT_EQ(&list.GetFrame(1), static_cast<CtrlFrame*>(&list.GetScrollBar()));
    EXPECT_EQ(&list.GetFrame(2), static_cast<CtrlFrame*>(&list.GetHeader()));
}

TEST(ArrayOptions, ResetReturnsToANewListButKeepsTheRowColours)
{
    ArrayCtrl list;
    NotificationLog log;
    FillRows(list, 4);
    list.AddColumn("a");
    log.Attach(list);
    ASSERT_TRUE(list.SetCursor(2));
    list.SetEvenRowColor(Color(1, 2, 3), Color(4, 5, 6));
    list.SetGridColor(Color(9, 9, 9));
    list.SetRowName("entry");
    list.SetDefaultRowHeight(40);
    list.NoGrid().MultiSelect().Removing().NoAskRemove().SetInsertMode(2);
    list.SetOption(0x80000000); // a bit no option uses
    list.OnHeaderClick(0);
    log.events.clear();

    list.Reset();
    EXPECT_EQ(log.events, (Events{})) << "the sort left no cursor to kill";
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetIndexCount(), 0);
    EXPECT_EQ(list.GetColumnCount(), 0);
    EXPECT_EQ(list.GetHeader().GetCount(), 0);
    EXPECT_FALSE(list.GetHeader().IsTabMovingAllowed()) << "only a new list lets tabs move";
    for(dword on : { dword(ArrayCtrl::HORZ_GRID), dword(ArrayCtrl::VERT_GRID), ArrayCtrl::ASK_BEFORE_REMOVE })
        EXPECT_TRUE(list.HasOption(on)) << on;
    EXPECT_FALSE(list.HasOption(ArrayCtrl::MULTI_SELECT | ArrayCtrl::REMOVING_ALLOWED));
    EXPECT_TRUE(list.HasOption(0x80000000)) << "bits no option uses are left alone";
    EXPECT_EQ(list.GetInsertMode(), 0);
    EXPECT_EQ(list.GetRowName(), "row");
    EXPECT_EQ(list.GetSortColumn(), -1);
    EXPECT_EQ(list.GetDefaultRowHeight(), GetStandardFontSize().cy);
    EXPECT_EQ(list.GetScrollBar().GetLine(), GetStandardFontSize().cy);

    // The grid colour comes back, the row colours stay: paint a row to see both.
    list.AddColumn("a");
    list.Set(0, 0, 1);
    Value v;
    Color ink, paper;
    dword style;
    list.GetCellPaintInfo(0, 0, false, v, ink, paper, style);
    EXPECT_EQ(paper, Color(1, 2, 3));
    EXPECT_EQ(ink, Color(4, 5, 6));
}

TEST(ArrayOptions, ResetWithACursorAnnouncesItsRemoval)
{
    ArrayCtrl list;
    NotificationLog log;
    FillRows(list, 4);
    log.Attach(list);
    ASSERT_TRUE(list.SetCursor(1));
    log.events.clear();
    list.Reset();
    EXPECT_EQ(log.events, (Events{ "KillCursor 1", "Cursor -1", "Sel -1" }));
}

TEST(ArrayOptions, SettersSwitchTheirOptions)
{
    ArrayCtrl list;
    const struct {
        ArrayCtrl& (ArrayCtrl::*set)(bool);
        dword option;
    } cases[] = {
        { &ArrayCtrl::HorzGrid, ArrayCtrl::HORZ_GRID },
        { &ArrayCtrl::VertGrid, ArrayCtrl::VERT_GRID },
        { &ArrayCtrl::NoCursor, ArrayCtrl::NO_CURSOR },
        { &ArrayCtrl::MouseMoveCursor, ArrayCtrl::MOUSE_MOVE_CURSOR },
        { &ArrayCtrl::Inserting, ArrayCtrl::INSERTING_ALLOWED },
        { &ArrayCtrl::Appending, ArrayCtrl::APPENDING_ALLOWED },
        { &ArrayCtrl::AppendLine, ArrayCtrl::APPEND_LINE },
        { &ArrayCtrl::NoMoveToAppendLine, ArrayCtrl::NO_MOVE_TO_APPEND_LINE },
        { &ArrayCtrl::AutoAppending, ArrayCtrl::AUTO_APPEND },
        { &ArrayCtrl::Removing, ArrayCtrl::REMOVING_ALLOWED },
        { &ArrayCtrl::Moving, ArrayCtrl::MOVING_ALLOWED },
        { &ArrayCtrl::AskRemove, ArrayCtrl::ASK_BEFORE_REMOVE },
        { &ArrayCtrl::Duplicating, ArrayCtrl::DUPLICATING_ALLOWED },
        { &ArrayCtrl::MultiSelect, ArrayCtrl::MULTI_SELECT },
        { &ArrayCtrl::InfoPopup, ArrayCtrl::INFO_POPUP },
        { &ArrayCtrl::NoBackground, ArrayCtrl::NO_BACKGROUND },
        { &ArrayCtrl::FocusSetsCursor, ArrayCtrl::FOCUS_SETS_CURSOR },
    };
    for(auto c : cases) {
        (list.*c.set)(true);
        EXPECT_TRUE(list.HasOption(c.option)) << std::hex << c.option;
        (list.*c.set)(false);
        EXPECT_FALSE(list.HasOption(c.option)) << std::hex << c.option;
    }
    for(int mode : { 1, 2, 0 }) {
        list.SetInsertMode(mode);
        EXPECT_EQ(list.GetInsertMode(), mode);
    }
}

TEST(ArrayOptions, InsertingAllowedMakesRoomForOneMoreRowAtOnce)
{
    ArrayCtrl list;
    list.SetDefaultRowHeight(20);
    FillRows(list, 3);
    EXPECT_EQ(list.GetScrollBar().GetTotal(), 63);
    list.Inserting();
    EXPECT_EQ(list.GetScrollBar().GetTotal(), 84);
}

// The items a building procedure adds: text, enabled, keys.
std::vector<std::string> Items(ArrayCtrl& list)
{
    Bar::ScanKeys scan;
    list.WhenBar(scan);
    std::vector<std::string> v;
    for(const Bar::ScanKeys::KeyItem& item : scan.GetItems())
        v.push_back(std::string(item.enabled ? "+" : "-") + std::to_string(item.keys.GetCount() ? item.keys[0] : 0));
    return v;
}

TEST(ArrayRowMenu, ANewListOffersNothingAndAMultiSelectionListSelectAll)
{
    ArrayCtrl list;
    EXPECT_TRUE(Items(list).empty());
    EXPECT_FALSE(Bar::ScanKeys::Scan(list.WhenBar, 0x30041));
    list.MultiSelect();
    EXPECT_EQ(Items(list), (std::vector<std::string>{ "-" + std::to_string(0x30041) })) << "empty: disabled";
    FillRows(list, 3);
    EXPECT_EQ(Items(list), (std::vector<std::string>{ "+" + std::to_string(0x30041) }));
    EXPECT_TRUE(Bar::ScanKeys::Scan(list.WhenBar, 0x30041));
    EXPECT_EQ(list.GetSelectCount(), 3);
}

} // namespace

namespace {

using namespace Qor;
using namespace QorTest;

// A control outside the rows that keeps the value it is given.
class Holder : public Ctrl {
public:
    Value value;
    void SetValue(const Value& v) override { value = v; }
    Value GetValue() const override { return value; }
};

TEST(ArrayBoundCtrls, ClearingTheRowsEmptiesAndDisablesThem)
{
    ArrayCtrl list;
    FillRows(list, 3);
    Holder name;
    list.AddBoundCtrl(1, name);
    ASSERT_TRUE(list.SetCursor(2));
    EXPECT_EQ(name.value, Value("r2"));
    EXPECT_TRUE(name.IsEnabled());
    list.Clear();
    EXPECT_TRUE(name.value.IsNull());
    EXPECT_FALSE(name.IsEnabled());
}

} // namespace

namespace {

using namespace Qor;

// A window's archive walks its controls in order: a list takes no part in it, neither with
// a value nor with its header's layout, in either direction.
TEST(ArrayArchive, AListKeepsNothingInAWindowsArchive)
{
    ArrayCtrl list;
    list.AddColumn("a");
    list.AddColumn("b");
    list.Set(0, 0, 1);
    list.Set(0, 1, 2);
    list.SetCursor(0);
    StringStream out;
    list.ArchiveBinary(out);
    EXPECT_TRUE(out.GetText().IsEmpty()) << out.GetText().GetLength() << " bytes";
    // What stands at the list's place belongs to the controls after it.
    StringStream in(String("\x05\x06\x07\x08", 4));
    in.SetLoading();
    list.ArchiveBinary(in);
    EXPECT_EQ(in.GetPos(), 0);
    EXPECT_FALSE(in.IsError());
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetCursor(), 0);
}

} // namespace
