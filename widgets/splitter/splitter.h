// Splitter: lays out its children side by side (or stacked) with draggable bars between
// neighbours. Bar positions are ten-thousandths of the splitter's length, so the panes keep
// their proportions when it is resized.
#pragma once

#include "ctrl/tree/ctrl_class.h"
#include "widgets/splitter/splitter_style.h"

namespace Qor {

class Splitter : public Ctrl {
public:
    enum : int { SPLITTER_UNITS = 10000 };

    Splitter();
    ~Splitter() override;

    Splitter& Add(Ctrl& pane);
    // Removes every pane and forgets the positions and minimums.
    void Clear();

    // Moves bar i (between pane i and pane i + 1) to pos ten-thousandths, kept between its
    // neighbours by the minimums of the two panes; the higher neighbour wins a conflict.
    Splitter& SetPos(int pos, int i = 0);
    // Null when bar i has no position.
    int GetPos(int i = 0) const;
    const Vector<int>& GetPositions() const { return positions; }
    int GetBarCount() const;

    // Panes from top to bottom with horizontal bars; side by side otherwise.
    Splitter& SetVertical(bool b = true);
    bool IsVertical() const { return vertical; }
    // Shows pane i alone; -1 shows every pane.
    Splitter& ShowPane(int i);
    Splitter& ShowAllPanes() { return ShowPane(-1); }
    int GetShownPane() const { return shown_pane; }
    // Minimum size of pane i, in ten-thousandths and in pixels.
    Splitter& SetMinimum(int i, int units);
    Splitter& SetPixelMinimum(int i, int pixels);
    Splitter& SetStyle(const SplitterStyle& s);
    // The bar taken by the last left press, -1 when it took none.
    int GetDraggedBar() const { return dragged_bar; }
    // Run when a drag ends.
    Callback& DragEndAction() { return drag_end; }

    // The bar nearest to a coordinate along the axis, within the bar width; -1 for none.
    int FindBar(int c) const;
    // The pixel position of bar i along the axis.
    int GetBarPixel(int i) const;

    static const SplitterStyle& GetDefaultStyle();

    // Stores the positions and the shown pane. A stored form that holds a position outside
    // 0..10000 or a pane that does not exist is reported as a load error and changes no
    // position.
    void ArchiveBinary(Stream& s) override;
    void Paint(Draw& w) override;
    void PointerMoved(Point p, dword keyflags) override;
    void LeftButtonDown(Point p, dword keyflags) override;
    void LeftButtonUp(Point p, dword keyflags) override;
    Image CursorFor(Point p, dword keyflags) override;
    void Layout() override;

private:
    Vector<int> positions;
    Vector<int> minimums;
    Vector<int> pixel_minimums;
    int shown_pane = -1;
    int dragged_bar = -1;
    bool vertical = false;
    const SplitterStyle* style;
    Callback drag_end;

    int GetLength() const;
    int MinimumUnits(int pane, int length) const;
    void LoadPositions(Stream& s, int version);
};

} // namespace Qor
