// Start-up registrations of the drawing library hold in a program that links only it:
// the Image value type is known by number and name before any drawing code runs, a
// stored Image Value loads back, the Painting and Drawing types are known, and the image
// list "DrawImg" is registered, and BMP files decode through the raster formats. Exits
// non-zero when a check fails.

#include "draw/draw.h"
#include "foundation/values/value_registry.h"
#include "tests/registration/registration_check.h"

#include <cstdio>

using namespace Qor;

using QorRegistration::Check;

int main()
{
    // Asked first, so only the start-up registration can have made these known.
    Check(LookupValueTypeNumber("Image") == IMAGE_V, "type \"Image\" is number 150");
    Check(LookupValueTypeName(IMAGE_V) == "Image", "type 150 is named \"Image\"");
    Value::Void* rep = CreateValueRep(IMAGE_V);
    Check(rep && rep->GetTypeNumber() == IMAGE_V, "type 150 has a factory");
    if(rep)
        rep->Release();

    // The recorded-picture types, by number, name and factory.
    struct {
        int number;
        const char* name;
    } recorded[] = { { PAINTING_V, "Painting" }, { DRAWING_V, "Drawing" } };
    for(const auto& t : recorded) {
        Check(LookupValueTypeNumber(t.name) == t.number && LookupValueTypeName(t.number) == t.name, t.name);
        Value::Void* empty = CreateValueRep(t.number);
        Check(empty && empty->GetTypeNumber() == t.number, "the recorded type has a factory");
        if(empty)
            empty->Release();
    }

    // Nothing has asked for the list, so only start-up can have registered it.
    Check(FindImageListIndex("DrawImg") >= 0, "the image list \"DrawImg\" is registered");
    Check(FindImageByPath("DrawImg:threedots").GetSize() == Size(9, 2), "\"DrawImg:threedots\" is found");

    PixelBuffer b(3, 2);
    FillPixels(b.Begin(), MakeRGBA(10, 20, 30, 200), 6);
    Image img(b);
    Value loaded;
    Check(LoadFromString(loaded, StoreAsString(Value(img))), "a stored Image Value loads");
    Check(loaded.GetTypeNumber() == IMAGE_V, "the loaded Value is an Image");
    Check(Image(loaded) == img && Image(loaded).GetSize() == Size(3, 2), "the loaded Image has the same pixels");
    Drawing d(Size(4, 5), "\x09", ValueArray());
    Value stored_drawing;
    Check(LoadFromString(stored_drawing, StoreAsString(Value(d))) && Drawing(stored_drawing) == d,
          "a stored Drawing Value loads");

    Check(LookupValueTypeNumber("Font") == FONT_V && LookupValueTypeName(FONT_V) == "Font",
          "type \"Font\" is number 40");
    Check(Font::GetFaceCount() >= 4, "the face list is built");
    Value font_loaded;
    Font font = Font(Font::MONOSPACE, 17).Bold();
    Check(LoadFromString(font_loaded, StoreAsString(Value(font))) && Font(font_loaded) == font,
          "a stored Font Value loads");

    // A 1 x 1 24-bit BMP file: only the start-up registration can have made its format known.
    static const unsigned char bmp[] = { 'B', 'M', 58, 0, 0, 0, 0, 0, 0,  0, 54, 0, 0, 0, 40, 0,  0,  0, 1, 0,
                                         0,   0,   1,  0, 0, 0, 1, 0, 24, 0, 0,  0, 0, 0, 4,  0,  0,  0, 0, 0,
                                         0,   0,   0,  0, 0, 0, 0, 0, 0,  0, 0,  0, 0, 0, 30, 20, 10, 0 };
    Image decoded = StreamRaster::LoadFromString(String((const char*)bmp, sizeof(bmp)));
    Check(decoded.GetSize() == Size(1, 1) && decoded.GetPixels()[0] == MakeRGBA(10, 20, 30, 255),
          "a BMP file decodes through the registered raster formats");
    return QorRegistration::Finish("draw registrations");
}
