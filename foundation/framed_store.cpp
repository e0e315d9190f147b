// The framed "data" form and its restore from a backup on a failed load.
#include "foundation/framed_store.h"

#include "foundation/string_stream.h"

namespace Qor {

namespace {

// The bytes "data" and "end\0" read as little-endian 32-bit values.
constexpr uint32 BEGIN_MAGIC = 0x61746164;
constexpr uint32 END_MAGIC = 0x00646E65;

// Writes value, or reads a value and requires it to equal value.
void Check(Stream& s, uint32 value)
{
    uint32 x = value;
    s.Serialize(x);
    if(s.IsLoading() && !s.IsError() && x != value)
        s.SetLoadError();
}

} // namespace

bool SerializeFramed(const Callback1<Stream&>& serialize, Stream& s, int version)
{
    int64 start = s.GetPos();
    if(!s.IsError())
        Check(s, BEGIN_MAGIC);
    if(!IsNullInt(version) && !s.IsError())
        Check(s, (uint32)version);
    if(serialize)
        serialize(s);
    if(!s.IsError())
        Check(s, END_MAGIC);
    if(!s.IsError())
        Check(s, uint32(s.GetPos() - start));
    return !s.IsError();
}

bool StoreFramed(const Callback1<Stream&>& serialize, Stream& s, int version)
{
    s.SetStoring();
    return SerializeFramed(serialize, s, version);
}

bool LoadFramed(const Callback1<Stream&>& serialize, Stream& s, int version)
{
    StringStream backup;
    if(serialize)
        serialize(backup);
    s.SetLoadThrowing();
    s.SetLoading();
    try {
        // A stream that failed before the frame is a failed load as well.
        if(SerializeFramed(serialize, s, version))
            return true;
    }
    catch(const LoadingError&) {
    }
    backup.Seek(0);
    backup.SetLoading();
    if(serialize)
        serialize(backup);
    return false;
}

} // namespace Qor
