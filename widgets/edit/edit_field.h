// EditField: the single-line text input. It edits a 16-bit text with a caret and a
// selection from keys, mouse, clipboard, the primary selection and drag and drop, keeps one
// level of undo, filters typed characters and converts its text to and from a Value.
#pragma once

#include "ctrl/tree/ctrl_class.h"
#include "draw/font/font.h"
#include "foundation/callback.h"
#include "foundation/values/color.h"
#include "foundation/values/convert.h"
#include "foundation/wstring.h"
#include "widgets/edit/edit_style.h"
#include "widgets/edit/text_array_ops.h"

namespace Qor {

class Bar;

// The colours of one character as painted; the leading int is free for the adjuster's use.
struct CharColors {
    int32 tag = 0;
    Color ink;
    Color paper;
    Color underline; // Null: none
};

class EditField : public Ctrl, public TextArrayOps {
public:
    // Option flags.
    enum : byte {
        OPT_PASSWORD = 0x01,
        OPT_REFORMAT_ON_FOCUS = 0x02,
        OPT_CAPITALISE_FIRST = 0x04,
        OPT_KEEP_SELECTION = 0x08,
        OPT_SELECT_ALL_ON_CLICK = 0x10,
        OPT_NO_PAPER = 0x20,
        OPT_RIGHT_ALIGN_IDLE = 0x40,
        OPT_INVALID = 0x80,
    };

    using CharFilter = int (*)(int ch);

    EditField();
    ~EditField() override;

    // ---- Ctrl.
    void SetValue(const Value& v) override;
    Value GetValue() const override;
    void Paint(Draw& w) override;
    void CancelInteraction() override;
    void PointerEntered(Point p, dword keyflags) override;
    void PointerMoved(Point p, dword keyflags) override;
    void LeftButtonDown(Point p, dword keyflags) override;
    void LeftDoubleClick(Point p, dword keyflags) override;
    void LeftTripleClick(Point p, dword keyflags) override;
    void LeftDragStart(Point p, dword keyflags) override;
    void LeftButtonUp(Point p, dword keyflags) override;
    void RightButtonDown(Point p, dword keyflags) override;
    void MiddleButtonDown(Point p, dword keyflags) override;
    void PointerLeft() override;
    void DropAtPoint(Point p, TransferOffer& offer) override;
    void DragHoverTick(Point p) override;
    void DragLeft() override;
    String RenderSelectionData(const String& format) const override;
    Image CursorFor(Point p, dword keyflags) override;
    bool ProcessKey(dword key, int count) override;
    void FocusGained() override;
    void FocusLost() override;
    void Layout() override;
    Size MinimumSize() const override;

    // ---- Its own virtual operations.
    // Runs the colour adjuster when one is set.
    virtual void AdjustCharColors(Vector<CharColors>& colors);
    int GetLength() const override { return text.GetLength(); }
    int GetChar(int i) const override { return text[i]; }

    // ---- Text, cursor and selection.
    void Reset();
    void SetText(const WString& t);
    const WString& GetText() const { return text; }
    void ClearText();
    // from < to selects [from, to) clipped to the text; otherwise the cursor goes to from.
    void SetSelection(int from, int to);
    // False without a selection; l and h then both get the cursor.
    bool GetSelection(int& l, int& h) const;
    bool IsSelection() const { return anchor >= 0 && anchor != cursor; }
    WString GetSelectedText() const;
    int GetCursor() const { return cursor; }
    int GetAnchor() const { return anchor; }
    int GetScrollOffset() const { return scroll_offset; }
    void MoveCursor(int pos, bool select);

    // ---- Editing.
    // The number of characters inserted: 0 for a read-only field and for a text that would
    // pass the maximum length (refused whole).
    int InsertText(int pos, const WString& t);
    void InsertChar(int ch);
    void RemoveText(int pos, int n);
    // False without a selection.
    bool RemoveSelection();
    void PasteText(const WString& t);

    // ---- Commands (the context menu's actions).
    void Copy();
    void Cut();
    void Paste();
    void Erase();
    void SelectAll();
    // Exchanges the text with the one before the last edit; a second undo redoes.
    void Undo();
    void StandardMenu(Bar& bar);

    // ---- Measuring.
    static int GetTextWidth(const wchar16* t, int n, bool password, Font font);
    int GetTextWidth(int n) const { return GetTextWidth(text.Begin(), n, IsPassword(), font); }
    // The character index at x in text coordinates (view x plus the scroll offset).
    int GetPositionAt(int x) const;
    Rect GetCaretRect(int pos) const;
    int GetTextTop() const;
    void SyncCaret();
    void UpdateView(bool refresh);

    // ---- Settings; each returns the field.
    EditField& SetFont(Font f);
    Font GetFont() const { return font; }
    EditField& SetNullText(const Image& icon, const char* text, Font f, Color ink);
    EditField& SetNullText(const char* text, Font f, Color ink);
    EditField& SetNullText(const char* text);
    EditField& SetStyle(const EditFieldStyle& s);
    const EditFieldStyle& GetStyle() const { return *style; }
    EditField& SetConvert(const Convert& c);
    const Convert& GetConvert() const { return *convert; }
    // Null: the converter formats the idle text too.
    EditField& SetIdleConvert(const Convert* c);
    EditField& SetFilter(CharFilter f);
    EditField& SetMaxChars(int n);
    int GetMaxChars() const { return max_length; }
    // 0 is off; otherwise the width follows the text up to this limit.
    EditField& SetAutoWidth(int limit);
    // 255: any character; otherwise only what that 8-bit character set encodes.
    EditField& SetCharset(int cs);
    EditField& SetOption(byte option, bool on);
    bool HasOption(byte option) const { return options & option; }
    EditField& SetPassword(bool b = true) { return SetOption(OPT_PASSWORD, b); }
    bool IsPassword() const { return HasOption(OPT_PASSWORD); }
    EditField& SetMarkSpaces(bool b = true);
    bool IsMarkSpaces() const { return more_options & 1; }
    EditField& SetReadOnly(bool b = true);
    EditField& SetMenuBuilder(const Callback1<Bar&>& cb);
    EditField& SetEnterAction(const Callback& cb);
    EditField& SetPasteFilter(const Callback1<WString&>& cb);
    EditField& SetColorAdjuster(const Callback1<Vector<CharColors>&>& cb);
    const Rect& GetDropMarker() const { return drop_marker; }
    ActiveEdgeFrame& GetEdgeFrame() { return edge_frame; }

    static EditFieldStyle& GetDefaultStyle();
    // Accepts 32..0xFFFF unchanged.
    static int DefaultCharFilter(int ch);

    // Owners assign these directly.
    CharFilter filter = DefaultCharFilter;
    const Convert* convert;

private:
    int32 cursor = 0;
    int32 anchor = -1;
    const EditFieldStyle* style = nullptr;
    ActiveEdgeFrame edge_frame;
    WString text;
    int32 scroll_offset = 0;
    WString undo_text;
    int32 undo_cursor = 0;
    int32 undo_anchor = -1;
    const Convert* idle_convert = nullptr;
    Font font;
    WString null_text;
    Color null_ink;
    Font null_font;
    Image null_icon;
    int32 max_length = 2147483647;
    int32 auto_width = 0;
    byte charset = 255;
    Rect drop_marker = Rect(0, 0, 0, 0);
    bool press_in_selection = false;
    byte options = OPT_REFORMAT_ON_FOCUS;
    byte more_options = 0;
    Callback1<Bar&> menu_builder;
    Callback enter_action;
    Callback1<WString&> paste_filter;
    Callback1<Vector<CharColors>&> color_adjuster;

    void SaveUndo();
    int FilterChar(int ch) const;
    bool RemoveKey(dword key, int count);
    // One removal of a removal key; false when there was nothing to remove.
    bool RemoveOnce(dword key);
    bool EditKey(dword key, int count);
    bool ScanMenuKey(dword key);
    void ClaimPrimary();
    void RefreshEdge();
    // Paints n characters of t at x in one colour pair; x and t advance past them.
    static void PaintRun(Draw& w, int& x, int fcy, const wchar16*& t, Color ink, Color paper, int n, bool password,
                         Font f, Color underline, bool mark_spaces);
    void PaintText(Draw& w, int& x, int fcy, Color ink, Color paper, bool enabled);
    void SetDropMarker(const Rect& r);
    Rect GetDropMarkerAt(int pos) const;
    void DragOut(int c);
};

// An edit field that carries its own converter (by default: any text).
template <class T, class C>
class EditValue : public EditField, public C {
public:
    EditValue()
    {
        convert = static_cast<const C*>(this);
        Refresh();
    }
};

class EditString : public EditValue<WString, ConvertString> {};

} // namespace Qor
