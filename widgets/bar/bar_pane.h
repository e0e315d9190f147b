// BarPane: the area of a visible bar that flows its entries along rows (or columns) and
// wraps them, with gaps, fill gaps and row breaks between controls.
#pragma once

#include "foundation/callback.h"
#include "foundation/owned_array.h"
#include "foundation/vector.h"
#include "widgets/static/static_text.h"

namespace Qor {

class Draw;
struct SeparatorCtrlStyle;

// An entry of a pane: a control (not owned), or without one a gap of gapsize pixels, a gap
// that takes the rest of the row (BAR_FILL_GAP) or a row break (BAR_BREAK).
enum : int { BAR_FILL_GAP = INT32_MAX, BAR_BREAK = INT32_MIN };

struct BarPaneItem {
    Ctrl* ctrl = nullptr;
    int gapsize = BAR_BREAK;
};

class BarPane : public ParentCtrl {
public:
    BarPane();

    void PointerMoved(Point p, dword keyflags) override;
    void LeftButtonDown(Point p, dword keyflags) override;

    // A control becomes the pane's last child.
    void Add(Ctrl* ctrl, int gapsize);
    // Places the entries in rows of at most maxsize along (columns when vertical) and
    // returns the size they take; remembers where the rows meet.
    Size LayOutRows(bool horizontal, int maxsize);
    // The size horizontal rows take within maxsize, placing nothing. It wraps a row that
    // reaches the limit exactly, so a frame never ends up one pixel short.
    Size GetRowsSize(int maxsize) const;
    // Fills each row band with look, draws the row separators between them and, in a vertical
    // pane with an icon column look, a strip of iconColumnWidth at the left of each column.
    void PaintBar(Draw& w, const SeparatorCtrlStyle& row_separator, const Value& look, const Value& icon_column,
                  int icon_column_width);
    // Detaches every entry's control and forgets the entries and breaks.
    void ClearEntries();

    int GetCount() const { return items.GetCount(); }
    const BarPaneItem& GetItem(int i) const { return items[i]; }
    const Vector<int>& GetBreaks() const { return breaks; }
    bool IsHorizontal() const { return horizontal; }

    Callback leftClick;

private:
    OwnedArray<BarPaneItem> items;
    Vector<int> breaks;
    bool horizontal = true;
    Ctrl* hover = nullptr;
    int vmargin = 0;
    int hmargin = 0;

    Size Flow(bool horz, int maxsize, bool place);
};

// Passes c's help line to the help callback of the first bar up its parent chain.
void ShowBarHelp(Ctrl* c);
// Clears the help line of the first bar up c's parent chain.
void ClearBarHelp(Ctrl* c);

} // namespace Qor
