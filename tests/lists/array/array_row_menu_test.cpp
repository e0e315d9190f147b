// The standard row menu as a menu builds it: which items the options bring, their texts with
// the row name, help texts, keys and enables; and the keys that run them through a scan.
#include "lists/array/array_ctrl.h"

#include "tests/lists/array/array_fixture.h"

#include "foundation/values/translate.h"
#include "lists/text/list_messages.h"
#include "widgets/bar/bar.h"

#include <algorithm>
#include <memory>

namespace {

using namespace Qor;
using namespace QorTest;

struct Entry {
    std::string text;
    std::string help;
    dword key = 0;
    bool enabled = true;
};

// A menu that keeps what the builder adds.
class RecordingBar : public Bar {
public:
    class RecordedItem : public Item {
    public:
        Entry entry;
        Item& Text(const char* t) override
        {
            entry.text = t;
            return *this;
        }
        Item& Help(const char* t) override
        {
            entry.help = t;
            return *this;
        }
        Item& Key(dword k) override
        {
            entry.key = k;
            return *this;
        }
        Item& Enable(bool on) override
        {
            entry.enabled = on;
            return *this;
        }
    };
    std::vector<std::unique_ptr<RecordedItem>> items;

    Item& AddItem(Callback) override { return *items.emplace_back(std::make_unique<RecordedItem>()); }
    Item& AddSubMenu(Callback1<Bar&>) override { return NilItem(); }
    void AddCtrl(Ctrl*, int) override {}
    void AddCtrl(Ctrl*, Size) override {}
    bool IsEmpty() const override { return items.empty(); }
    void Separator() override {}
    bool TakesMenuItems() const override { return true; }

    std::vector<std::string> Texts() const
    {
        std::vector<std::string> t;
        for(const auto& i : items)
            t.push_back(i->entry.text);
        return t;
    }
    const Entry* Find(const std::string& text) const
    {
        for(const auto& i : items)
            if(i->entry.text == text)
                return &i->entry;
        return nullptr;
    }
};

constexpr dword INSERT = 0x1FF63;
constexpr dword SHIFT_INSERT = 0x5FF63;
constexpr dword CTRL_INSERT = 0x3FF63;
constexpr dword CTRL_ENTER = 0x2000D;
constexpr dword DEL = 0x1FFFF;
constexpr dword CTRL_UP = 0x3FF52;
constexpr dword CTRL_DOWN = 0x3FF54;
constexpr dword CTRL_A = 0x30041;

class RowMenu : public ::testing::Test {
protected:
    ArrayCtrl list;
    Ctrl editor;

    void SetUp() override
    {
        list.AddColumn();
        list.AddColumn();
        FillRows(list, 3);
    }
    RecordingBar bar;

    // The menu as it is built now.
    RecordingBar& Build()
    {
        bar.items.clear();
        list.StdBar(bar);
        return bar;
    }
};

TEST_F(RowMenu, ANewListOffersNothing)
{
    EXPECT_TRUE(Build().IsEmpty());
    ASSERT_TRUE(list.SetCursor(1));
    for(dword key : { INSERT, DEL, CTRL_UP, CTRL_A })
        EXPECT_FALSE(Bar::ScanKeys::Scan(list.WhenBar, key)) << key;
}

TEST_F(RowMenu, TheOptionsBringTheirItemsInOrderWithTheirKeys)
{
    using Items = std::vector<std::pair<std::string, dword>>;
    struct Case {
        const char* options;
        void (*set)(ArrayCtrl&);
        Items items;
    } cases[] = {
        { "inserting and appending",
          [](ArrayCtrl& l) { l.Inserting().Appending(); },
          { { "Insert row", INSERT }, { "Append row", SHIFT_INSERT } } },
        { "appending alone", [](ArrayCtrl& l) { l.Appending(); }, { { "Append row", INSERT } } },
        { "auto-append", [](ArrayCtrl& l) { l.AutoAppending(); }, { { "Append row", INSERT } } },
        { "insert mode 1",
          [](ArrayCtrl& l) { l.SetInsertMode(1); },
          { { "Insert row before", INSERT }, { "Insert row after", SHIFT_INSERT } } },
        { "insert mode 2 beside inserting",
          [](ArrayCtrl& l) { l.Inserting().SetInsertMode(2); },
          { { "Insert row", INSERT }, { "Insert row after", INSERT }, { "Insert row before", SHIFT_INSERT } } },
        { "the rest",
          [](ArrayCtrl& l) { l.Duplicating().Removing().Moving().MultiSelect(); },
          { { "Duplicate row", CTRL_INSERT },
            { "Delete row\tDelete", DEL },
            { "Move row up", CTRL_UP },
            { "Move row down", CTRL_DOWN },
            { "Select all", CTRL_A } } },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.options);
        ArrayCtrl l;
        c.set(l);
        RecordingBar items;
        l.StdBar(items);
        Items got;
        for(const auto& i : items.items)
            got.emplace_back(i->entry.text, i->entry.key);
        EXPECT_EQ(got, c.items);
    }
}

TEST_F(RowMenu, HelpTextsCarryTheRowName)
{
    list.SetRowName("entry");
    list.Inserting().SetInsertMode(1).Appending().Duplicating().Removing().Moving().MultiSelect();
    list.GetColumn(0).SetEditor(editor);
    Build();
    std::pair<const char*, const char*> expected[] = {
        { "Insert entry", "Insert a new entry into the table." },
        { "Insert entry before", "Insert a new entry into the table before current" },
        { "Insert entry after", "Insert a new entry into the table after current" },
        { "Append entry", "Append a new entry at the end of the table." },
        { "Duplicate entry", "Duplicate current table entry." },
        { "Edit entry", "Edit active entry." },
        { "Delete entry\tDelete", "Delete active entry." },
        { "Move entry up", "Swap entry with previous thus moving it up." },
        { "Move entry down", "Swap entry with next thus moving it down." },
        { "Select all", "Select all table rows" },
    };
    ASSERT_EQ(bar.items.size(), std::size(expected));
    for(size_t i = 0; i < std::size(expected); i++) {
        EXPECT_EQ(bar.items[i]->entry.text, expected[i].first);
        EXPECT_EQ(bar.items[i]->entry.help, expected[i].second);
    }
    EXPECT_EQ(bar.Find("Edit entry")->key, CTRL_ENTER);
    // One edit item however many columns have editors.
    Ctrl other;
    list.GetColumn(1).SetEditor(other);
    std::vector<std::string> texts = Build().Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Edit entry"), 1);
}

TEST_F(RowMenu, EnablesFollowTheEditableFlagTheEditAndTheCursor)
{
    list.Inserting().Appending().Duplicating().Removing().Moving();
    list.GetColumn(0).SetEditor(editor);
    struct Case {
        const char* state;
        void (*set)(ArrayCtrl&);
        std::vector<std::string> disabled;
    } cases[] = {
        { "cursor on the middle row", [](ArrayCtrl& l) { l.SetCursor(1); }, {} },
        { "no cursor",
          [](ArrayCtrl& l) { l.ClearCursor(); },
          { "Duplicate row", "Edit row", "Delete row\tDelete", "Move row up", "Move row down" } },
        { "first row", [](ArrayCtrl& l) { l.SetCursor(0); }, { "Move row up" } },
        { "last row", [](ArrayCtrl& l) { l.SetCursor(2); }, { "Move row down" } },
        { "editing",
          [](ArrayCtrl& l) {
              l.SetCursor(1);
              l.StartEdit(0);
          },
          { "Append row", "Duplicate row", "Edit row", "Delete row\tDelete" } },
        { "read-only",
          [](ArrayCtrl& l) {
              l.SetCursor(1);
              l.SetEditable(false);
          },
          { "Insert row", "Append row", "Duplicate row", "Edit row", "Delete row\tDelete" } },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.state);
        list.SetEditable(true);
        list.EndEdit();
        c.set(list);
        std::vector<std::string> disabled;
        for(const auto& i : Build().items)
            if(!i->entry.enabled)
                disabled.push_back(i->entry.text);
        EXPECT_EQ(disabled, c.disabled);
    }
}

TEST_F(RowMenu, KeysRunTheEnabledItemBoundToThem)
{
    list.Inserting().Appending().Removing().NoAskRemove();
    ASSERT_TRUE(list.SetCursor(1));
    EXPECT_TRUE(Bar::ScanKeys::Scan(list.WhenBar, INSERT));
    EXPECT_EQ(list.GetCursor(), 1) << "Insert put a new row before the cursor row";
    EXPECT_TRUE(list.GetStoredValue(1, 1).IsNull());
    EXPECT_TRUE(Bar::ScanKeys::Scan(list.WhenBar, SHIFT_INSERT));
    EXPECT_EQ(list.GetCursor(), 4) << "Shift+Insert appended";
    EXPECT_TRUE(Bar::ScanKeys::Scan(list.WhenBar, DEL));
    EXPECT_EQ(list.GetCount(), 4);
    ASSERT_TRUE(list.ClearCursor());
    EXPECT_FALSE(Bar::ScanKeys::Scan(list.WhenBar, DEL)) << "the item is disabled without a cursor";
    EXPECT_EQ(list.GetCount(), 4);
}

TEST_F(RowMenu, SelectAllNeedsRows)
{
    ArrayCtrl empty;
    empty.MultiSelect();
    empty.StdBar(bar);
    ASSERT_EQ(bar.items.size(), 1u);
    EXPECT_FALSE(bar.items[0]->entry.enabled);
}

TEST(ListMessagesTest, TheRowMenuSpeaksTheLanguagesOfItsTable)
{
    RegisterListMessages(); // a second call adds nothing
    LanguageCode de = MakeLanguageCode('D', 'E', 'D', 'E');
    LanguageCode fr = MakeLanguageCode('F', 'R', 'F', 'R');
    LanguageCode fi = MakeLanguageCode('F', 'I', 'F', 'I');
    struct Case {
        LanguageCode language;
        const char* id;
        const char* text;
    } cases[] = {
        { de, "row", "Zeile" },
        { de, "Delete %s\tDelete", "%s löschen\tEntf" },
        { fr, "Do you really want to delete the selected %s ?", "Voulez-vous vraiment supprimer la %s sélectionnée ?" },
        { de, "Select all table rows", "Alle Tabellenzeilen auswählen" },
        { fi, "Move %s up", "Move %s up" }, // no translation: the English text
    };
    for(const Case& c : cases)
        EXPECT_EQ(TranslateTo(c.language, c.id), c.text) << c.id;
    int modules = 0;
    for(int m = 0; m < TranslationModuleCount(); m++)
        modules += GetTranslationModule(m).Find("Swap %s with next thus moving it down.") >= 0;
    EXPECT_EQ(modules, 1);
}

} // namespace
