// The file selector's stored state: folder text, placement, list settings, sort choice,
// splitter and hidden-item options, in a versioned record (versions 0 to 10 are read,
// 10 is written).
#include "filesel/dialog/file_sel.h"

#include "foundation/stream.h"
#include "foundation/string_stream.h"

namespace Qor {

namespace {

enum { STATE_VERSION = 10 };

void SerializeState(FileSel& d, Stream& s)
{
    int v = STATE_VERSION;
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
}

} // namespace

void FileSel::ArchiveBinary(Stream& s)
{
    if(s.IsStoring()) {
        SerializeState(*this, s);
        return;
    }
    // A record that does not load must leave the dialog as it was: the state is kept
    // aside first and put back when the loading fails part way.
    StringStream kept;
    SerializeState(*this, kept);
    String before = kept.GetText();
    auto restore = [&] {
        StringStream again(before);
        SerializeState(*this, again);
    };
    try {
        SerializeState(*this, s);
    }
    catch(const LoadingError&) {
        restore();
        throw;
    }
    if(s.IsError())
        restore();
}

} // namespace Qor
