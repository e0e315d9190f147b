// ArrayCtrl: the list and table control. Rows of Values live in numbered value indexes;
// columns present one index, several, or the row number. Row, column and index numbers are
// 0-based; a row that is not stored (negative, Null, at or past the row count) reads as Null.
#pragma once

#include "ctrl/tree/ctrl_class.h"
#include "foundation/callback.h"
#include "foundation/key_index.h"
#include "foundation/owned_array.h"
#include "foundation/string.h"
#include "foundation/values/value.h"
#include "foundation/values/value_order.h"
#include "foundation/vector.h"
#include "lists/header/header_ctrl.h"
#include "lists/registrations.h"
#include "widgets/display/display_popup.h"
#include "widgets/scroll/frame_ctrl.h"
#include "widgets/static/static_text.h"
#include "widgets/scroll/scroll_bar.h"
#include "widgets/scroll/scroll_tracker.h"

namespace Qor {

class Bar;
class Display;
class TransferOffer;

// What a new row gets at an index when the index has a generator.
class ValueGenerator {
public:
    virtual Value Get() = 0;
    virtual ~ValueGenerator() = default;
};

// One stored row.
struct ArrayCtrlRow {
    enum : byte { SELECTED = 1, ENABLED = 2 };

    byte flags = ENABLED;
    // Element i holds value index i; a missing element reads as Null.
    Vector<Value> values;
};

// One value index: what a new row gets there, and the type-ahead key filter.
struct ArrayCtrlIndexInfo {
    Value default_value;
    ValueGenerator* generator = nullptr; // borrowed; asked instead of the default when set
    int (*key_filter)(int chr) = nullptr;

    ArrayCtrlIndexInfo& SetDefault(const Value& v)
    {
        default_value = v;
        return *this;
    }
    ArrayCtrlIndexInfo& SetGenerator(ValueGenerator& g)
    {
        generator = &g;
        return *this;
    }
    ArrayCtrlIndexInfo& SetKeyFilter(int (*filter)(int chr))
    {
        key_filter = filter;
        return *this;
    }
};

class ArrayCtrl : public Ctrl {
public:
    class Column;
    class CellCtrl;

    // Option bits (SetOption); the defaults are those of a new list.
    enum : dword {
        HORZ_GRID = 0x1,
        VERT_GRID = 0x2,
        NO_CURSOR = 0x4,
        MOUSE_MOVE_CURSOR = 0x8,
        EDITING = 0x10,
        INSERTING = 0x20,
        INSERTING_ALLOWED = 0x40,
        APPENDING_ALLOWED = 0x80,
        APPEND_LINE = 0x100,
        AUTO_APPEND = 0x400,
        MULTI_SELECT = 0x8000,
        INFO_POPUP = 0x40000,
        NO_BACKGROUND = 0x80000,
        FOCUS_SETS_CURSOR = 0x100000,
        ALL_SORTABLE = 0x200000,
    };

    ArrayCtrl();
    ~ArrayCtrl() override;

    // ---- Building the table.
    // A new index named by the empty identifier, with a Null default.
    ArrayCtrlIndexInfo& AddIndex();
    int GetIndexCount() const { return index_info.GetCount(); }
    ArrayCtrlIndexInfo& GetIndexInfo(int index) { return index_info[index]; }
    // A new index and a column bound to it.
    Column& AddColumn(const char* text = nullptr, int ratio = 0);
    Column& AddColumnForIndex(int index, const char* text = nullptr, int ratio = 0);
    // A column bound to no index: its value is the row number.
    Column& AddRowNumberColumn(const char* text = nullptr, int ratio = 0);
    int GetColumnCount() const { return columns.GetCount(); }
    Column& GetColumn(int column) { return columns[column]; }
    const Column& GetColumn(int column) const { return columns[column]; }

    // ---- Reading.
    // The larger of the stored rows and the virtual row count.
    int GetCount() const;
    // The cursor row's value with what is being edited taken first; any other row's stored value.
    Value Get(int row, int index) const;
    Value GetStoredValue(int row, int index) const;
    Value GetCursorRowValue(int index) const;
    // Null without a cursor, else the cursor row's value of index 0.
    Value GetCursorKey() const;
    Vector<Value> GetRowValues(int row) const;
    bool IsSelected(int row) const;
    // False for a negative row, true past the stored rows.
    bool IsRowEnabled(int row) const;
    // The first enabled row from `from` on whose value equals v; -1 when none.
    int Find(const Value& v, int index = 0, int from = 0) const;
    bool FindSetCursor(const Value& v, int index = 0, int from = 0);
    // The cell's own display when it has one, else the column's.
    const Display* GetCellDisplay(int row, int column) const;
    // Gives a cell a display of its own (borrowed); the rows grow to hold it.
    void SetCellDisplay(int row, int column, const Display& d);

    // ---- Changing. Row and index numbers must not be negative; storing past the last row
    // grows the table.
    void Set(int row, int index, const Value& v);
    // Stores without the row-change notifications.
    void SetRaw(int row, int index, const Value& v);
    void SetCursorRowValue(int index, const Value& v);
    // After a row's values changed: scroll extent, repaint, pop-up, caches.
    void RowChanged(int row);
    void SetRow(int row, const Vector<Value>& values);
    // Appends a row with every index's default (or generated) value.
    void Add();
    // Appends a row whose index 0 holds v.
    void AddValue(const Value& v);
    // A count of 0 also forgets the sort and its arrow, as Clear does.
    void SetCount(int n);
    // Rows beyond the stored ones that read Null and count as enabled; -1 for none. Clear
    // ends them.
    void SetVirtualCount(int n);
    int GetVirtualCount() const { return virtual_count; }
    void Insert(int row) { InsertRows(row, 1); }
    void InsertRows(int row, int count);
    // Leaves the cursor to the caller; row must be stored.
    void RemoveRow(int row);
    // Removes every row; indexes and columns stay. The sort and its arrow are forgotten:
    // rows put in afterwards come in the order they are given.
    void Clear();
    // A disabled row half a standard font high whose cells paint a separator.
    void AddSeparator();
    void SetRowEnabled(int row, bool enabled);
    // A control outside the rows that shows and edits the cursor row's value of an index;
    // borrowed, and forgotten when it is destroyed.
    void AddBoundCtrl(int index, Ctrl& c);
    // Null as the index binds the control to the row number.
    // The modified flag of an index, set when a value of the cursor row is stored.
    bool IsIndexModified(int index) const;

    // ---- Columns' values.
    const Display* GetColumnDisplay(int column) const;
    // Before conversion: the row number, the stored value, or a ValueMap of several.
    Value GetColumnValue(int row, int column) const;
    // Through the column's converter and its cache.
    Value GetConvertedValue(int row, int column) const;
    void InvalidateCaches(int row);
    void ClearCaches();
    ArrayCtrl& SetAllSortable();

    // ---- Sorting by a column's shown values; stable, so ties keep the order they had.
    // A click on a sortable column's tab: the same tab again reverses the direction.
    void OnHeaderClick(int column);
    // Sorts by the sort column (the first sortable column when none is chosen yet) and
    // shows the direction on its tab.
    void DoColumnSort();
    void SortByColumnOrder(int column, const ValueOrder& order);
    // New row i is old row order[i], with its flags, own height and cell displays.
    void PermuteRows(const Vector<int>& order);
    int GetSortColumn() const { return sort_column; }
    bool IsSortDescending() const { return sort_descending; }
    // An order of whole rows (their values by value index) that a column sort applies
    // first, so that it decides between rows whose column values are equal. None after
    // construction and reset; the list does not own it.
    class RowOrder {
    public:
        virtual bool Less(const Vector<Value>& a, const Vector<Value>& b) const = 0;
        virtual ~RowOrder() = default;
    };
    ArrayCtrl& SetRowOrder(const RowOrder* order)
    {
        row_order = order;
        return *this;
    }
    const RowOrder* GetRowOrder() const { return row_order; }
    // After a sort the cursor goes back to the row with the former cursor row's key.
    ArrayCtrl& SetRefindCursorAfterSort(bool on = true)
    {
        refind_cursor = on;
        return *this;
    }
    HeaderCtrl& GetHeader() { return header; }

    // ---- Options.
    ArrayCtrl& SetOption(dword option, bool on = true);
    bool HasOption(dword option) const { return options & option; }
    // The remaining option bits, and the two-bit insert mode (0 none, 1 "before" first,
    // 2 "after" first) of the row menu.
    static constexpr dword NO_MOVE_TO_APPEND_LINE = 0x200;
    static constexpr dword REMOVING_ALLOWED = 0x800;
    static constexpr dword MOVING_ALLOWED = 0x1000;
    static constexpr dword ASK_BEFORE_REMOVE = 0x2000;
    static constexpr dword DUPLICATING_ALLOWED = 0x4000;
    static constexpr dword CELL_CTRLS = 0x10000;
    static constexpr int INSERT_MODE_SHIFT = 23;
    static constexpr dword INSERT_MODE_MASK = 0x1800000;
    // Bits a reset leaves alone.
    static constexpr dword RESERVED_BITS = 0xFE000000;
    // Back to a freshly made list: no columns, indexes or rows, the default options and
    // grid colour, the row name "row"; the row colours stay.
    void Reset();
    ArrayCtrl& HorzGrid(bool on = true) { return SetOption(HORZ_GRID, on); }
    ArrayCtrl& VertGrid(bool on = true) { return SetOption(VERT_GRID, on); }
    ArrayCtrl& NoGrid() { return HorzGrid(false).VertGrid(false); }
    ArrayCtrl& NoCursor(bool on = true) { return SetOption(NO_CURSOR, on); }
    ArrayCtrl& MouseMoveCursor(bool on = true) { return SetOption(MOUSE_MOVE_CURSOR, on); }
    ArrayCtrl& Inserting(bool on = true) { return SetOption(INSERTING_ALLOWED, on); }
    ArrayCtrl& Appending(bool on = true) { return SetOption(APPENDING_ALLOWED, on); }
    ArrayCtrl& AppendLine(bool on = true) { return SetOption(APPEND_LINE, on); }
    ArrayCtrl& NoMoveToAppendLine(bool on = true) { return SetOption(NO_MOVE_TO_APPEND_LINE, on); }
    ArrayCtrl& AutoAppending(bool on = true) { return SetOption(AUTO_APPEND, on); }
    ArrayCtrl& Removing(bool on = true) { return SetOption(REMOVING_ALLOWED, on); }
    ArrayCtrl& Moving(bool on = true) { return SetOption(MOVING_ALLOWED, on); }
    ArrayCtrl& AskRemove(bool on = true) { return SetOption(ASK_BEFORE_REMOVE, on); }
    ArrayCtrl& NoAskRemove() { return AskRemove(false); }
    ArrayCtrl& Duplicating(bool on = true) { return SetOption(DUPLICATING_ALLOWED, on); }
    ArrayCtrl& MultiSelect(bool on = true) { return SetOption(MULTI_SELECT, on); }
    ArrayCtrl& InfoPopup(bool on = true) { return SetOption(INFO_POPUP, on); }
    ArrayCtrl& NoBackground(bool on = true) { return SetOption(NO_BACKGROUND, on); }
    ArrayCtrl& FocusSetsCursor(bool on = true) { return SetOption(FOCUS_SETS_CURSOR, on); }
    // 0 adds no "before"/"after" items to the row menu; 1 puts "before" first, 2 "after".
    ArrayCtrl& SetInsertMode(int mode);
    int GetInsertMode() const { return int((options & INSERT_MODE_MASK) >> INSERT_MODE_SHIFT); }
    // The row name the row menu's texts carry; "row" (translated) after a reset.
    ArrayCtrl& SetRowName(const char* name);
    const String& GetRowName() const { return row_name; }
    // The standard row menu: the row commands the options allow, enabled by the editable
    // flag, the editing state and the cursor; built anew for every opening and key scan.
    void StdBar(Bar& bar);

    // ---- Editing the cursor row in place through the column editors.
    // Opens the editors on the cursor row, the focus going to the first editor from column on
    // (wrapping) that takes it; false on a read-only list, without a cursor or editors.
    bool StartEdit(int column = 0);
    // Shows the editors over the cursor row's cells while editing (hidden columns' stay
    // hidden), and hides them otherwise.
    void PlaceEditors();
    // Closes the editors without accepting or reverting.
    void EndEdit();
    // Validates the cursor row's editors and bound controls, asks WhenAcceptRow and commits;
    // false, with the edit kept open, when any of them refuses.
    bool AcceptRow();
    // Enter while editing: accepts the row; an accepted new last row moves the cursor on to
    // the append line.
    bool AcceptEdit();
    // Editing starts at column 0 on an editable list with a cursor that is not editing yet.
    void DoEdit();
    bool IsEditing() const { return HasOption(EDITING); }
    // The edited row was made for this edit: reverting removes it.
    bool IsInserting() const { return HasOption(INSERTING); }
    // The column whose editor holds the focus; -1 when none does.
    int GetFocusedEditorColumn() const;
    // Stores the editors' and bound controls' modified values into the cursor row; always
    // true.
    virtual bool CommitRowEdits();
    // Discards the edits; a row made for the edit is removed again.
    virtual void RevertRowEdits();
    // True without a cursor, else the cursor row's acceptance.
    bool Validate() override;
    void CancelInput() override;

    // ---- Cell controls: one control per cell, made for every row by a column's factory
    // (Column::SetCtrlFactory) or put into one cell by the owner. They are created and placed
    // only while the list has them (the CELL_CTRLS option, set by installing one).
    // Puts a borrowed control into a cell; with value, the list paints no value under it and
    // keeps its value in step with the cell's. The rows grow to hold it.
    void SetCellCtrl(int row, int column, Ctrl& c, bool value = true);
    // The host of a cell's control; null when the cell has none.
    CellCtrl* GetCellCtrl(int row, int column) const;
    // Makes the row's missing controls and places them (parked far outside the view when the
    // row is not visible), each after `after` in the focus order (when null: after the last
    // control of the rows before). Returns the last control handled.
    Ctrl* SyncLineCtrls(int row, Ctrl* after = nullptr);
    // The rows placed before and the visible rows again, after a scroll or a layout change.
    void SyncPendingCtrls();
    void SyncAllCtrls();
    // Every cell control's value into its row.
    void StoreCellCtrlValues();
    // When not editing, the first of the cursor row's cell controls that takes the focus.
    void FocusFirstCellCtrl();

    // ---- Row commands; each ends with WhenArrayAction.
    // An empty row at row, opened for editing as a new row.
    void DoInsert(int row);
    // These three do nothing on a read-only list.
    void DoAppend();
    void DoInsertBefore();
    void DoInsertAfter();
    // A copy of the accepted cursor row, at the end when appending is allowed, else below.
    void DoDuplicate();
    // Removes the cursor row, or every selected row of a multi-selection list, after the
    // question when the list asks before removing; false when nothing was to be done or the
    // question was cancelled.
    bool DoRemove();
    // Removes one row, the cursor keeping its place: on its row when another row goes, on the
    // row taking the removed one's place when its own row goes.
    void Remove(int row);
    // Exchanges the cursor row's values with the neighbour's at dir (-1 above, 1 below); the
    // cursor follows.
    void SwapWithNeighbour(int dir);
    void DoMoveUp() { SwapWithNeighbour(-1); }
    void DoMoveDown() { SwapWithNeighbour(1); }

    // ---- Cursor and selection.
    // Clamps row into the rows; false when a stored disabled row is asked for, with the
    // no-cursor option, on an empty list, or when the old row refuses to be left.
    bool SetCursor(int row, bool select = true);
    // Removes the cursor after accepting its row; false when the row refuses.
    bool ClearCursor();
    // Removes the cursor without accepting its row.
    void CancelCursor();
    // The cursor on the first or last enabled row; with the no-cursor option the view
    // scrolls to the start or the end instead.
    void GoBegin();
    void GoEnd();
    int GetCursor() const { return cursor; }
    bool IsCursor() const { return cursor >= 0; }
    int GetAnchor() const { return anchor; }
    void SelectRow(int row, bool sel = true);
    void SelectRange(int start, int count, bool sel = true);
    void SelectAll();
    void ClearSelection();
    void UpdateSelectionCount();
    int GetSelectCount();

    // ---- Row geometry in list coordinates (row 0 at y 0).
    int GetLineY(int row) const;
    int GetRowHeight(int row) const;
    int GetTotalCy() const;
    // The row containing y (a row's grid line belongs to it); Null when none.
    int GetLineAt(int y) const;
    ArrayCtrl& SetDefaultRowHeight(int h);
    int GetDefaultRowHeight() const { return default_row_height; }
    // Null returns the row to the default height.
    void SetRowHeight(int row, int h);
    void RecalcLinePositions(int row, int y);
    void RefreshRow(int row);
    // The least scroll that shows the row; before the first row scrolls to the top, past the
    // last to the bottom.
    void ScrollInto(int row);
    // The cursor row in the middle of the view, as far as the scroll range allows.
    void CenterCursor();
    // The list coordinate shown at the top of the view.
    int GetScrollPos() const { return sb.GetPosition(); }
    ScrollBar& GetScrollBar() { return sb; }
    // The rows the view shows, as of the last scroll or change of the rows.
    int GetFirstVisibleRow() const { return first_visible; }
    int GetLastVisibleRow() const { return last_visible; }

    // Clears the modified flag of every value index.
    void ClearModified() override;
    // A list keeps nothing in a window's archive: neither a value nor its header's layout.
    void ArchiveBinary(Stream&) override {}
    // Selection colours change with the focus; a list gaining it without a cursor puts the
    // cursor on its first enabled row (with the focus-sets-cursor option).
    void FocusGained() override;
    void FocusLost() override;
    void ChildFocusGained() override;
    void ChildFocusLost() override;
    // Three default rows per notch.
    void WheelRotated(Point p, int zdelta, dword keyflags) override;
    void Layout() override;

    // ---- Cells on screen, in view coordinates.
    // The cell under the column's header tab (wider by one under the last tab; a pixel
    // narrower for the vertical grid).
    Rect GetCellRect(int row, int column);
    // The cell less its margins.
    Rect GetCellContentRect(int row, int column);
    // The column's margin, or its tab's + 2 when it has none of its own.
    int GetCellMargin(int column);
    // What paints a cell, with the shown value, colours and style flags (1 cursor row,
    // 2 focus, 4 selected, 8 read-only); focus: the list has the focus in its tree.
    const Display* GetCellPaintInfo(int row, int column, bool focus, Value& value, Color& ink, Color& paper,
                                    dword& style);
    void Paint(Draw& w) override;
    void PointerMoved(Point p, dword keyflags) override;
    void PointerLeft() override;
    // Odd and even rows' colours; the grid's.
    ArrayCtrl& SetEvenRowColor(Color paper, Color ink);
    ArrayCtrl& SetOddRowColor(Color paper, Color ink);
    ArrayCtrl& SetGridColor(Color c);

    // ---- Mouse, drag and drop.
    // The row and the column under the last button press; Null when it hit none.
    int GetClickRow() const { return click_row; }
    int GetClickColumn() const { return click_column; }
    // The first column whose cell contains p (view coordinates); Null when none.
    int GetColumnAt(int row, Point p);
    // The pointer's shape over the list; an empty image brings back the standard ones.
    ArrayCtrl& SetCursorImage(const Image& m)
    {
        cursor_image = m;
        return *this;
    }
    void LeftButtonDown(Point p, dword keyflags) override;
    void LeftButtonUp(Point p, dword keyflags) override;
    void LeftDoubleClick(Point p, dword keyflags) override;
    void RightButtonDown(Point p, dword keyflags) override;
    void LeftDragStart(Point p, dword keyflags) override;
    Image CursorFor(Point p, dword keyflags) override;
    void CancelInteraction() override;
    void DropAtPoint(Point p, TransferOffer& offer) override;
    void DragHoverTick(Point p) override;
    void DragLeft() override;
    // The current drop target: -1 an insertion before the row, -2 the whole row, else a cell.
    int GetDropRow() const { return drop_row; }
    int GetDropColumn() const { return drop_column; }
    bool IsDragHover() const { return drag_flags & DRAG_HOVER; }

    // ---- Keys.
    // Nothing is consumed by a read-only list.
    bool ProcessKey(dword key, int count) override;
    // Type-ahead's test of one row; a match takes the cursor there.
    bool MatchKeyAtRow(int row, dword key);
    // A page up (dir < 0) or down, the new cursor row keeping its distance from the top.
    void MovePage(int dir);
    // After a cursor key: with Shift in a multi-selection list, the rows from the anchor to
    // the cursor are the selection.
    void ExtendSelectionByKey(int from, dword key);

    // ---- Notifications, in the order the owner may rely on (see the cursor operations).
    Callback WhenLeftDouble;
    Callback1<Point> WhenMouseMove;
    Callback WhenEnterKey;
    Callback WhenLeftClick;
    Callback1<Bar&> WhenBar;
    BoolCallback WhenAcceptRow;
    Callback WhenAcceptEdit;
    Callback WhenArrayAction;
    Callback WhenStartEdit;
    Callback WhenUpdateRow;
    Callback WhenCtrlsAction;
    Callback WhenSel;
    Callback WhenScroll;
    Callback WhenDrag;
    CallbackHolder<void, int, int, TransferOffer&> WhenDropCell;
    Callback2<int, TransferOffer&> WhenDropInsert;
    Callback2<int, TransferOffer&> WhenDropRow;
    Callback1<TransferOffer&> WhenDrop;
    Callback WhenEnterRow;
    Callback WhenKillCursor;
    Callback WhenCursor;
    Callback WhenSelection;

    // The pop-up that shows a clipped cell in full.
    DisplayPopup& GetInfoPopup() { return info; }
    FrameBottom<ParentCtrl>& GetCornerBox() { return corner; }

private:
    struct BoundCtrl {
        int index;
        WeakPointer<Ctrl> ctrl;
    };
    struct RowLine {
        int y;
        int height; // Null: the default height
    };

    Vector<ArrayCtrlRow> rows;
    HeaderCtrl header;
    ScrollBar sb;
    ScrollTracker tracker;
    OwnedArray<Column> columns;
    Vector<BoundCtrl> bound;
    KeyIndex<String> identifiers;
    OwnedArray<ArrayCtrlIndexInfo> index_info;
    Vector<RowLine> lines;
    // Per row, per column: 0 none; bit 0 set: an owned CellCtrl (bit 0 cleared); else a
    // borrowed Display.
    Vector<Vector<uintptr_t>> cell_overrides;
    // The rows whose cell controls were placed in the view, for the next scroll to park.
    int placed_low = 0;
    int placed_high = 0;
    Vector<bool> modified;
    // Fills the square under the vertical bar while the header's bar runs below the rows.
    FrameBottom<ParentCtrl> corner;
    DisplayPopup info;
    KeyIndex<String> names;
    int cursor = -1;
    int anchor = -1;
    int select_count = 0;
    int accept_nesting = 0;
    int default_row_height;
    int virtual_count = -1;
    dword options;
    bool select_count_stale = false;

    ArrayCtrlRow& GrowRows(int row);
    // Column editors and bound controls of the index take the cursor row's stored values.
    void ReloadEditors(int index);
    // Every column editor and bound control takes the cursor row's values.
    void LoadEditors();
    // Without a cursor the bound controls show Null and are disabled.
    void ClearBoundCtrls();
    // Deletes the cell controls of a row's overrides (and the owned hosted controls).
    static void FreeCellCtrls(Vector<uintptr_t>& line);
    void FreeAllCellCtrls();
    Ctrl* PlaceLineCtrls(int row, Ctrl* after);
    // Gives the cell control of the row bound to the index the value.
    void SetCellCtrlValue(int row, int index, const Value& v);
    void RunCtrlsAction() { WhenCtrlsAction(); }
    // The row menu's delete item.
    void RemoveCommand() { DoRemove(); }
    // Removes the cursor of a row already accepted, with its notifications.
    void DropCursor();
    // Stores a committed value into the cursor row; true when it differs from the stored one.
    bool StoreEdit(int index, const Value& v);
    void MarkSelectionStale() { select_count_stale = true; }
    // No column is sorted and no tab shows an arrow, as after construction.
    void ForgetSort();
    int Grid() const { return HasOption(HORZ_GRID) ? 1 : 0; }
    Color grid_color;
    Color odd_paper;
    Color odd_ink;
    Color even_paper;
    Color even_ink;
    // Set while a drag passes over: -1 an insertion mark above the drop row, -2 the whole
    // row, else that cell.
    int drop_row = -1;
    int drop_column = -1;
    int sort_column = -1;
    bool sort_descending = false;
    bool refind_cursor = false;
    const RowOrder* row_order = nullptr;
    int first_visible = 0;
    int last_visible = INT32_MAX;
    // Mouse and drag state.
    enum : byte { DRAG_HOVER = 1, CLICK_PENDING = 2 };
    int click_row = INT_NULL;
    int click_column = INT_NULL;
    byte drag_flags = 0;
    Image cursor_image;

    void ClickRow(Point p, bool select);
    void DoClick(Point p, dword flags);
    void SelectByClick(dword flags);
    void SetDropTarget(int row, int column);
    bool DropBetween(int row, int y, TransferOffer& offer, int parts);
    void RefreshSelectedInView();
    bool AppendingAllowed() const;
    String row_name;

    void SyncScrollInfo();
    void SyncVisibleRows();
    void OnScroll();
    void OnHeaderLayout();
    void SyncInfoPopup();
};

} // namespace Qor

// The column is part of the list's interface.
#include "lists/array/array_column.h"
#include "lists/array/cell_ctrl.h"
