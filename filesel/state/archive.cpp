// The file selector's stored state: folder text, placement, list settings, sort choice,
// splitter and hidden-item options, in a versioned record (versions 0 to 10 are read,
// 10 is written).
#include "filesel/dialog/file_sel.h"

#include "foundation/stream.h"
#include "foundation/string_stream.h"

namespace Qor {

namespace {

enum { STATE_VERSION = 10 };

// Stores a record of the given version (when the stream stores) or loads one; returns
// the version of the record.
int SerializeState(FileSel& d, Stream& s, int version = STATE_VERSION)
{
    int v = version;
    s.SerializeCount(v);
    if(v > STATE_VERSION)
        v = STATE_VERSION;
    String t = d.dir.GetValue().GetString();
    if(v > 9)
        s.Serialize(d.reservedtext);
    else {
        int dummy = 0;
        s.SerializeCount(dummy);
    }
    s.Serialize(t);
    d.dir.SetValue(t);
    if(v < 1) {
        if(d.result.GetCount() == 0)
            d.result.Add();
        s.Serialize(d.result[0]);
    }
    else if(v <= 3)
        s.Serialize(d.result);
    else {
        Vector<String> unused;
        s.Serialize(unused);
    }
    if(v > 1) {
        d.SerializePlacement(s, false);
        d.list.SerializeSettings(s);
    }
    if(v > 2)
        s.Serialize(d.reservedint);
    if(v > 3)
        s.Serialize(d.reservedlist);
    if(v > 4)
        d.sortext.ArchiveBinary(s);
    if(v > 5) {
        if(v < 9) {
            Splitter dropped;
            dropped.ArchiveBinary(s);
        }
        else
            d.splitter.ArchiveBinary(s);
    }
    if(v > 6)
        d.hidden.ArchiveBinary(s);
    if(v > 7)
        d.hiddenfiles.ArchiveBinary(s);
    return v;
}

} // namespace

void FileSel::ArchiveBinary(Stream& s)
{
    if(s.IsStoring()) {
        SerializeState(*this, s);
        return;
    }
    // A record that does not load must leave the dialog as it was, so it is read into a
    // dialog of the same size first and handed over only when all of it loaded.
    FileSel probe;
    probe.SetRect(GetRectInParent());
    probe.list.SetColumnCount(list.GetColumnCount());
    int version = SerializeState(probe, s);
    if(s.IsError())
        return;
    // Handed over in the record's own version, so that fields it does not carry stay.
    StringStream out;
    SerializeState(probe, out, version);
    StringStream in(out.GetText());
    SerializeState(*this, in);
}

} // namespace Qor
