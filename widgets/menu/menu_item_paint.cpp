// Painting of menu items: highlight, image column with marks, text with access key,
// shortcut text and sub-menu arrow.

#include "widgets/menu/menu_item.h"

#include "ctrl/defaults/ctrl_defaults.h"
#include "ctrl/focus/focus_routing.h"
#include "ctrl/settings/gui_settings.h"
#include "draw/image_cache/made_image.h"
#include "draw/look/look.h"
#include "draw/look/sys_colors.h"
#include "draw/target/draw.h"
#include "draw/text/text.h"
#include "foundation/charset.h"
#include "widgets/images/ctrl_img.h"
#include "widgets/label/access_key.h"
#include "widgets/label/label_look.h"
#include "widgets/menu/menu_bar.h"

#include <algorithm>

namespace Qor {

namespace {

Image MarkImage(byte mark)
{
    switch(mark) {
    case MARK_CHECK_OFF:
        return CtrlImg::MenuCheck0();
    case MARK_CHECK_ON:
        return CtrlImg::MenuCheck1();
    case MARK_RADIO_OFF:
        return CtrlImg::MenuRadio0();
    case MARK_RADIO_ON:
        return CtrlImg::MenuRadio1();
    default:
        return Image();
    }
}

// The character the access key underlines: the one at its position, else the first that
// is its letter in either case; -1 for none.
int UnderlinedChar(const WString& text, int access_key)
{
    int pos = AccessKeyPosition(access_key);
    if(pos > 0 && pos <= text.GetLength())
        return pos - 1;
    int ch = AccessKeyChar(access_key);
    if(!ch)
        return -1;
    for(int i = 0; i < text.GetLength(); i++)
        if(text[i] == ch)
            return i;
    int lower = ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch;
    for(int i = 0; i < text.GetLength(); i++)
        if(text[i] == lower)
            return i;
    return -1;
}

} // namespace

void PaintMenuText(Draw& w, int x, int y, const String& text, Font font, bool enabled, bool highlight, int access_key,
                   Color ink, Color highlight_ink, bool menu_mark)
{
    if(!enabled) {
        if(GetLookStyleLevel() < 2)
            w.DrawText(x + 1, y + 1, text, font, SysColorPaper());
        w.DrawText(x, y, text, font, SysColorDisabled());
        return;
    }
    w.DrawText(x, y, text, font, highlight ? highlight_ink : ink);
    if(!access_key)
        return;
    WString wt = DecodeUtf8(text);
    int i = UnderlinedChar(wt, access_key);
    if(i < 0)
        return;
    int x0 = GetTextSize(wt.Begin(), font, i).cx;
    int cx = GetTextSize(wt.Begin() + i, font, 1).cx;
    w.DrawRect(x + x0, y + font.GetAscent() + 1, cx, 1, menu_mark ? SysColorMenuMark() : SysColorMark());
}

void MenuItem::Paint(Draw& w)
{
    Size sz = GetSize();
    int tab = text.Find('\t');
    String label = tab >= 0 ? text.Left(tab) : text;
    String shortcut = tab >= 0 ? text.Mid(tab + 1) : key ? FormatKeyName(key) : String();
    int s = GetState();
    state = s;
    bool hot = s != ITEM_NORMAL;
    int level = GetLookStyleLevel();
    if(hot) {
        if(level < 2)
            w.DrawRect(0, 0, sz.cx, sz.cy, SysColorHighlight());
        else
            PaintLook(w, Rect(sz), style->hot_item_look);
    }
    Qor::Image li = image.IsEmpty() ? MarkImage(mark) : image;
    Size is = li.GetSize();
    if(is.cx > max_icon_size.cx || is.cy > max_icon_size.cy) {
        li = CachedRescale(li, Size(std::min(is.cx, max_icon_size.cx), std::min(is.cy, max_icon_size.cy)));
        is = li.GetSize();
    }
    int y = (sz.cy - is.cy) / 2;
    int x;
    bool outline;
    if(!image.IsEmpty() && mark != MARK_NONE) {
        bool checked = mark == MARK_CHECK_ON || mark == MARK_RADIO_ON;
        if(level < 2) {
            w.DrawRect(1, y - 1, is.cx + 2, is.cy + 2,
                       checked ? MixColors(SysColorLight(), SysColorFace(), 128) : SysColorFace());
            w.DrawBorder(0, y - 2, is.cx + 4, is.cy + 4, checked ? GetThinInsetBorder() : GetThinOutsetBorder());
        }
        else if(checked && !hot) {
            Rect box(0, y - 2, is.cx + 4, y + is.cy + 2);
            w.DrawGradientBox(box, 0x205);
        }
        x = 2;
        outline = hot || checked;
    }
    else {
        int column = std::max(is.cx, icon_column_width - 2);
        x = (column - is.cx) / 2;
        outline = hot;
    }
    if(!li.IsEmpty()) {
        if(enabled)
            w.DrawImageWithOutline(x, y, li, outline, true, SysColorPaper());
        else
            w.DrawImage(x, y, StateImage(li, true));
    }
    bool menu_mark = UseMenuMarkColour();
    int tx = std::max(is.cx, icon_column_width) + text_gap;
    int ty = (sz.cy - GetTextSize(text, GetStandardFontReference()).cy) / 2;
    PaintMenuText(w, tx, ty, label, font, enabled, hot, IsAccessKeyMarkShown(this) ? access_key : 0,
                  style->item_text_colour, style->hot_item_text_colour, menu_mark);
    Size rs = right_image.GetSize();
    if(!right_image.IsEmpty()) {
        int rx = sz.cx - rs.cx;
        int ry = (sz.cy - rs.cy) / 2;
        if(enabled)
            w.DrawImage(rx, ry, right_image, hot ? style->hot_item_text_colour : style->item_text_colour);
        else
            w.DrawImage(rx, ry, StateImage(right_image, true));
    }
    if(!shortcut.IsEmpty()) {
        Size ks = GetTextSize(shortcut, GetStandardFontReference());
        PaintMenuText(w, sz.cx - std::max(rs.cx, 16) - ks.cx - 3, (sz.cy - ks.cy) / 2, shortcut, font, enabled, hot, 0,
                      SysColorMenuMark(), style->hot_item_text_colour, menu_mark);
    }
}

void PaintTopItem(Draw& w, const MenuItemBase& item, int s)
{
    Size sz = item.GetSize();
    const String& text = item.GetText();
    int ty = (sz.cy - GetTextSize(text, GetStandardFontReference()).cy) / 2;
    const MenuBarStyle& st = *item.style;
    MenuBar* bar = nullptr;
    for(Ctrl* c = item.GetParent(); c && !bar; c = c->GetParent())
        bar = dynamic_cast<MenuBar*>(c);
    bool transparent = bar && bar->IsTransparent();
    bool menu_mark = !transparent;
    int ak = IsAccessKeyMarkShown(&item) ? item.GetAccessKey() : 0;
    bool enabled = item.IsItemEnabled();
    if(GetLookStyleLevel() < 2) {
        w.DrawRect(0, 0, sz.cx, sz.cy, SysColorFace());
        PaintMenuText(w, 6, ty, text, item.font, enabled, false, ak, SysColorMenuText(), SysColorHighlightText(),
                      menu_mark);
        if(s != ITEM_NORMAL)
            w.DrawBorder(0, 0, sz.cx, sz.cy, s == ITEM_HOT ? GetThinOutsetBorder() : GetThinInsetBorder());
        return;
    }
    if(transparent && s == ITEM_NORMAL) {
        Color ink = GetLabelTextColor(&item);
        PaintMenuText(w, 6, ty, text, item.font, enabled, false, ak, ink, ink, menu_mark);
        return;
    }
    PaintLook(w, Rect(sz), st.top_item_look[s]);
    Color ink = transparent ? GetLabelTextColor(&item) : st.top_item_text_colour[0];
    PaintMenuText(w, 6, ty, text, item.font, enabled, s != ITEM_NORMAL, ak, ink, st.top_item_text_colour[s], menu_mark);
}

} // namespace Qor
