// StreamRaster: probing the registered formats over a stream or a String of file data.

#include "draw/raster/stream_raster.h"

#include "foundation/stream.h"
#include "foundation/string_stream.h"
#include "foundation/vector.h"

namespace Qor {

namespace {

Vector<StreamRasterFactory>& Factories()
{
    static Vector<StreamRasterFactory> factories;
    return factories;
}

} // namespace

void RegisterRasterFormat(StreamRasterFactory factory)
{
    Factories().Add(factory);
}

bool StreamRaster::IsError()
{
    return error || !stream || stream->IsError();
}

StreamRaster* StreamRaster::OpenStream(Stream& s)
{
    for(StreamRasterFactory factory : Factories()) {
        int64 start = s.GetPos();
        StreamRaster* raster = factory();
        s.ClearError();
        raster->SetStream(s);
        bool opened = raster->Open();
        raster->SetError(!opened);
        if(opened)
            return raster;
        s.ClearError();
        s.Seek(start);
        delete raster;
    }
    return nullptr;
}

Image StreamRaster::LoadFromString(const String& data, BoolCallback2<int, int> progress)
{
    StringStream s(data);
    StreamRaster* raster = OpenStream(s);
    if(!raster)
        return Image();
    Image image = raster->GetImage(progress);
    delete raster;
    return image;
}

} // namespace Qor
