// RichTextView: selecting with the mouse, links, copying, keys and the context menu.

#include "widgets/richview/rich_text_view.h"

#include "ctrl/clip/clipboard.h"
#include "ctrl/focus/focus_routing.h"
#include "ctrl/input/input_host.h"
#include "ctrl/input/mouse_routing.h"
#include "ctrl/topwindow/top_window.h"
#include "foundation/callback_action.h"
#include "foundation/chartable.h"
#include "foundation/values/translate.h"
#include "widgets/bar/bar.h"
#include "widgets/menu/menu_bar.h"

#include <algorithm>

namespace Qor {

namespace {

constexpr dword KEY_CTRL_C = K_CTRL | 0x10000 | 'C';
constexpr dword KEY_INSERT = 0x1FF63;

} // namespace

bool RichTextView::IsWordChar(int pos) const
{
    if(pos < 0 || pos >= text.GetLength())
        return false;
    int c = text.DescribePosition(pos).chr;
    return (c >= '0' && c <= '9') || IsLetterChar(c);
}

bool RichTextView::SameTableContext(int a, int b) const
{
    RichPositionInfo pa = text.DescribePosition(a);
    RichPositionInfo pb = text.DescribePosition(b);
    return pa.table == pb.table && pa.cell_row == pb.cell_row && pa.cell_column == pb.cell_column;
}

String RichTextView::GetLink(int pos, Point p) const
{
    if(pos < 0 || pos >= text.GetLength())
        return String();
    RichPositionInfo info = text.DescribePosition(pos);
    String link;
    const EmbeddedObject& object = info.object;
    if(object.GetType() && !object.GetData().IsNull()) {
        // The object answers in its own coordinates: the point goes to text units first, like
        // the rectangle the caret gives.
        CaretInfo c = text.GetCaret(pos, PageRect(GetViewSize().cx));
        Rect r(c.left, c.top, c.right, c.bottom);
        link = object.GetType()->TextAtPoint(object.GetData(), Point(TextPoint(p).x - r.left, TextPoint(p).y - r.top),
                                             r.GetSize());
    }
    if(link.IsEmpty() && info.chr != '\n') {
        link = info.char_format.link;
        if(link.IsEmpty())
            link = info.format.link;
    }
    return link;
}

void RichTextView::RefreshRange(int a, int b)
{
    if(a > b)
        std::swap(a, b);
    if(a == b)
        return;
    ZoomRatio z = GetZoomInUse();
    if(!z.d)
        return;
    Rect page = PageRect(GetViewSize().cx);
    CaretInfo ca = text.GetCaret(a, page);
    CaretInfo cb = text.GetCaret(b, page);
    int pos = GetScrollPosition();
    // The band starts below the top margin, where the text does; its bottom rounds up so that
    // the last line's lowest pixel row is repainted too.
    int64 top = int64(ca.top - pos) * z.m / z.d + margin.top;
    int64 bottom = (int64(cb.bottom - pos) * z.m + z.d - 1) / z.d + margin.top;
    int cy = GetViewSize().cy;
    top = std::clamp<int64>(top, 0, cy);
    bottom = std::clamp<int64>(bottom, 0, cy);
    if(top < bottom)
        Refresh(Rect(0, int(top), GetViewSize().cx, int(bottom)));
}

void RichTextView::RefreshSel()
{
    int len = text.GetLength();
    int l = std::clamp(std::min(cursor, anchor), 0, len);
    int h = std::clamp(std::max(cursor, anchor), 0, len);
    if((l == sell && h == selh) || (l == h && sell == selh))
        return;
    if(SameTableContext(l, sell) && SameTableContext(h, selh) && SameTableContext(l, h)) {
        RefreshRange(l, sell);
        RefreshRange(h, selh);
    }
    else
        Refresh();
    sell = l;
    selh = h;
}

void RichTextView::Copy()
{
    WString out;
    if(cursor == anchor)
        out = text.GetPlainText(true);
    else {
        RefreshSel();
        WString plain = text.GetPlainText(false);
        int l = std::clamp(sell, 0, plain.GetLength());
        int h = std::clamp(selh, l, plain.GetLength());
        for(int i = l; i < h; i++) {
            if(plain[i] == '\n')
                out += wchar16('\r');
            out += plain[i];
        }
    }
    ClearClipboard();
    AppendClipboardText(out);
}

void RichTextView::LeftButtonDown(Point p, dword keyflags)
{
    int pos = GetPositionAt(p);
    if(pos < 0) {
        cursor = anchor = 0;
        return;
    }
    String link = GetLink(pos, p);
    if(!link.IsEmpty()) {
        if(WhenLink)
            WhenLink(link);
        return;
    }
    cursor = pos;
    if(!(keyflags & K_SHIFT))
        anchor = pos;
    RefreshSel();
    SetFocus();
    SetCapture();
}

void RichTextView::PointerMoved(Point p, dword)
{
    int pos = GetPositionAt(p);
    if(!HasCapture() || pos < 0)
        return;
    cursor = pos;
    CaretInfo c = text.GetCaret(cursor, PageRect(GetViewSize().cx));
    sb.ScrollInto(c.top, c.bottom - c.top);
    RefreshSel();
}

void RichTextView::LeftButtonRepeat(Point p, dword keyflags) { PointerMoved(p, keyflags); }

void RichTextView::LeftDoubleClick(Point p, dword)
{
    int pos = GetPositionAt(p);
    if(!IsWordChar(pos))
        return;
    int len = text.GetLength();
    anchor = pos;
    while(anchor > 0 && IsWordChar(anchor - 1))
        anchor--;
    // The word runs up to the text's end: a word that ends the text is selected whole.
    cursor = pos;
    while(cursor < len && IsWordChar(cursor))
        cursor++;
    while(cursor < len && text.DescribePosition(cursor).chr == ' ')
        cursor++;
    RefreshSel();
    SetFocus();
}

bool RichTextView::ProcessKey(dword key, int)
{
    if(key == KEY_CTRL_C || key == (K_SHIFT | KEY_INSERT)) {
        Copy();
        return true;
    }
    return sb.VerticalKey(key, true);
}

void RichTextView::StandardMenu(Bar& bar)
{
    bar.AddMenuItem(true, Translate("Copy"), MakeCallback(this, &RichTextView::Copy)).Key(KEY_CTRL_C);
}

void RichTextView::RightButtonDown(Point, dword)
{
    Ctrl* owner = GetFocusTopWindow();
    MenuBar::RunContextMenu(owner ? owner : this, MakeCallback(this, &RichTextView::StandardMenu),
                            GetPointerPosition());
}

Image RichTextView::CursorFor(Point p, dword)
{
    if(WhenLink && WhenLink.GetAction()->CanRun()) {
        int pos = GetPositionAt(p);
        if(pos >= 0 && !GetLink(pos, p).IsEmpty())
            return GetHandCursor();
    }
    if(HasCapture())
        return GetTextCursor();
    return GetArrowCursor();
}

} // namespace Qor
