// HeaderCtrl: the row of column titles above a list, a control that is also the list's
// top frame, with its horizontal scroll bar docked at the list's bottom edge.
#pragma once

#include "ctrl/frame/ctrl_frame.h"
#include "ctrl/tree/ctrl_class.h"
#include "foundation/callback.h"
#include "foundation/callback_action.h"
#include "foundation/owned_array.h"
#include "lists/header/header_layout.h"
#include "lists/header/header_style.h"
#include "widgets/label/label_drawing.h"
#include "widgets/scroll/scroll_bar.h"

namespace Qor {

class Bar;

class HeaderCtrl : public Ctrl, public CtrlFrame {
public:
    // One tab: a title (drawn left-aligned) with its width, limits and callbacks.
    class Column : public LabelBase {
    public:
        Column();

        // Re-lays out the owner's list, refreshes the owner and tells it the layout changed.
        void LabelChanged() override;

        // Paints the tab at (x, y, cx, cy); `first` is cleared by the first tab that takes
        // the style's first-tab adjustment.
        void Paint(bool& first, Draw& w, int x, int y, int cx, int cy, bool disabled, bool pushed, bool hot) const;

        // Notifies only when the margin changes.
        Column& SetMargin(int m);
        Column& SetMinWidth(int cx);
        Column& SetMaxWidth(int cx);
        // Minimum and maximum at once: the tab cannot be resized.
        Column& SetFixedWidth(int cx);
        // Null fills the tab with the style's look.
        Column& SetPaper(Color c);
        Column& SetTip(const char* text);

        HeaderCtrl* GetOwner() const { return owner; }
        double GetRatio() const { return sizing.ratio; }
        bool IsShown() const { return sizing.visible; }
        int GetMinWidth() const { return sizing.min_width; }
        int GetMaxWidth() const { return sizing.max_width; }
        int GetMargin() const { return margin; }
        Color GetPaper() const { return paper; }
        // The tab's position at its creation; it travels with the tab when tabs move.
        int GetIndex() const { return index; }
        const String& GetTip() const { return tip; }

        Callback WhenLeftDown;
        Callback WhenLeftDouble;
        // The tab was clicked; a tab without it never shows pressed.
        Callback WhenAction;
        // Builds the tab's context menu.
        Callback1<Bar&> WhenBar;

    private:
        HeaderCtrl* owner = nullptr;
        HeaderTabSizing sizing;
        int margin = 4;
        Color paper;
        int index = 0;
        String tip;

        friend class HeaderCtrl;
    };

    HeaderCtrl();
    ~HeaderCtrl() override;

    // Back to the starting state: no tabs, proportional widths, default style.
    void Reset();

    // Appends a tab; a ratio of 0 counts as 1.
    Column& Add(const char* text, double ratio);
    // Tab i, appending default tabs up to it when i is past the end; i >= 0.
    Column& Tab(int i);
    const Column& Tab(int i) const { return tabs[i]; }
    int GetCount() const { return tabs.GetCount(); }
    // The position of the tab created at position index; -1 when none.
    int FindIndex(int index) const;
    // Moves the tab at from to position to, counted before the removal.
    void MoveTab(int from, int to);
    Vector<int> GetVisibleTabs(int from) const;

    // Tabs as wide as their ratios in pixels, scrolling when wider than the header.
    HeaderCtrl& SetAbsoluteWidths();
    bool IsAbsoluteWidths() const { return mode == HEADER_ABSOLUTE; }
    // A hidden header row takes no height.
    HeaderCtrl& SetHidden(bool b = true);
    bool IsHidden() const { return flags & HIDDEN; }
    // Lets the user reorder tabs by dragging them.
    HeaderCtrl& AllowTabMoving(bool b = true);
    bool IsTabMovingAllowed() const { return flags & MOVING_ALLOWED; }
    HeaderCtrl& SetStyle(const HeaderCtrlStyle& s);

    // The width share after a change of the view width or the tabs; every geometry query
    // starts with it.
    void UpdateLayout();
    // In content coordinates: x = 0 is the first tab's left edge before scrolling.
    Rect GetTabRect(int i);
    int GetTabWidth(int i);
    void ResizeTab(int i, int cx);
    // Resizing of tab i by the mouse, as if its divider had been pressed.
    void StartSplitDrag(int i);
    // The divider hit test at view x: i the divider of tab i, ~i inside tab i, INT_MIN none.
    int GetSplit(int x);
    // The horizontal scroll offset in pixels.
    int GetScroll() const;
    // Docked at the bottom of the framed control; scrolls only absolute widths.
    HScrollBar& GetScrollBar() { return scroll_bar; }
    // Header row height: the tallest title plus 4; 0 while hidden.
    int GetHeight() const;

    // Stores or loads tab order, widths and visibility; data that cannot apply loads as a
    // stream error and changes nothing.
    void Serialize(Stream& s);

    // Built on first use and again after a skin change; the host look writes into it.
    static HeaderCtrlStyle& GetDefaultStyle();

    // The tab layout changed: widths, order or visibility.
    Callback WhenLayout;
    // The header scrolled horizontally; runs WhenLayout until assigned.
    Callback WhenScroll;
    // The scroll bar was shown or hidden.
    Callback WhenScrollVisibility;

    // Ctrl.
    void ArchiveBinary(Stream& s) override { Serialize(s); }
    void Paint(Draw& w) override;
    void CancelInteraction() override;
    void PointerMoved(Point p, dword keyflags) override;
    void LeftButtonDown(Point p, dword keyflags) override;
    void LeftDoubleClick(Point p, dword keyflags) override;
    void LeftDragStart(Point p, dword keyflags) override;
    void LeftButtonUp(Point p, dword keyflags) override;
    void RightButtonDown(Point p, dword keyflags) override;
    void PointerLeft() override;
    Image CursorFor(Point p, dword keyflags) override;
    void Layout() override;

    // CtrlFrame.
    void LayOut(Rect& r) override;
    void AddSize(Size& sz) override;
    void AddedTo(Ctrl& parent) override;
    void RemovedFrom() override;

    using Ctrl::OverpaintMargin;

private:
    enum : byte { PUSHED = 0x01, TRACKING = 0x02, HIDDEN = 0x04, MOVING_ALLOWED = 0x08 };

    OwnedArray<Column> tabs;
    HScrollBar scroll_bar;
    // The view width the proportional widths were shared at; -1 stale.
    int distributed_width = -1;
    Vector<Rect> tab_rects;
    // The tab whose divider is dragged, or ~i after a press inside tab i; -1 none.
    int split = -1;
    int pushed_tab = -1;
    // The candidate for moving.
    int pressed_tab = -1;
    int target = -1;
    bool moving = false;
    Image moved_picture;
    int grab_offset = 0;
    int pointer_x = 0;
    Rect press_rect;
    byte flags = 0;
    byte mode = HEADER_PROPORTIONAL;
    int hot_tab = -1;
    const HeaderCtrlStyle* style = nullptr;
    bool scroll_auto_hide = true;

    HeaderTabList GetSizing() const;
    void ComputeTabRects();
    void SyncScrollTotal();
    void OnBarScroll();
    void FireLayout() { WhenLayout(); }
    void FireScrollVisibility() { WhenScrollVisibility(); }
    void SwapTabs(int a, int b);
    void ApplyStoredLayout(const struct HeaderStoredLayout& layout);
    int RightEdge(int i, int x, double& c, double sum, int visible) const;
    Image MakeMovedPicture(int tab);
    void DragMove(Point p);
    void DragResize(Point p);
    void EndInteraction();
};

// True when cb is set and its target can still take the call.
bool CanRunCallback(const Callback& cb);

} // namespace Qor
