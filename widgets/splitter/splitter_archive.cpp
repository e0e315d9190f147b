// Splitter: the stored form of the bar positions and the shown pane.
//
// Version 2 stores every position; versions 0 and 1, still met when loading, kept the first
// bar only. A stored form that does not fit this splitter is refused as a whole, so a bad
// file never loses the positions the user has.

#include "widgets/splitter/splitter.h"

#include "foundation/stream.h"

namespace Qor {

namespace {

enum : int { SPLITTER_ARCHIVE_VERSION = 2, LEGACY_SHOWN_ALL = 3 };

bool IsValidPosition(int pos) { return uint32(pos) <= Splitter::SPLITTER_UNITS; }

} // namespace

void Splitter::ArchiveBinary(Stream& s)
{
    int version = SPLITTER_ARCHIVE_VERSION;
    s.SerializeCount(version);
    if(s.IsStoring()) {
        int n = positions.GetCount();
        s.SerializeCount(n);
        for(int pos : positions)
            s.Serialize(pos);
        int shown = shown_pane;
        s.SerializeCount(shown);
        return;
    }
    if(s.IsError())
        return;
    if(version < 0 || version > SPLITTER_ARCHIVE_VERSION) {
        s.SetLoadError();
        return;
    }
    Vector<int> loaded;
    int first = 0;
    if(version == SPLITTER_ARCHIVE_VERSION) {
        int n = 0;
        s.SerializeCount(n);
        if(n < 0 && !s.IsError())
            s.SetLoadError();
        // Read one by one: a damaged count must not reserve memory the data never fills.
        for(int i = 0; i < n && !s.IsError(); i++) {
            int pos = 0;
            s.Serialize(pos);
            loaded.Add(pos);
        }
    }
    else
        s.Serialize(first);
    int shown = -1;
    if(version >= 1)
        s.SerializeCount(shown);
    if(s.IsError())
        return;
    for(int pos : loaded)
        if(!IsValidPosition(pos)) {
            s.SetLoadError();
            return;
        }
    if(version == 1 && shown == LEGACY_SHOWN_ALL)
        shown = -1;
    bool bad_pane = shown < -1 || shown >= CountChildren();
    if(version == SPLITTER_ARCHIVE_VERSION)
        positions = std::move(loaded);
    else
        SetPos(first, 0);
    shown_pane = bad_pane ? -1 : shown;
    Layout();
    Refresh();
    if(bad_pane)
        s.SetLoadError();
}

} // namespace Qor
