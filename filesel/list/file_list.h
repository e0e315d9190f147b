// FileList: the file selector's list of folder entries, a ColumnList that paints each
// entry's icon, name and extension itself, with an in-place rename editor, a jump by
// first letter and sorting by a file order.
#pragma once

#include "draw/display/display.h"
#include "draw/font/font.h"
#include "draw/image/image.h"
#include "foundation/callback.h"
#include "foundation/string.h"
#include "foundation/values/color.h"
#include "foundation/values/time.h"
#include "foundation/values/value.h"
#include "foundation/values/value_order.h"
#include "foundation/wstring.h"
#include "lists/columnlist/column_list.h"
#include "widgets/edit/edit_field.h"

namespace Qor {

class Draw;

class FileList : public ColumnList, public Display {
public:
    // One entry; held in the item's Value (key and shown value alike).
    struct File {
        bool folder = false;
        bool executable = false;
        bool hidden = false;
        Image icon;
        String name; // UTF-8
        Font font;
        Color ink;
        int64 length = 0;
        Time time;
        Color extensionink;
        String description; // shown after the name
        Font descriptionfont;
        Value data;      // the caller's
        Color underline; // Null: no line under the name
    };

    // A file order, as the selector's sort choices implement it.
    class Order {
    public:
        virtual bool Less(const File& a, const File& b) const = 0;
        virtual ~Order() = default;
    };

    // Sorts item Values by the files they hold.
    class FileOrder : public ValueOrder {
    public:
        explicit FileOrder(const Order& order) : order(&order) {}
        bool Less(const Value& a, const Value& b) const override;

    private:
        const Order* order;
    };

    FileList();
    ~FileList() override;

    // A Null extensionink draws the extension in ink.
    void Add(const String& name, const Image& icon, Font font, Color ink, bool folder, int64 length, Time time,
             Color extensionink, const String& description, Font descriptionfont, const Value& data, Color underline,
             bool executable, bool hidden);
    // The record of item i (0 <= i < item count).
    const File& GetFile(int i) const;
    // Moves the cursor to the first entry of exactly that name; false when there is none.
    bool FindSetCursor(const char* name);
    // Keeps the cursor on the entry of the same name.
    void Sort(const Order& order);

    // Opens the editor on the cursor entry (nothing without a cursor).
    void StartRename();
    // Closes the editor and reports the new name for the entry it was opened on.
    void AcceptRename();
    // Closes the editor without renaming.
    void EndRename();
    // Moves the cursor to the first entry from `from` on whose name starts with ch (a
    // capital ASCII letter or digit), accents ignored; false when there is none.
    bool FindByFirstChar(int from, int ch);

    bool IsRenaming() const { return editor.IsVisible(); }

    void LeftButtonDown(Point p, dword keyflags) override;
    void LeftDoubleClick(Point p, dword keyflags) override;
    bool ProcessKey(dword key, int count) override;

    // The list's display: paints one entry and sizes it.
    using ColumnList::Paint;
    void Paint(Draw& w, const Rect& r, const Value& q, Color ink, Color paper, dword style) const override;
    Size GetStandardSize(const Value& q) const override;

    int iconwidth = 16;
    EditField editor;
    bool renameonclick = false;
    bool nameonly = false;   // draw names from after their last '/' or '\'
    bool letterjump = false; // typed letters and digits move the cursor
    bool selectfolders = false;

    Callback2<const String&, const String&> WhenRename; // old name, new name
    Callback WhenCtrlClick;

private:
    enum { RENAME_TIMER = 1 };
    // The name of the entry the editor was opened on; the cursor may leave it meanwhile.
    String renaming;
};

// Draws one name at (x, y) in the width given: the extension in its own ink, long names
// shortened by path segments and a middle "..." that keeps the extension; height is unused.
void DrawFileName(Draw& w, int x, int y, int width, int height, const WString& name, bool folder, Font font, Color ink,
                  Color extensionink, const WString& description, Font descriptionfont, bool nameonly, Color underline);

} // namespace Qor
