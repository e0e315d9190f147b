// Columns: their index lists, converters, displays and the per-row cache of converted values.

#include "lists/array/array_column.h"

#include "draw/display/display.h"
#include "foundation/callback_action.h"
#include "foundation/values/value_map.h"
#include "foundation/wstring.h"

namespace Qor {

ArrayCtrl::Column::Column()
    : owner(nullptr), position(-1), index_word(0), first_index(0), convert(nullptr), display(&GetStandardDisplay()),
      key_filter(nullptr), margin(-1), cached(false), click_to_edit(true), order(nullptr), compare(nullptr)
{}

ArrayCtrl::Column::~Column()
{
    // The editor is the owner's control: it leaves the list with its column.
    ClearEditor();
    delete MoreIndexes();
}

ArrayCtrl::Column& ArrayCtrl::Column::AddIndex(int index)
{
    QOR_ASSERT(index >= 0);
    if(index_word == 0) {
        first_index = index;
        index_word = 1;
    }
    else {
        Vector<int>* more = MoreIndexes();
        if(!more) {
            more = new Vector<int>;
            index_word = reinterpret_cast<uintptr_t>(more);
        }
        more->Add(index);
    }
    return *this;
}

int ArrayCtrl::Column::GetIndexCount() const
{
    if(index_word <= 1)
        return int(index_word);
    return MoreIndexes()->GetCount() + 1;
}

int ArrayCtrl::Column::GetIndex(int i) const
{
    QOR_ASSERT(i >= 0 && i < GetIndexCount());
    return i == 0 ? first_index : (*MoreIndexes())[i - 1];
}

ArrayCtrl::Column& ArrayCtrl::Column::SetConvert(const Convert& c)
{
    convert = &c;
    cache.Clear();
    if(owner) {
        owner->Refresh();
        owner->SyncInfoPopup();
    }
    return *this;
}

ArrayCtrl::Column& ArrayCtrl::Column::SetDisplay(const Display& d)
{
    display = &d;
    cache.Clear();
    if(owner) {
        owner->SyncAllCtrls();
        owner->Refresh();
        owner->SyncInfoPopup();
    }
    return *this;
}

ArrayCtrl::Column& ArrayCtrl::Column::SetCache(bool on)
{
    cached = on;
    if(!on)
        cache.Clear();
    return *this;
}

ArrayCtrl::Column& ArrayCtrl::Column::SetMargin(int m)
{
    margin = m;
    if(owner)
        owner->Refresh();
    return *this;
}

ArrayCtrl::Column& ArrayCtrl::Column::SetKeyFilter(int (*filter)(int chr))
{
    key_filter = filter;
    return *this;
}

ArrayCtrl::Column& ArrayCtrl::Column::SetCompare(int (*cmp)(const Value& a, const Value& b))
{
    compare = cmp;
    return *this;
}

ArrayCtrl::Column& ArrayCtrl::Column::SetOrder(const ValueOrder& o)
{
    order = &o;
    return *this;
}

void ArrayCtrl::Column::MakeSortable()
{
    HeaderCtrl& header = owner->header;
    int tab = header.FindIndex(position);
    if(tab >= 0)
        header.Tab(tab).WhenAction = MakeCallbackArg(owner, &ArrayCtrl::OnHeaderClick, position);
}

ArrayCtrl::Column& ArrayCtrl::Column::SetEditor(Ctrl& e)
{
    ClearEditor();
    editor = &e;
    // The editor lives in the list, hidden until an edit places it over its cell.
    if(owner) {
        owner->AppendChild(e);
        owner->PlaceEditors();
    }
    else
        e.Hide();
    return *this;
}

ArrayCtrl::Column& ArrayCtrl::Column::ClearEditor()
{
    Ctrl* e = editor.Get();
    if(e && owner && e->GetParent() == owner)
        e->Detach();
    editor.Clear();
    return *this;
}

int ArrayCtrl::Column::FindIndex(int index) const
{
    for(int i = 0; i < GetIndexCount(); i++)
        if(GetIndex(i) == index)
            return i;
    return -1;
}

ArrayCtrl::Column& ArrayCtrl::Column::SetClickToEdit(bool on)
{
    click_to_edit = on;
    return *this;
}

namespace {

// Marks an entry that was never computed (or whose row changed).
String NotComputed()
{
    String s;
    s.MakeVoid();
    return s;
}

template <class T>
void InvalidateEntry(Vector<T>& v, int row, const T& mark)
{
    if(row >= 0 && row < v.GetCount())
        v[row] = mark;
}

template <class T>
void RemoveEntry(Vector<T>& v, int row)
{
    if(row >= 0 && row < v.GetCount())
        v.Remove(row);
}

template <class T>
void InsertEntries(Vector<T>& v, int row, int count, const T& mark)
{
    if(row >= 0 && row < v.GetCount())
        for(T *p = v.InsertN(row, count), *e = p + count; p < e; p++)
            *p = mark;
}

} // namespace

void ArrayCtrl::Column::InvalidateCache(int row)
{
    if(cache.Is<Vector<String>>())
        InvalidateEntry(cache.Get<Vector<String>>(), row, NotComputed());
    else if(cache.Is<Vector<Value>>())
        InvalidateEntry(cache.Get<Vector<Value>>(), row, Value());
}

void ArrayCtrl::Column::RemoveCacheRow(int row)
{
    if(cache.Is<Vector<String>>())
        RemoveEntry(cache.Get<Vector<String>>(), row);
    else if(cache.Is<Vector<Value>>())
        RemoveEntry(cache.Get<Vector<Value>>(), row);
}

void ArrayCtrl::Column::InsertCacheRows(int row, int count)
{
    if(cache.Is<Vector<String>>())
        InsertEntries(cache.Get<Vector<String>>(), row, count, NotComputed());
    else if(cache.Is<Vector<Value>>())
        InsertEntries(cache.Get<Vector<Value>>(), row, count, Value());
}

Value ArrayCtrl::Column::Converted(int row, const Value& raw) const
{
    if(!convert)
        return raw;
    if(row >= 0 && cache.Is<Vector<String>>()) {
        const Vector<String>& texts = cache.Get<Vector<String>>();
        if(row < texts.GetCount() && !texts[row].IsVoid())
            return texts[row];
    }
    else if(row >= 0 && cache.Is<Vector<Value>>()) {
        const Vector<Value>& values = cache.Get<Vector<Value>>();
        if(row < values.GetCount() && !values[row].IsVoid() && !IsError(values[row]))
            return values[row];
    }
    Value v = convert->Format(raw);
    if(!cached || row < 0)
        return v;
    if(cache.IsEmpty())
        cache.Create<Vector<String>>();
    int type = v.GetTypeNumber();
    bool text = type == STRING_V || type == WSTRING_V;
    if(cache.Is<Vector<String>>()) {
        if(text) {
            Vector<String>& texts = cache.Get<Vector<String>>();
            if(row >= texts.GetCount())
                texts.SetCount(row + 1, NotComputed());
            texts[row] = v.GetString();
            return v;
        }
        cache.Create<Vector<Value>>();
    }
    Vector<Value>& values = cache.Get<Vector<Value>>();
    if(row >= values.GetCount())
        values.SetCount(row + 1);
    values[row] = v;
    return v;
}

// ---- The list's side of its columns.

ArrayCtrl::Column& ArrayCtrl::AddColumn(const char* text, int ratio)
{
    int index = GetIndexCount();
    AddIndex();
    return AddColumnForIndex(index, text, ratio);
}

ArrayCtrl::Column& ArrayCtrl::AddColumnForIndex(int index, const char* text, int ratio)
{
    return AddRowNumberColumn(text, ratio).AddIndex(index);
}

ArrayCtrl::Column& ArrayCtrl::AddRowNumberColumn(const char* text, int ratio)
{
    header.Add(text ? text : "", ratio);
    Column& c = columns.Add(new Column);
    c.owner = this;
    c.position = columns.GetCount() - 1;
    if(HasOption(ALL_SORTABLE)) {
        c.order = nullptr;
        c.compare = CompareValues;
        c.MakeSortable();
    }
    return c;
}

ArrayCtrl& ArrayCtrl::SetAllSortable()
{
    options |= ALL_SORTABLE;
    for(Column& c : columns) {
        c.order = nullptr;
        c.compare = CompareValues;
        c.MakeSortable();
    }
    return *this;
}

const Display* ArrayCtrl::GetColumnDisplay(int column) const { return columns[column].display; }

Value ArrayCtrl::GetColumnValue(int row, int column) const
{
    const Column& c = columns[column];
    int n = c.GetIndexCount();
    if(n == 0)
        return Value(row);
    if(n == 1)
        return GetStoredValue(row, c.first_index);
    ValueMap map;
    for(int i = 0; i < n; i++) {
        int index = c.GetIndex(i);
        map.Add(Value(index < identifiers.GetCount() ? identifiers[index] : String()), GetStoredValue(row, index));
    }
    return map;
}

Value ArrayCtrl::GetConvertedValue(int row, int column) const
{
    return columns[column].Converted(row, GetColumnValue(row, column));
}

void ArrayCtrl::InvalidateCaches(int row)
{
    for(Column& c : columns)
        c.InvalidateCache(row);
}

void ArrayCtrl::ClearCaches()
{
    for(Column& c : columns)
        c.ClearCache();
}

} // namespace Qor
