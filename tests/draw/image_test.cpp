// Image and PixelBuffer: sharing, taking apart, kinds, comparison, bounded sizes, Values.

#include "draw/image/image.h"

#include "foundation/values/value_registry.h"

#include <gtest/gtest.h>

using namespace Qor;

namespace {

// A buffer whose pixel i has alpha alphas[i] and colours i.
PixelBuffer Buffer(int cx, int cy, std::initializer_list<int> alphas)
{
    PixelBuffer b(cx, cy);
    int i = 0;
    for(int a : alphas) {
        b.Begin()[i] = MakeRGBA(i, i, i, a);
        i++;
    }
    return b;
}

} // namespace

TEST(PixelBufferCreate, RefusesSizesMemoryCannotHold)
{
    struct Case {
        int cx, cy;
        bool made;
        Size size;
    } cases[] = {
        { 3, 2, true, Size(3, 2) },
        { 0, 5, false, Size(0, 5) }, // no columns: the size stays, with no pixels
        { 5, 0, false, Size(5, 0) },
        { 0, 0, false, Size(0, 0) },
        { -1, 5, false, Size(0, 0) },
        { -4, -4, false, Size(0, 0) },
        { 0, 0x7FFFFFFF, false, Size(0, 0) },   // rows past any image: refused, not counted out
        { 65536, 65536, false, Size(0, 0) },    // 2^32 pixels: would overflow a 32-bit count
        { 0x7FFFFFFF, 2, false, Size(0, 0) },   // the product overflows 32 bits
        { 46341, 46341, false, Size(0, 0) },    // just past 2^31 pixels
        { 8192, 8192, true, Size(8192, 8192) }, // 64M pixels is fine
    };
    for(const Case& c : cases) {
        PixelBuffer b(c.cx, c.cy);
        EXPECT_EQ(!b.IsEmpty(), c.made) << c.cx << "x" << c.cy;
        EXPECT_EQ(b.GetSize(), c.size) << c.cx << "x" << c.cy;
        EXPECT_EQ(b.GetLength(), c.made ? int64(c.cx) * c.cy : 0);
        EXPECT_TRUE(Image(b).IsEmpty() != c.made);
    }
}

TEST(ImageFromBuffer, TakesThePixelsOver)
{
    PixelBuffer b = Buffer(2, 1, {255, 255});
    b.SetHotSpot(Point(1, 0));
    b.SetSecondSpot(Point(0, 1));
    b.SetDots(Size(20, 10));
    const RGBA* pixels = b.Begin();
    Image img(b);
    EXPECT_EQ(img.GetPixels(), pixels);
    EXPECT_EQ(img.GetSize(), Size(2, 1));
    EXPECT_EQ(img.GetHotSpot(), Point(1, 0));
    EXPECT_EQ(img.GetSecondSpot(), Point(0, 1));
    EXPECT_EQ(img.GetDots(), Size(20, 10));
    EXPECT_EQ(img.GetAuxData(), 0);
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_EQ(b.GetSize(), Size(2, 1)); // the buffer keeps its size, not its pixels
}

TEST(ImageFromBuffer, ZeroWidthLeavesTheBufferAlone)
{
    PixelBuffer b(0, 5);
    Image img(b);
    EXPECT_EQ(b.GetSize(), Size(0, 5));
    EXPECT_TRUE(img.IsEmpty());
    EXPECT_EQ(img.GetSize(), Size(0, 0));
    EXPECT_EQ(img.GetPixels(), nullptr);
    EXPECT_EQ(img.GetKind(), IMAGE_EMPTY);
    EXPECT_EQ(img.GetHotSpot(), Point(0, 0));
}

TEST(ImageSharing, CopiesShareSerialsAndTakingApartCopiesOnlyWhenShared)
{
    Image a = Buffer(2, 1, {255, 255});
    Image b = Buffer(2, 1, {255, 255});
    EXPECT_NE(a.GetSerialId(), b.GetSerialId());
    EXPECT_EQ(a, b);
    Image c = a;
    EXPECT_EQ(c.GetSerialId(), a.GetSerialId());
    EXPECT_EQ(a.GetRefCount(), 2);

    const RGBA* shared = a.GetPixels();
    PixelBuffer taken(c); // c shares with a: copied
    EXPECT_TRUE(c.IsEmpty());
    EXPECT_NE(taken.Begin(), shared);
    taken.Begin()[0] = MakeRGBA(9, 9, 9, 255);
    EXPECT_EQ(a.GetPixels(), shared);
    EXPECT_EQ(a.GetPixels()[0], MakeRGBA(0, 0, 0, 255));
    EXPECT_EQ(a.GetRefCount(), 1);

    PixelBuffer moved(a); // a alone: the array moves
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(moved.Begin(), shared);
    EXPECT_EQ(moved.GetKind(), IMAGE_UNKNOWN);

    Image empty;
    PixelBuffer none(empty);
    EXPECT_TRUE(none.IsEmpty());
    EXPECT_EQ(none.GetSize(), Size(0, 0));
}

TEST(ImageSharing, SelfAssignmentKeepsTheData)
{
    Image a = Buffer(1, 1, {255});
    Image& same = a;
    a = same;
    ASSERT_FALSE(a.IsEmpty());
    EXPECT_EQ(a.GetRefCount(), 1);
    EXPECT_EQ(a.GetPixels()[0].a, 255);
}

TEST(ImageKind, ScansTheAlphas)
{
    struct Case {
        std::initializer_list<int> alphas;
        int kind;
    } cases[] = {
        {{0, 0, 0, 0}, IMAGE_EMPTY},
        {{255, 255, 255, 255}, IMAGE_OPAQUE},
        {{255, 0, 255, 0}, IMAGE_MASK},
        {{255, 0, 1, 0}, IMAGE_ALPHA},
        {{0, 0, 0, 254}, IMAGE_ALPHA},
    };
    for(const Case& c : cases) {
        Image img = Buffer(2, 2, c.alphas);
        EXPECT_EQ(img.GetKind(), c.kind);
    }
    PixelBuffer known = Buffer(1, 1, {0});
    known.SetKind(IMAGE_OPAQUE); // a producer's own kind is believed
    EXPECT_EQ(Image(known).GetKind(), IMAGE_OPAQUE);
}

TEST(ImageCompare, PixelBytesOnly)
{
    PixelBuffer wide(8, 2), square(4, 4);
    for(int i = 0; i < 16; i++)
        wide.Begin()[i] = square.Begin()[i] = MakeRGBA(i, 0, 0, 255);
    wide.SetHotSpot(Point(3, 3));
    Image a(wide), b(square);
    EXPECT_EQ(a, b); // same 64 bytes, other dimensions and spots
    EXPECT_EQ(a.GetHashValue(), b.GetHashValue());
    Image c = Buffer(4, 4, {1});
    EXPECT_NE(a, c);
    EXPECT_EQ(Image(), Image());
    EXPECT_NE(a, Image());
    EXPECT_EQ(Image().GetHashValue(), 1234567890u);
}

TEST(ImageText, SizeInParentheses)
{
    EXPECT_EQ(Image().ToText(), "Image (0, 0)");
    PixelBuffer b(16, 16);
    EXPECT_EQ(Image(b).ToText(), "Image (16, 16)");
}

TEST(ImageAux, StoredOnlyInRealData)
{
    Image none;
    none.SetAuxData(5);
    EXPECT_EQ(none.GetAuxData(), 0);
    Image img = Buffer(1, 1, {255});
    Image copy = img;
    img.SetAuxData(42);
    EXPECT_EQ(copy.GetAuxData(), 42);
}

TEST(ImagePremultiply, SharesOpaqueAndEmptyImages)
{
    Image opaque = Buffer(2, 1, {255, 255});
    EXPECT_EQ(Premultiply(opaque).GetSerialId(), opaque.GetSerialId());
    Image clear = Buffer(2, 1, {0, 0});
    EXPECT_EQ(Premultiply(clear).GetSerialId(), clear.GetSerialId());

    PixelBuffer b(2, 1);
    b.Begin()[0] = MakeRGBA(200, 100, 255, 128);
    b.Begin()[1] = MakeRGBA(7, 7, 7, 255);
    b.SetHotSpot(Point(1, 1));
    b.SetDots(Size(5, 5));
    Image src(b);
    Image p = Premultiply(src);
    EXPECT_NE(p.GetSerialId(), src.GetSerialId());
    EXPECT_EQ(p.GetPixels()[0], MakeRGBA(100, 50, 128, 128));
    EXPECT_EQ(p.GetKind(), IMAGE_ALPHA);
    EXPECT_EQ(p.GetHotSpot(), Point(1, 1));
    EXPECT_EQ(p.GetDots(), Size(0, 0));
}

TEST(PixelBufferMultiply, SkipsWhatTheKindRulesOut)
{
    PixelBuffer b = Buffer(1, 1, {128});
    b.Begin()[0] = MakeRGBA(200, 200, 200, 128);
    b.SetKind(IMAGE_OPAQUE); // said to be opaque: left alone
    b.Premultiply();
    EXPECT_EQ(b.Begin()[0], MakeRGBA(200, 200, 200, 128));
    b.SetKind(IMAGE_UNKNOWN);
    b.Premultiply();
    EXPECT_EQ(b.Begin()[0], MakeRGBA(100, 100, 100, 128));
    b.Unmultiply();
    EXPECT_EQ(b.Begin()[0], MakeRGBA(200, 200, 200, 128));
}

TEST(ImageValue, TypeAndRoundTrip)
{
    Image img = Buffer(2, 1, {255, 128});
    Value v = img;
    EXPECT_EQ(v.GetTypeNumber(), IMAGE_V);
    EXPECT_FALSE(v.IsNull());
    EXPECT_EQ(v.ToString(), "Image (2, 1)");
    EXPECT_EQ(v.GetHashValue(), img.GetHashValue());
    Image back(v);
    EXPECT_EQ(back.GetSerialId(), img.GetSerialId());
    EXPECT_EQ(Value(Image()).IsNull(), true);
    EXPECT_TRUE(Image(Value()).IsEmpty());
    EXPECT_EQ(Value(img), ImageToValue(Buffer(2, 1, {255, 128})));
    EXPECT_NE(Value(img), Value(String("Image (2, 1)")));
    EXPECT_EQ(LookupValueTypeNumber("Image"), IMAGE_V);
    EXPECT_EQ(LookupValueTypeName(IMAGE_V), "Image");
}
