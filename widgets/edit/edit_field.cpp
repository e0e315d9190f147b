// EditField: its data, settings, measuring and editing.

#include "widgets/edit/edit_field.h"

#include "ctrl/clip/clipboard.h"
#include "ctrl/clip/text_formats.h"
#include "draw/font/font_metrics.h"
#include "foundation/callback_action.h"
#include "foundation/charset.h"
#include "foundation/chartable.h"
#include "foundation/text_utils.h"
#include "widgets/bar/bar.h"

#include <algorithm>

namespace Qor {

namespace {

// Control characters are shown and measured as this box.
constexpr int CONTROL_GLYPH = 0x25AF;
// The gap between the view's left edge and the text.
constexpr int TEXT_MARGIN = 2;

int ShownChar(int ch) { return ch < 32 ? CONTROL_GLYPH : ch; }

} // namespace

int EditField::DefaultCharFilter(int ch) { return ch >= 32 && ch <= 0xFFFF ? ch : 0; }

EditField::EditField() : convert(&SharedNoConvert())
{
    SetUnicodeKeys();
    null_ink = Color();
    Reset();
    menu_builder = MakeCallback(this, &EditField::StandardMenu);
}

EditField::~EditField() = default;

void EditField::Reset()
{
    SetText(WString());
    cursor = 0;
    scroll_offset = 0;
    ClearModified();
    anchor = -1;
    filter = DefaultCharFilter;
    options = OPT_REFORMAT_ON_FOCUS;
    convert = &SharedNoConvert();
    idle_convert = nullptr;
    max_length = 2147483647;
    auto_width = 0;
    charset = 255;
    style = &GetDefaultStyle();
    edge_frame.Set(style->edge, style->active_edge ? this : nullptr);
    ResolveLayout(1);
    RefreshFrame();
    SetFrame(0, edge_frame);
    more_options = 0;
    font = GetStandardFontReference();
}

// ---- Settings.

EditField& EditField::SetFont(Font f)
{
    font = f;
    UpdateView(true);
    return *this;
}

EditField& EditField::SetNullText(const Image& icon, const char* t, Font f, Color ink)
{
    null_icon = icon;
    null_text = WString(t ? t : "");
    null_text += wchar16(' ');
    null_font = f;
    null_ink = ink;
    Refresh();
    return *this;
}

EditField& EditField::SetNullText(const char* t, Font f, Color ink) { return SetNullText(Image(), t, f, ink); }

EditField& EditField::SetNullText(const char* t)
{
    return SetNullText(t, GetStandardFontReference(), GetDefaultStyle().disabled_text);
}

EditField& EditField::SetStyle(const EditFieldStyle& s)
{
    style = &s;
    edge_frame.Set(style->edge, style->active_edge ? this : nullptr);
    RefreshFrame();
    Refresh();
    return *this;
}

EditField& EditField::SetConvert(const Convert& c)
{
    convert = &c;
    Refresh();
    return *this;
}

EditField& EditField::SetIdleConvert(const Convert* c)
{
    idle_convert = c;
    return *this;
}

EditField& EditField::SetFilter(CharFilter f)
{
    filter = f ? f : DefaultCharFilter;
    return *this;
}

EditField& EditField::SetMaxChars(int n)
{
    max_length = std::max(n, 0);
    return *this;
}

EditField& EditField::SetAutoWidth(int limit)
{
    auto_width = std::max(limit, 0);
    UpdateView(true);
    return *this;
}

EditField& EditField::SetCharset(int cs)
{
    charset = byte(cs);
    return *this;
}

EditField& EditField::SetOption(byte option, bool on)
{
    byte before = options;
    options = byte(on ? options | option : options & ~option);
    if(options != before)
        UpdateView(true);
    return *this;
}

EditField& EditField::SetMarkSpaces(bool b)
{
    more_options = byte(b ? more_options | 1 : more_options & ~1);
    Refresh();
    return *this;
}

EditField& EditField::SetReadOnly(bool b)
{
    SetEditable(!b);
    Refresh();
    return *this;
}

EditField& EditField::SetMenuBuilder(const Callback1<Bar&>& cb)
{
    menu_builder = cb;
    return *this;
}

EditField& EditField::SetEnterAction(const Callback& cb)
{
    enter_action = cb;
    return *this;
}

EditField& EditField::SetPasteFilter(const Callback1<WString&>& cb)
{
    paste_filter = cb;
    return *this;
}

EditField& EditField::SetColorAdjuster(const Callback1<Vector<CharColors>&>& cb)
{
    color_adjuster = cb;
    Refresh();
    return *this;
}

void EditField::AdjustCharColors(Vector<CharColors>& colors)
{
    if(color_adjuster)
        color_adjuster(colors);
}

// ---- Value.

Value EditField::GetValue() const { return convert->Scan(Value(text)); }

void EditField::SetValue(const Value& v)
{
    const Convert* c = idle_convert && !HasFocus() ? idle_convert : convert;
    Value shown = c->Format(v);
    // Only texts convert to a WString as they are; any other value shows its text form.
    WString t = shown.ToWString();
    SetText(t.IsEmpty() ? WString(shown.ToString()) : t);
}

// ---- Text, cursor and selection.

void EditField::SetText(const WString& t)
{
    if(t == text) {
        MarkUpdated();
        return;
    }
    text = t;
    scroll_offset = 0;
    if(HasFocus()) {
        anchor = 0;
        cursor = text.GetLength();
    }
    else {
        cursor = 0;
        anchor = -1;
    }
    MarkUpdated();
    UpdateView(true);
}

void EditField::ClearText()
{
    SetText(WString());
    cursor = 0;
    scroll_offset = 0;
    UpdateView(true);
}

void EditField::SetSelection(int from, int to)
{
    if(from < to) {
        anchor = std::max(from, 0);
        cursor = std::min(to, text.GetLength());
    }
    else {
        cursor = from;
        anchor = -1;
    }
    UpdateView(true);
}

bool EditField::GetSelection(int& l, int& h) const
{
    if(!IsSelection()) {
        l = h = cursor;
        return false;
    }
    l = std::min(anchor, cursor);
    h = std::max(anchor, cursor);
    return true;
}

WString EditField::GetSelectedText() const
{
    int l, h;
    return GetSelection(l, h) ? text.Mid(l, h - l) : WString();
}

void EditField::ClaimPrimary()
{
    // A password must not leave the field through the primary selection either.
    if(!IsPassword())
        SetPrimarySelection(this, ClipboardTextFormats());
}

void EditField::MoveCursor(int pos, bool select)
{
    if(select) {
        if(anchor < 0)
            anchor = cursor;
        cursor = pos;
        UpdateView(true);
        ClaimPrimary();
        return;
    }
    bool had_anchor = anchor >= 0;
    cursor = pos;
    anchor = -1;
    UpdateView(had_anchor);
}

// ---- Measuring.

int EditField::GetTextWidth(const wchar16* t, int n, bool password, Font f)
{
    if(password)
        return n * f.GetCharWidth('*');
    int w = 0;
    for(int i = 0; i < n; i++)
        w += f.GetCharWidth(ShownChar(t[i]));
    return w;
}

int EditField::GetPositionAt(int x) const
{
    if(x <= TEXT_MARGIN)
        return 0;
    int n = text.GetLength();
    if(IsPassword()) {
        int w = std::max(font.GetCharWidth('*'), 1);
        return std::min(n, (x + w / 2 - TEXT_MARGIN) / w);
    }
    int sum = 0;
    for(int i = 0; i < n; i++) {
        int w = font.GetCharWidth(ShownChar(text[i]));
        if(sum + w / 2 > x - TEXT_MARGIN)
            return i;
        sum += w;
    }
    return n;
}

int EditField::GetTextTop() const { return (GetViewSize().cy - font.GetMetrics().height + 1) / 2; }

Rect EditField::GetCaretRect(int pos) const
{
    int fcy = font.GetMetrics().height;
    int cy = GetViewSize().cy;
    int top = (cy - fcy + 1) / 2;
    int x = GetTextWidth(pos) - scroll_offset + TEXT_MARGIN - font.GetRightBearing('o') + font.GetLeftBearing('o');
    int h = std::min(cy - top / 2 * 2, fcy);
    return Rect(x, top, x + 1, top + h);
}

void EditField::SyncCaret()
{
    Rect r = GetCaretRect(cursor);
    SetCaret(r.left, r.top, r.Width(), r.Height());
}

void EditField::UpdateView(bool refresh)
{
    int n = text.GetLength();
    anchor = std::min(anchor, n);
    cursor = std::clamp(cursor, 0, n);
    if(auto_width) {
        Rect r = GetRectInParent();
        int least = std::min(r.Width(), GetStandardFontSize().cx);
        int want = GrowByFrames(Size(GetTextWidth(n) + 4, GetViewSize().cy)).cx;
        if(Ctrl* p = GetParent())
            want = std::min(want, p->GetViewSize().cx - r.left);
        want = std::min(std::max(want, least), auto_width);
        if(want != r.Width())
            PlaceLeft(r.left, want);
    }
    int w = GetViewSize().cx - TEXT_MARGIN;
    if(w <= 0)
        return;
    int x = GetTextWidth(cursor);
    int rb = font.GetRightBearing('o');
    if(x + rb >= w + scroll_offset) {
        scroll_offset = x + rb - w + 1;
        refresh = true;
    }
    if(x < scroll_offset) {
        scroll_offset = x;
        refresh = true;
    }
    if(refresh)
        Refresh();
    SyncCaret();
}

// ---- Editing.

void EditField::SaveUndo()
{
    undo_text = text;
    undo_anchor = anchor;
    undo_cursor = cursor;
}

void EditField::Undo()
{
    if(!IsEditable())
        return;
    std::swap(text, undo_text);
    int old_anchor = anchor;
    int old_cursor = cursor;
    anchor = -1;
    cursor = undo_cursor;
    undo_anchor = old_anchor;
    undo_cursor = old_cursor;
    MarkUpdatedAction();
    UpdateView(true);
}

void EditField::RemoveText(int pos, int n)
{
    text.Remove(pos, n);
    if(cursor >= text.GetLength()) {
        cursor = text.GetLength();
        Rect r = GetCaretRect(cursor);
        SetCaret(r.left, r.top, r.Width(), r.Height());
    }
    MarkUpdated();
}

bool EditField::RemoveSelection()
{
    int l, h;
    if(!GetSelection(l, h)) {
        anchor = -1;
        return false;
    }
    SaveUndo();
    if(IsEditable())
        RemoveText(l, h - l);
    cursor = l;
    anchor = -1;
    scroll_offset = 0;
    return true;
}

int EditField::FilterChar(int ch) const
{
    int c = filter(ch);
    if(c)
        c = convert->Filter(c);
    if(c && charset != 255 && !EncodeChar(c, charset, 0))
        return 0;
    return c;
}

int EditField::InsertText(int pos, const WString& t)
{
    if(!IsEditable())
        return 0;
    WString add;
    for(int i = 0; i < t.GetLength(); i++) {
        int ch = t[i];
        // A tab becomes four spaces, each one let through the same filters as typed text.
        int times = 1;
        if(ch == 9) {
            ch = ' ';
            times = 4;
        }
        else if(ch < 32)
            break;
        if(int c = FilterChar(ch))
            for(int k = 0; k < times; k++)
                add += wchar16(c);
    }
    if((int64)text.GetLength() + add.GetLength() > max_length) {
        WarningSignal();
        return 0;
    }
    pos = std::clamp(pos, 0, text.GetLength());
    text.Insert(pos, add);
    MarkUpdated();
    return add.GetLength();
}

void EditField::InsertChar(int ch)
{
    if(!IsEditable())
        return;
    if(HasOption(OPT_CAPITALISE_FIRST) && cursor == 0 && text.IsEmpty() && ch < 2048)
        ch = CapitalCaseChar(ch);
    wchar16 c = wchar16(ch);
    cursor += InsertText(cursor, WString(&c, 1));
    UpdateView(true);
}

void EditField::PasteText(const WString& t)
{
    if(!RemoveSelection())
        SaveUndo();
    cursor += InsertText(cursor, t);
    UpdateView(true);
}

// ---- Commands.

void EditField::Copy()
{
    if(IsPassword())
        return;
    int l, h;
    WString t = GetSelection(l, h) ? text.Mid(l, h - l) : text;
    ClearClipboard();
    AppendClipboardText(t);
}

void EditField::Cut()
{
    if(!IsEditable())
        return;
    Copy();
    RemoveSelection();
    RunAction();
    UpdateView(true);
}

void EditField::Paste()
{
    if(!IsEditable())
        return;
    // A clipboard whose text does not arrive leaves the field as it was, selection included.
    TransferOffer offer;
    WString t = ReadOfferText(offer);
    if(!offer.IsAccepted())
        return;
    if(paste_filter)
        paste_filter(t);
    PasteText(t);
    RunAction();
    UpdateView(true);
}

void EditField::Erase()
{
    if(!IsEditable())
        return;
    if(!IsSelection()) {
        anchor = 0;
        cursor = text.GetLength();
    }
    RemoveSelection();
    UpdateView(true);
}

void EditField::SelectAll()
{
    anchor = 0;
    cursor = text.GetLength();
    UpdateView(true);
}

} // namespace Qor
