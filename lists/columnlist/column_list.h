// ColumnList: items that flow top to bottom through side-by-side columns, like the columns of
// a newspaper, scrolled by whole items. Each item has a key and a shown value painted by a
// Display; the list has a cursor, a selected flag per item, a pop-up that shows a clipped item
// in full, column edges the user drags to change the column count, and drag-and-drop hooks.
#pragma once

#include "ctrl/frame/ctrl_frame.h"
#include "ctrl/tree/ctrl_class.h"
#include "foundation/callback.h"
#include "foundation/owned_array.h"
#include "foundation/values/value.h"
#include "foundation/values/value_order.h"
#include "widgets/display/display_popup.h"
#include "widgets/scroll/scroll_bar.h"
#include "widgets/scroll/scroll_tracker.h"

namespace Qor {

class Bar;
class Display;
class Stream;
class TransferOffer;

// One item, owned by its list.
struct ColumnListItem {
    bool selected = false;
    // Only such items are ever selected.
    bool can_select = true;
    Value key;
    Value value;
    // Null: the list's display.
    const Display* display = nullptr;
};

class ColumnList : public Ctrl {
public:
    ColumnList();
    ~ColumnList() override;

    // ---- Items. Indexes must name existing items unless said otherwise.
    // Inserts before item i (0 to the count); the cursor stays on its item.
    void Insert(int i, const Value& key, const Value& value, bool canselect = true);
    // Appends v as key and as shown value.
    void Add(const Value& v, bool canselect = true);
    void Clear();
    int GetCount() const { return items.GetCount(); }
    const ColumnListItem& GetItem(int i) const { return items[i]; }
    const Value& GetKey(int i) const { return items[i].key; }
    const Value& GetShownValue(int i) const { return items[i].value; }
    // A display of the item's own (borrowed, must outlive the item).
    void SetItemDisplay(int i, const Display& d);
    // The cursor item's key; Null without a cursor. With multi-select: the first selected
    // item's key, Null when none is selected.
    Value GetValue() const override;
    // The cursor goes to the first item whose key equals v; no match changes nothing.
    void SetValue(const Value& v) override;

    // ---- Selection.
    bool IsSelected(int i) const { return items[i].selected; }
    // With multi-select only; as SetItemSelected.
    void SelectOne(int i, bool sel);
    // Items that cannot be selected keep their flag.
    void SetItemSelected(int i, bool sel);
    void ClearSelection();
    int GetSelectCount() const { return selected_count; }
    // Every selectable item from the anchor to the cursor selected, every other one not.
    void ShiftSelect();

    // ---- Cursor.
    int GetCursor() const { return cursor; }
    bool IsCursor() const { return cursor >= 0; }
    int GetAnchor() const { return anchor; }
    // PlaceCursor(i, true).
    void SetCursor(int i);
    // Clamps i into the items (-1 in an empty list), scrolls it into view and notifies;
    // with multi-select and sel, the cursor item becomes the only selected one.
    void PlaceCursor(int i, bool sel);
    // Removes the cursor and scrolls back to the first item.
    void KillCursor();
    // One page down or up; the cursor keeps its place in the view, or goes to the last or
    // first item when the view cannot move.
    void Page(bool down);

    // ---- Sorting by the shown values; not stable. Removes the cursor, scrolls to the top.
    void Sort(const ValueOrder& order);

    // ---- Settings and options.
    // At least 1. The user changes it by dragging a column edge.
    ColumnList& SetColumnCount(int n);
    int GetColumnCount() const { return column_count; }
    ColumnList& SetItemWidth(int cx);
    int GetItemWidth() const { return item_width; }
    // 0 makes the list paint nothing and find no item.
    ColumnList& SetItemHeight(int cy);
    int GetItemHeight() const { return item_height; }
    // A click on no item removes the cursor.
    ColumnList& ClickKill(bool on = true);
    // Items get a Null paper, so the display paints no background.
    ColumnList& NoPaper(bool on = true);
    ColumnList& ItemPopup(bool on = true);
    ColumnList& MultiSelect(bool on = true);
    bool IsMultiSelect() const { return multi_select; }
    // Borrowed; must outlive the list's use of it.
    ColumnList& SetDisplay(const Display& d);
    const Display& GetDisplay() const { return *display; }
    // The column count, after a packed version. A count the view cannot hold (below 1, or
    // more columns than fit at the minimum width) fails the load and changes nothing.
    void SerializeSettings(Stream& s);

    // ---- Geometry, in view coordinates.
    // Every column but the last is the view width shared out, at least the minimum width;
    // the last takes the rest.
    int GetColumnWidth(int c) const;
    // Empty for an item before the first visible one; right of the view for one beyond the
    // visible columns.
    Rect GetItemRect(int i) const;
    // -1 when p lies on no item.
    int GetItemAt(Point p) const;
    int GetFirstVisible() const { return sb.GetPosition(); }
    // The narrowest a column gets: the standard font's height.
    static int GetMinColumnWidth();
    ScrollBar& GetScrollBar() { return sb; }
    DisplayPopup& GetItemPopup() { return popup; }
    // The drop target while a drag hovers: -1 none; with insert, a mark before that item.
    int GetDropPos() const { return drop_pos; }
    bool IsDropInsert() const { return drop_insert; }
    void SyncScrollBar();

    // ---- The list's own frame: the view edge, shortened so that the view height is a whole
    // number of rows, with the remainder painted as a strip below it.
    virtual void LayOut(Rect& r);
    virtual void AddSize(Size& sz);
    virtual void PaintFrame(Draw& w, const Rect& r);

    // ---- Painting.
    void Paint(Draw& w) override;
    // Paints item i into r with its display; returns the style flags it used.
    dword PaintItem(Draw& w, int i, const Rect& r);
    // Display style flags: 1 cursor, 2 focus, 4 selected, 8 read-only.
    void GetItemStyle(int i, Color& ink, Color& paper, dword& style) const;
    // Shows the item under the pointer in the pop-up, or closes it.
    void SyncInfo();

    void Layout() override;
    bool ProcessKey(dword key, int count) override;
    void LeftButtonDown(Point p, dword keyflags) override;
    void LeftDoubleClick(Point p, dword keyflags) override;
    void LeftButtonUp(Point p, dword keyflags) override;
    void RightButtonDown(Point p, dword keyflags) override;
    void LeftDragStart(Point p, dword keyflags) override;
    void PointerMoved(Point p, dword keyflags) override;
    void PointerLeft() override;
    void WheelRotated(Point p, int zdelta, dword keyflags) override;
    Image CursorFor(Point p, dword keyflags) override;
    void CancelInteraction() override;
    void FocusGained() override;
    void FocusLost() override;
    void DropAtPoint(Point p, TransferOffer& offer) override;
    void DragHoverTick(Point p) override;
    void DragEntered() override;
    void DragLeft() override;

    // ---- Notifications.
    Callback WhenLeftClick;
    // The click point relative to the clicked cell.
    Callback1<Point> WhenLeftClickPos;
    Callback WhenLeftDouble;
    // Builds the context menu; its items' keys are served as accelerators.
    Callback1<Bar&> WhenBar;
    // After every cursor or selection change.
    Callback WhenSel;
    Callback WhenDrag;
    // A drag over item i; accepting the offer makes the item the target.
    Callback2<int, TransferOffer&> WhenDropItem;
    // A drag between items, before item i (i may be the count).
    Callback2<int, TransferOffer&> WhenDropInsert;
    Callback1<TransferOffer&> WhenDrop;
    Callback WhenSelection;
    Callback WhenEnterItem;
    Callback WhenKillCursor;

private:
    // Hands the frame operations on to the list's own virtuals.
    struct OwnFrame : CtrlFrame {
        ColumnList* list;
        void LayOut(Rect& r) override { list->LayOut(r); }
        void AddSize(Size& sz) override { list->AddSize(sz); }
        void PaintFrame(Draw& w, const Rect& r) override { list->PaintFrame(w, r); }
    };

    int column_count = 1;
    int item_width = 50;
    int item_height;
    int cursor = -1;
    int anchor = -1;
    // Column-edge drag: pointer x at the press less the edge's nominal x, the column whose
    // right edge is dragged, and the pointer x now.
    int drag_offset = 0;
    int drag_column = 0;
    int drag_x = 0;
    ScrollBar sb;
    ScrollTracker tracker;
    CtrlFrame* inner_frame;
    OwnFrame own_frame;
    int drop_pos = -1;
    bool drop_insert = false;
    bool click_kill = false;
    bool no_paper = false;
    bool item_popup = true;
    bool deferred_click = false;
    DisplayPopup popup;
    const Display* display;
    OwnedArray<ColumnListItem> items;
    int selected_count = 0;
    bool multi_select = false;

    // Rows per column; 0 when the item height is 0.
    int GetRows() const;
    // The most columns the view holds at the minimum width.
    int GetMaxColumnCount(int view_width) const;
    // The width of each column for hit-testing.
    int GetHitColumnWidth() const;
    int EdgeAt(int x) const;
    // One press of a key; false when neither a cursor key nor a menu key takes it.
    bool MoveByKey(dword key);
    void RefreshItem(int i);
    void RefreshSelected();
    void UpdateSelectCount();
    void SelectionChanged();
    void OnScroll();
    void DoLeftDown(Point p, dword keyflags);
    void DoClick(Point p, dword keyflags);
    void SetDropPos(int i, bool insert);
    bool TryDropInsert(int i, int y, TransferOffer& offer, int parts);
};

} // namespace Qor
