// The edit field's key table, row by row, on editable and read-only fields; undo and redo.
#include "tests/widgets/edit/edit_field_fixture.h"

namespace {

using namespace Qor;
using namespace QorTest;

constexpr dword SHIFT = 0x40000, CTRL = 0x20000, ALT = 0x80000;
constexpr dword HOME = 0x1FF50, LEFT = 0x1FF51, RIGHT = 0x1FF53, END = 0x1FF57, INSERT = 0x1FF63, DEL = 0x1FFFF;
constexpr dword BACKSPACE = 8, ENTER = 13;
constexpr dword CtrlLetter(char c) { return CTRL | 0x10000 | dword(c); }

struct KeyCase {
    const char* name;
    const char* text;
    int cursor;
    int anchor;
    dword key;
    int count;
    bool editable;
    const char* clip_before; // put on the clipboard first; null: empty clipboard
    bool taken;
    const char* want_text;
    int want_cursor;
    int want_anchor;
    int want_actions;
    const char* want_clip; // null: not checked
};

const KeyCase key_cases[] = {
    { "Home", "abc", 2, -1, HOME, 1, true, nullptr, true, "abc", 0, -1, 0, nullptr },
    { "Shift+Home selects to the start", "abc", 3, -1, SHIFT | HOME, 1, true, nullptr, true, "abc", 0, 3, 0, nullptr },
    { "End", "abc", 1, -1, END, 1, true, nullptr, true, "abc", 3, -1, 0, nullptr },
    { "Shift+End", "abc", 1, -1, SHIFT | END, 1, true, nullptr, true, "abc", 3, 1, 0, nullptr },
    { "Left", "abc", 2, -1, LEFT, 1, true, nullptr, true, "abc", 1, -1, 0, nullptr },
    { "Left at the start stays", "abc", 0, -1, LEFT, 1, true, nullptr, true, "abc", 0, -1, 0, nullptr },
    { "Left drops the selection", "abc", 3, 1, LEFT, 1, true, nullptr, true, "abc", 2, -1, 0, nullptr },
    { "Shift+Left", "abc", 2, -1, SHIFT | LEFT, 1, true, nullptr, true, "abc", 1, 2, 0, nullptr },
    { "Right", "abc", 1, -1, RIGHT, 1, true, nullptr, true, "abc", 2, -1, 0, nullptr },
    { "Right at the end stays", "abc", 3, -1, RIGHT, 1, true, nullptr, true, "abc", 3, -1, 0, nullptr },
    { "Shift+Right", "abc", 1, -1, SHIFT | RIGHT, 1, true, nullptr, true, "abc", 2, 1, 0, nullptr },
    { "Ctrl+Left", "ab cd", 5, -1, CTRL | LEFT, 1, true, nullptr, true, "ab cd", 3, -1, 0, nullptr },
    { "Ctrl+Left over spaces", "ab  cd", 4, -1, CTRL | LEFT, 1, true, nullptr, true, "ab  cd", 2, -1, 0, nullptr },
    { "Ctrl+Right", "ab cd", 0, -1, CTRL | RIGHT, 1, true, nullptr, true, "ab cd", 2, -1, 0, nullptr },
    { "Shift+Ctrl+Right", "ab cd", 0, -1, SHIFT | CTRL | RIGHT, 1, true, nullptr, true, "ab cd", 2, 0, 0, nullptr },
    { "Backspace", "abc", 2, -1, BACKSPACE, 1, true, nullptr, true, "ac", 1, -1, 1, nullptr },
    { "Backspace at the start", "abc", 0, -1, BACKSPACE, 1, true, nullptr, true, "abc", 0, -1, 0, nullptr },
    { "Shift+Backspace", "abc", 2, -1, SHIFT | BACKSPACE, 1, true, nullptr, true, "ac", 1, -1, 1, nullptr },
    { "Backspace removes the selection", "abcd", 3, 1, BACKSPACE, 1, true, nullptr, true, "ad", 1, -1, 1, nullptr },
    { "Delete", "abc", 1, -1, DEL, 1, true, nullptr, true, "ac", 1, -1, 1, nullptr },
    { "Delete at the end", "abc", 3, -1, DEL, 1, true, nullptr, true, "abc", 3, -1, 0, nullptr },
    { "Delete removes the selection", "abcd", 1, 3, DEL, 1, true, nullptr, true, "ad", 1, -1, 1, nullptr },
    { "Ctrl+Backspace removes the word", "foo bar", 7, -1, CTRL | BACKSPACE, 1, true, nullptr, true, "foo ", 4, -1, 1,
      nullptr },
    { "Ctrl+Backspace removes two spaces", "foo  ", 5, -1, CTRL | BACKSPACE, 1, true, nullptr, true, "foo", 3, -1, 1,
      nullptr },
    { "Ctrl+Backspace at the start", "foo", 0, -1, CTRL | BACKSPACE, 1, true, nullptr, true, "foo", 0, -1, 0, nullptr },
    { "Ctrl+Delete removes to the run's end", "foo bar", 1, -1, CTRL | DEL, 1, true, nullptr, true, "f bar", 1, -1, 1,
      nullptr },
    { "Ctrl+Delete at the end", "foo", 3, -1, CTRL | DEL, 1, true, nullptr, true, "foo", 3, -1, 0, nullptr },
    { "Enter without an action", "abc", 1, -1, ENTER, 1, true, nullptr, false, "abc", 1, -1, 0, nullptr },
    { "a character", "ab", 1, -1, 'x', 1, true, nullptr, true, "axb", 2, -1, 1, nullptr },
    { "a repeated character", "ab", 1, -1, 'x', 3, true, nullptr, true, "axxxb", 4, -1, 1, nullptr },
    { "a non-ASCII character", "ab", 2, -1, 0x10D, 1, true, nullptr, true, "ab\xC4\x8D", 3, -1, 1, nullptr },
    { "Shift+Space is a space", "ab", 1, -1, SHIFT | ' ', 1, true, nullptr, true, "a b", 2, -1, 1, nullptr },
    { "typing replaces the selection", "abcd", 3, 1, 'x', 1, true, nullptr, true, "axd", 2, -1, 1, nullptr },
    { "Ctrl+Z", "abc", 1, -1, CtrlLetter('Z'), 1, true, nullptr, true, "", 0, -1, 1, nullptr },
    { "Alt+Backspace", "abc", 1, -1, ALT | BACKSPACE, 1, true, nullptr, true, "", 0, -1, 1, nullptr },
    { "Ctrl+X", "abcd", 3, 1, CtrlLetter('X'), 1, true, nullptr, true, "ad", 1, -1, 1, "bc" },
    { "Ctrl+X without a selection", "abcd", 2, -1, CtrlLetter('X'), 1, true, nullptr, false, "abcd", 2, -1, 0, "" },
    { "Shift+Delete", "abcd", 1, 3, SHIFT | DEL, 1, true, nullptr, true, "ad", 1, -1, 1, "bc" },
    { "Ctrl+C", "abcd", 3, 1, CtrlLetter('C'), 1, true, nullptr, true, "abcd", 3, 1, 0, "bc" },
    { "Ctrl+Insert", "abcd", 1, 3, CTRL | INSERT, 1, true, nullptr, true, "abcd", 1, 3, 0, "bc" },
    { "Ctrl+V", "ad", 1, -1, CtrlLetter('V'), 1, true, "bc", true, "abcd", 3, -1, 1, nullptr },
    { "Ctrl+V replaces the selection", "axd", 2, 1, CtrlLetter('V'), 1, true, "bc", true, "abcd", 3, -1, 1, nullptr },
    { "Ctrl+V with an empty clipboard", "ad", 1, -1, CtrlLetter('V'), 1, true, nullptr, false, "ad", 1, -1, 0,
      nullptr },
    { "Shift+Insert", "ad", 1, -1, SHIFT | INSERT, 1, true, "bc", true, "abcd", 3, -1, 1, nullptr },
    { "Ctrl+A", "abc", 1, -1, CtrlLetter('A'), 1, true, nullptr, true, "abc", 3, 0, 0, nullptr },
    { "Ctrl+A on an empty field", "", 0, -1, CtrlLetter('A'), 1, true, nullptr, false, "", 0, -1, 0, nullptr },
    { "an unbound key", "abc", 1, -1, 0x1FFBE, 1, true, nullptr, false, "abc", 1, -1, 0, nullptr },
    // Read-only: moving, copying and selecting all still work.
    { "read-only Home", "abc", 2, -1, HOME, 1, false, nullptr, true, "abc", 0, -1, 0, nullptr },
    { "read-only Shift+Right", "abc", 1, -1, SHIFT | RIGHT, 1, false, nullptr, true, "abc", 2, 1, 0, nullptr },
    { "read-only typing", "abc", 1, -1, 'x', 1, false, nullptr, false, "abc", 1, -1, 0, nullptr },
    { "read-only Backspace", "abc", 1, -1, BACKSPACE, 1, false, nullptr, false, "abc", 1, -1, 0, nullptr },
    { "read-only Ctrl+C", "abcd", 3, 1, CtrlLetter('C'), 1, false, nullptr, true, "abcd", 3, 1, 0, "bc" },
    { "read-only Ctrl+A", "abc", 1, -1, CtrlLetter('A'), 1, false, nullptr, true, "abc", 3, 0, 0, nullptr },
    { "read-only Ctrl+V", "ad", 1, -1, CtrlLetter('V'), 1, false, "bc", false, "ad", 1, -1, 0, nullptr },
    { "read-only Ctrl+X", "abcd", 3, 1, CtrlLetter('X'), 1, false, nullptr, false, "abcd", 3, 1, 0, "" },
};

TEST_F(EditFieldTest, EveryRowOfTheKeyTable)
{
    for(const KeyCase& c : key_cases) {
        SCOPED_TRACE(c.name);
        CountingField f;
        f.SetRect(0, 0, 200, 24);
        f.SetEditable(true);
        Put(f, c.text, c.cursor, c.anchor);
        f.SetEditable(c.editable);
        ClearClipboard();
        if(c.clip_before)
            AppendClipboardText(WString(c.clip_before));
        EXPECT_EQ(f.ProcessKey(c.key, c.count), c.taken);
        EXPECT_EQ(Utf8(f.GetText()), c.want_text);
        EXPECT_EQ(f.GetCursor(), c.want_cursor);
        EXPECT_EQ(f.GetAnchor(), c.want_anchor);
        EXPECT_EQ(f.actions, c.want_actions);
        if(c.want_clip) {
            EXPECT_EQ(Utf8(ReadClipboardText()), c.want_clip);
        }
    }
}

TEST_F(EditFieldTest, EnterRunsTheEnterActionOnly)
{
    int entered = 0;
    field.SetEnterAction(Lambda([&] { entered++; }));
    Put("abc", 1);
    EXPECT_TRUE(field.ProcessKey(ENTER, 1));
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(Text(), "abc");
    EXPECT_EQ(field.actions, 0);
}

TEST_F(EditFieldTest, UndoRestoresTheTextBeforeTypingOverTheSelectionAndRedoes)
{
    Put("hello world", 11, 6);
    ASSERT_TRUE(field.ProcessKey('X', 1));
    EXPECT_EQ(Text(), "hello X");
    field.Undo();
    EXPECT_EQ(Text(), "hello world");
    // The cursor where it stood before the edit, and no selection.
    EXPECT_EQ(field.GetCursor(), 11);
    EXPECT_EQ(field.GetAnchor(), -1);
    EXPECT_EQ(field.actions, 2);
    field.Undo();
    EXPECT_EQ(Text(), "hello X");
    EXPECT_EQ(field.GetCursor(), 7);
    field.SetReadOnly();
    field.Undo();
    EXPECT_EQ(Text(), "hello X");
}

TEST_F(EditFieldTest, UndoAfterBackspaceBringsTheCharacterBack)
{
    Put("abc", 3);
    ASSERT_TRUE(field.ProcessKey(BACKSPACE, 1));
    ASSERT_TRUE(field.ProcessKey(CtrlLetter('Z'), 1));
    EXPECT_EQ(Text(), "abc");
    EXPECT_EQ(field.GetCursor(), 3);
}

} // namespace
