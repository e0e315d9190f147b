// Fuzz target for the Image byte forms. The input is read as a compact String, as a
// stream form from a sized and from an unsized stream, and as a framed String. Checked:
// nothing is allocated beyond what the bytes can fill (the sanitizer's allocation limit
// catches that), every Image read back writes again in a form that reads back equal, and
// a failed framed load leaves its target as it was.
#include "fuzz/fuzz_support.h"
#include "draw/image/image_forms.h"

#include "foundation/string_stream.h"

#include <cstdint>
#include <cstdlib>

using namespace Qor;

namespace {

void Require(bool ok)
{
    if(!ok)
        std::abort();
}

bool SameImage(const Image& a, const Image& b)
{
    return a == b && a.GetSize() == b.GetSize() && a.GetHotSpot() == b.GetHotSpot() && a.GetDots() == b.GetDots();
}

void CheckCompact(const String& data)
{
    Size sz = GetCompactImageSize(data);
    GetCompactImageDots(data);
    Image img = ReadCompactImage(data);
    if(img.IsEmpty())
        return;
    Require(img.GetSize() == sz);
    String again = WriteCompactImage(img);
    if(img.GetKind() == IMAGE_EMPTY) {
        Require(again.IsEmpty());
        return;
    }
    Require(SameImage(ReadCompactImage(again), img));
}

void CheckStreamLoaded(const Image& img)
{
    StringStream out;
    Image copy = img;
    copy.Serialize(out);
    StringStream in(out.GetText());
    in.SetLoading();
    Image back;
    back.Serialize(in);
    Require(!in.IsError() && SameImage(back, img));
}

void CheckStream(const uint8_t* data, size_t size)
{
    StringStream sized(String((const char*)data, (int)size));
    sized.SetLoading();
    Image a;
    a.Serialize(sized);
    if(!sized.IsError())
        CheckStreamLoaded(a);

    UnsizedStream unsized(data, size);
    Image b;
    b.Serialize(unsized);
    Require(unsized.IsError() == sized.IsError());
    if(!unsized.IsError())
        Require(SameImage(a, b));
}

void CheckFramed(const String& data)
{
    PixelBuffer pb(2, 1);
    pb.Begin()[0] = MakeRGBA(1, 2, 3, 4);
    pb.Begin()[1] = MakeRGBA(5, 6, 7, 8);
    Image before(pb);
    Image img = before;
    if(!LoadImageFromString(img, data)) {
        Require(SameImage(img, before));
        return;
    }
    Image again;
    Require(LoadImageFromString(again, StoreImageToString(img)) && SameImage(again, img));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if(size > (1 << 20))
        return 0;
    String text((const char*)data, (int)size);
    CheckCompact(text);
    CheckStream(data, size);
    CheckFramed(text);
    return 0;
}
