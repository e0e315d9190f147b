// BarCtrl: a Bar that is seen. It sits on an edge of a window as a frame and lays its
// entries out in rows through its pane; separators and size wrappers come from pools that
// are reused after the bar is cleared.
#pragma once

#include "ctrl/frame/ctrl_frame.h"
#include "foundation/callback.h"
#include "foundation/owned_array.h"
#include "foundation/string.h"
#include "widgets/bar/bar.h"
#include "widgets/bar/bar_pane.h"

namespace Qor {

class SeparatorCtrl;
struct SeparatorCtrlStyle;

// Edges a bar docks at.
enum : int { BAR_LEFT = 0, BAR_RIGHT = 1, BAR_TOP = 2, BAR_BOTTOM = 3 };

class BarCtrl : public Bar, public CtrlFrame {
public:
    // Gives one control a size of its own in a bar.
    class SizeCtrl : public ParentCtrl {
    public:
        // Per axis: the stored size when above 0, else the child's standard size (8 alone).
        Size MinimumSize() const override;

        Size size = Size(0, 0);
    };

    BarCtrl();
    ~BarCtrl() override;

    void AddCtrl(Ctrl* ctrl, int gapsize) override;
    void AddCtrl(Ctrl* ctrl, Size size) override;
    bool IsEmpty() const override { return pane.GetCount() == 0; }
    void Separator() override;
    void Layout() override;

    virtual void FrameLayout(Rect& r);
    virtual void FrameAddSize(Size& sz);
    virtual void FrameAdd(Ctrl& parent);
    virtual void FrameRemove();
    // The look an embedding window may paint behind the bar; an int Null when none.
    virtual Value GetBackgroundLook() const;

    // CtrlFrame.
    void LayOut(Rect& r) override { FrameLayout(r); }
    void AddSize(Size& sz) override { FrameAddSize(sz); }
    void AddedTo(Ctrl& parent) override { FrameAdd(parent); }
    void RemovedFrom() override { FrameRemove(); }

    // Destroys the pooled separators and wrappers and forgets every entry.
    void ClearContent();

    BarCtrl& SetAlign(int a);
    int GetAlign() const { return align; }
    BarCtrl& SetWrap(int w);
    BarPane& GetPane() { return pane; }
    const BarPane& GetPane() const { return pane; }
    int GetSeparatorsUsed() const { return separators_used; }
    int GetSizersUsed() const { return sizers_used; }
    SeparatorCtrl& GetSeparator(int i) { return separators[i]; }
    SizeCtrl& GetSizer(int i) { return sizers[i]; }

    Callback1<const String&> help_callback;
    Callback left_click_callback;

protected:
    int separators_used = 0;
    OwnedArray<SeparatorCtrl> separators;
    int sizers_used = 0;
    OwnedArray<SizeCtrl> sizers;
    int align = BAR_TOP;
    BarPane pane;
    int separator_size = 8;
    // Negative: never wrap; 0: wrap only while in the parent's frame area; positive: always.
    int wrap = 0;
    int separator_left_margin = 2;
    int separator_right_margin = 2;
    const SeparatorCtrlStyle* separator_style;

    void RunLeftClick();
    bool IsVerticalBar() const { return align == BAR_LEFT || align == BAR_RIGHT; }
};

} // namespace Qor
