// What a window keeps between two paints so that scrolls become window copies and moved
// children are repainted once: the queued scrolls and the recorded child moves.
#pragma once

#include "foundation/pte.h"
#include "foundation/values/rect.h"
#include "foundation/vector.h"

namespace Qor {

class Ctrl;

// A scroll of an area of the window (window coordinates) by (dx, dy).
struct ScrollRecord {
    Rect area;
    int dx = 0;
    int dy = 0;
};

// A child that moved from one rectangle to another (window coordinates).
struct MoveRecord {
    const Ctrl* key = nullptr; // the control the record is kept for
    WeakPointer<Ctrl> ctrl;    // emptied when the move needs no repaint any more
    Rect from;
    Rect to;
};

// A map from control to its move record, in insertion order.
class MoveMap {
public:
    MoveRecord* Find(const Ctrl* c);
    // Stores the move of c, replacing the destination of an earlier record of c so that
    // both its first and its last place are repainted.
    void Put(Ctrl* c, const Rect& from, const Rect& to);
    int GetCount() const { return records.GetCount(); }
    const MoveRecord& operator[](int i) const { return records[i]; }
    void Clear() { records.Clear(); }

private:
    Vector<MoveRecord> records;
};

struct RefreshBookkeeping {
    Vector<ScrollRecord> scrolls;
    MoveMap moves;        // recorded by the layout
    MoveMap scroll_moves; // children a scroll carried along
};

} // namespace Qor
