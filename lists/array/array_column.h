// ArrayCtrl::Column: what a list shows under one header tab. A column is bound to no value
// index (it shows the row number), to one, or to several (it shows a ValueMap of them); a
// Convert turns that value into the shown value, optionally cached per row, and a Display
// paints it.
#pragma once

#include "lists/array/array_ctrl.h"

#include "foundation/any.h"
#include "foundation/owned_ptr.h"
#include "foundation/pte.h"
#include "foundation/values/convert.h"
#include "foundation/values/value_order.h"

namespace Qor {

class ArrayCtrl::Column : public FormatConvert {
public:
    Column();
    Column(const Column&) = delete;
    Column& operator=(const Column&) = delete;
    ~Column() override;

    // Binds the column to one more value index, after those it has.
    Column& AddIndex(int index);
    // Borrowed; empties the cache and repaints the list.
    Column& SetConvert(const Convert& c);
    // Borrowed; empties the cache and repaints the list.
    Column& SetDisplay(const Display& d);
    // Converted values are kept per row until the row changes.
    Column& SetCache(bool on = true);
    // The empty strip left and right of the value; -1: the header tab's margin + 2.
    Column& SetMargin(int m);
    // Type-ahead's character filter (0 = this column cannot match).
    Column& SetKeyFilter(int (*filter)(int chr));
    Column& SetCompare(int (*compare)(const Value& a, const Value& b));
    // Borrowed; used when the column has no comparison function.
    Column& SetOrder(const ValueOrder& o);
    // A click on the column's header tab sorts the list by it, wherever the tab was moved.
    void MakeSortable();
    Column& SetClickToEdit(bool on);
    // The control that edits this column's cell on the cursor row; borrowed, and forgotten
    // when it is destroyed. Its value is the cursor row's value of the column's indexes.
    Column& SetEditor(Ctrl& e);
    Column& ClearEditor();
    // Makes the control of one row's cell: the list hosts it, owns it, keeps its value in
    // step with the cell and chains WhenCtrlsAction to its action. Switches the list's cell
    // controls on.
    Column& SetCtrlFactory(Callback2<int, OwnedPtr<Ctrl>&> factory);
    Ctrl* GetEditor() const { return editor.Get(); }

    ArrayCtrl* GetOwner() const { return owner; }
    int GetPosition() const { return position; }
    int GetIndexCount() const;
    int GetIndex(int i) const;
    const Convert* GetConvert() const { return convert; }
    const Display* GetDisplay() const { return display; }
    int GetMargin() const { return margin; }
    bool IsCached() const { return cached; }
    bool IsClickToEdit() const { return click_to_edit; }
    int (*GetKeyFilter() const)(int) { return key_filter; }
    int (*GetCompare() const)(const Value&, const Value&) { return compare; }
    const ValueOrder* GetOrder() const { return order; }

    // Cache upkeep after rows changed; rows outside the cache need nothing.
    void InvalidateCache(int row);
    void RemoveCacheRow(int row);
    void InsertCacheRows(int row, int count);
    void ClearCache() { cache.Clear(); }
    // The cache as it stands: -1 none, else whether it holds texts.
    bool HasTextCache() const { return cache.Is<Vector<String>>(); }
    bool HasValueCache() const { return cache.Is<Vector<Value>>(); }

private:
    ArrayCtrl* owner;
    int position;
    // 0: no index; 1: first_index only; else a Vector<int>* of the indexes after the first.
    uintptr_t index_word;
    int first_index;
    const Convert* convert;
    WeakPointer<Ctrl> editor;
    Callback2<int, OwnedPtr<Ctrl>&> factory;
    const Display* display;
    int (*key_filter)(int chr);
    int margin;
    bool cached;
    bool click_to_edit;
    mutable Any cache;
    const ValueOrder* order;
    int (*compare)(const Value& a, const Value& b);

    Vector<int>* MoreIndexes() const { return index_word > 1 ? reinterpret_cast<Vector<int>*>(index_word) : nullptr; }
    Value Converted(int row, const Value& raw) const;
    // The position of index in the index list, -1 when the column is not bound to it.
    int FindIndex(int index) const;

    friend class ArrayCtrl;
};

} // namespace Qor
