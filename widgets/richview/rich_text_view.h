// RichTextView: a read-only, scrolling view of a rich-text document with mouse selection,
// copying and links; RichTextCtrl, its transparent, edgeless form for dialogs.
#pragma once

#include "ctrl/tree/ctrl_class.h"
#include "foundation/callback.h"
#include "richtext/text/rich_text.h"
#include "widgets/scroll/scroll_bar.h"
#include "widgets/scroll/scroll_tracker.h"

namespace Qor {

class Bar;

class RichTextView : public Ctrl {
public:
    RichTextView();
    ~RichTextView() override;

    void Paint(Draw& w) override;
    void Layout() override;
    bool ProcessKey(dword key, int count) override;
    void PointerMoved(Point p, dword keyflags) override;
    void LeftButtonDown(Point p, dword keyflags) override;
    void LeftDoubleClick(Point p, dword keyflags) override;
    void LeftButtonRepeat(Point p, dword keyflags) override;
    void RightButtonDown(Point p, dword keyflags) override;
    void WheelRotated(Point p, int zdelta, dword keyflags) override;
    Image CursorFor(Point p, dword keyflags) override;
    // Qtf text shown at 1:1.
    void SetValue(const Value& v) override;
    // Null for an empty text, else the text's Qtf form.
    Value GetValue() const override;

    // Parses qtf and shows it, rescaled by z unless z is 1:1; the scroll line follows z.
    void SetQtf(const char* qtf, ZoomRatio z = ZoomRatio(1, 1));
    // Shows text from the top with no selection.
    void Pick(RichText&& text);
    const RichText& GetText() const { return text; }

    // The text position nearest a view point; -1 for a text without parts.
    int GetPositionAt(Point p) const;
    // The link at a text position, p being the view point asked about; empty when none.
    String GetLink(int pos, Point p) const;
    // Without a selection, the whole text.
    void Copy();
    void RefreshSel();
    void RefreshRange(int a, int b);
    void UpdateScroll();

    // (0, 0) fits the page width to the view; otherwise the fixed zoom of text units to pixels.
    RichTextView& SetZoom(ZoomRatio z);
    ZoomRatio GetZoom() const { return zoom; }
    // The page width, in text units, that a fitted view shows across.
    RichTextView& SetPageWidth(int text_cx);
    int GetPageWidth() const { return cx; }
    RichTextView& SetMargin(const Rect& m);
    const Rect& GetMargin() const { return margin; }
    RichTextView& SetBackground(Color c);
    Color GetBackground() const { return background; }

    // The selection as painted: [low, high) in text positions.
    int GetSelectionLow() const { return sell; }
    int GetSelectionHigh() const { return selh; }
    int GetCursor() const { return cursor; }
    int GetAnchor() const { return anchor; }
    // Both ends, then the painted selection.
    void SetSelection(int anchor_pos, int cursor_pos);
    bool IsSizing() const { return sizing; }

    // The scroll position in text units.
    int GetScrollPosition() const { return sb.GetPosition(); }
    void SetScrollPosition(int pos) { sb.SetPosition(pos); }
    ScrollBar& GetScrollBar() { return sb; }

    // The zoom the text is painted at now: the fixed zoom, or the fitted one.
    ZoomRatio GetZoomInUse() const;
    // The page width in text units: the fitted width, or the view's width at the fixed zoom.
    int GetPageCx() const { return PageCx(GetViewSize().cx); }

    // Runs with the link clicked; opens it in the web browser unless replaced.
    Callback1<const String&> WhenLink;

private:
    Rect margin;
    Color background;
    ZoomRatio zoom;
    int cx = 3968;
    ScrollBar sb;
    ScrollTracker tracker;
    RichText text;
    bool sizing = false;
    int sell = 0, selh = 0;
    int cursor = 0, anchor = 0;

    int EffectiveWidth() const;
    int PageCx(int view_cx) const;
    Rect PageRect(int view_cx) const { return Rect(0, 0, PageCx(view_cx), 2147483647); }
    Rect InnerRect() const;
    int ScrollOffset() const;
    Point TextPoint(Point p) const;
    bool IsWordChar(int pos) const;
    bool SameTableContext(int a, int b) const;
    void Scrolled();
    void SizingDone();
    void StandardMenu(Bar& bar);
};

class RichTextCtrl : public RichTextView {
public:
    RichTextCtrl();

    // Qtf text at the rich-text screen zoom.
    void SetValue(const Value& v) override;
};

} // namespace Qor
