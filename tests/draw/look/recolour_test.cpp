// Recolouring of reference-palette images into the system colours, and of image lists.

#include "tests/draw/look/look_support.h"
#include "tests/draw/support/image_fixtures.h"

using namespace Qor;
using QorTest::Opaque;

namespace {

class Recolour : public QorTest::LookTest {};

struct PixelCase {
    const char* what;
    RGBA source;
    RGBA expected;
};

void ExpectRecoloured(const PixelCase* cases, int n)
{
    for(int i = 0; i < n; i++) {
        const PixelCase& c = cases[i];
        Image out = RecolourToSystem(QorTest::SolidImage(1, 1, c.source));
        ASSERT_EQ(out.GetSize(), Size(1, 1)) << c.what;
        RGBA p = out[0][0];
        EXPECT_EQ(p, c.expected) << c.what << ": got " << (int)p.r << ", " << (int)p.g << ", " << (int)p.b << ", "
                                 << (int)p.a;
    }
}

RGBA Premultiplied(int r, int g, int b, int a)
{
    RGBA p = MakeRGBA(r, g, b, a);
    PremultiplyPixels(&p, &p, 1);
    return p;
}

} // namespace

TEST_F(Recolour, DefaultColours)
{
    const PixelCase cases[] = {
        { "grey C0 is the face", Opaque(0xC0, 0xC0, 0xC0), Opaque(0xC0, 0xC0, 0xC0) },
        { "grey 80 is the shadow", Opaque(0x80, 0x80, 0x80), Opaque(0x80, 0x80, 0x80) },
        { "white stops short of the light", Opaque(255, 255, 255), Opaque(254, 254, 254) },
        { "black is the text", Opaque(0, 0, 0), Opaque(0, 0, 0) },
        { "blue stops short of the highlight", Opaque(0, 0, 255), Opaque(0, 0, 127) },
        { "red stops short of the highlight", Opaque(255, 0, 0), Opaque(0, 0, 127) },
        { "yellow is the paper", Opaque(255, 255, 0), Opaque(255, 255, 255) },
        { "green stays", Opaque(0, 200, 0), Opaque(0, 200, 0) },
        { "a mixed colour stays", Opaque(10, 20, 30), Opaque(10, 20, 30) },
        { "transparent stays", MakeRGBA(0, 0, 0, 0), MakeRGBA(0, 0, 0, 0) },
    };
    ExpectRecoloured(cases, (int)std::size(cases));
}

// Distinct colours show which pair each source range blends, with which weight.
TEST_F(Recolour, EachRangeBlendsItsOwnPair)
{
    SetSysColorText(Color(10, 20, 30));
    SetSysColorShadow(Color(100, 0, 0));
    SetSysColorFace(Color(0, 100, 0));
    SetSysColorLight(Color(0, 0, 100));
    SetSysColorHighlight(Color(200, 0, 200));
    SetSysColorPaper(Color(50, 50, 250));
    const PixelCase cases[] = {
        { "grey 0", Opaque(0, 0, 0), Opaque(10, 20, 30) },
        { "grey 127", Opaque(127, 127, 127), Opaque(99, 0, 0) },
        { "grey 128", Opaque(128, 128, 128), Opaque(100, 0, 0) },
        { "grey 191", Opaque(191, 191, 191), Opaque(1, 98, 0) },
        { "grey 192", Opaque(192, 192, 192), Opaque(0, 100, 0) },
        { "grey 255", Opaque(255, 255, 255), Opaque(0, 1, 98) },
        { "blue 128 is the text", Opaque(0, 0, 128), Opaque(10, 20, 30) },
        { "blue 192", Opaque(0, 0, 192), Opaque(105, 9, 115) },
        { "red 192", Opaque(192, 0, 0), Opaque(105, 9, 115) },
        { "yellow 128", Opaque(128, 128, 0), Opaque(30, 35, 140) },
        { "half-covered black keeps its alpha", Premultiplied(0, 0, 0, 128), Premultiplied(10, 20, 30, 128) },
    };
    ExpectRecoloured(cases, (int)std::size(cases));
}

// A weight below 0 extrapolates beyond the text colour; each channel stops at 0 or 255
// instead of wrapping round.
TEST_F(Recolour, ExtrapolatedChannelsAreClamped)
{
    SetSysColorText(Color(200, 50, 100));
    SetSysColorHighlight(Color(0, 255, 100));
    const PixelCase cases[] = {
        { "dark blue", Opaque(0, 0, 10), Opaque(255, 0, 100) },
        { "dark red", Opaque(10, 0, 0), Opaque(255, 0, 100) },
        { "blue 64", Opaque(0, 0, 64), Opaque(255, 0, 100) },
    };
    ExpectRecoloured(cases, (int)std::size(cases));
}

TEST_F(Recolour, KeepsSizeAndSpotsButNotTheResolution)
{
    PixelBuffer b(3, 2);
    FillPixels(b.Begin(), Opaque(0xC0, 0xC0, 0xC0), 6);
    b.SetHotSpot(Point(1, 0));
    b.SetSecondSpot(Point(2, 1));
    b.SetDots(Size(30, 20));
    Image out = RecolourToSystem(Image(b));
    EXPECT_EQ(out.GetSize(), Size(3, 2));
    EXPECT_EQ(out.GetHotSpot(), Point(1, 0));
    EXPECT_EQ(out.GetSecondSpot(), Point(2, 1));
    EXPECT_EQ(out.GetDots(), Size(0, 0));
    EXPECT_TRUE(RecolourToSystem(Image()).IsEmpty());
}

TEST_F(Recolour, ListTakesRecolouredImagesByName)
{
    static const char* const names[] = { "a", "b", "c" };
    static const char* const other_names[] = { "c", "a" };
    ImageList list(nullptr, names, 3);
    ImageList other(nullptr, other_names, 2);
    Image white = QorTest::SolidImage(1, 1, Opaque(255, 255, 255));
    Image blue = QorTest::SolidImage(2, 1, Opaque(0, 0, 255));
    Image keep = QorTest::SolidImage(1, 2, Opaque(255, 255, 255));
    other.Set(0, blue);
    other.Set(1, white);
    list.Set(1, keep);
    list.SetRecolouredFrom(other);
    EXPECT_EQ(list.Get(0)[0][0], Opaque(254, 254, 254));
    EXPECT_EQ(list.Get(1).GetSerialId(), keep.GetSerialId()) << "a name the other list lacks";
    EXPECT_EQ(list.Get(2).GetSize(), Size(2, 1));
    EXPECT_EQ(list.Get(2)[0][1], Opaque(0, 0, 127));
    EXPECT_EQ(other.Get(1).GetSerialId(), white.GetSerialId()) << "the source list is left alone";
}

// Recoloured into itself, a list with a repeated name recolours each image once.
TEST_F(Recolour, ListIntoItselfRecoloursOnce)
{
    static const char* const names[] = { "x", "x" };
    ImageList list(nullptr, names, 2);
    list.Set(0, QorTest::SolidImage(1, 1, Opaque(255, 255, 255)));
    list.Set(1, QorTest::SolidImage(1, 1, Opaque(0, 0, 0)));
    list.SetRecolouredFrom(list);
    EXPECT_EQ(list.Get(0)[0][0], Opaque(254, 254, 254));
    EXPECT_EQ(list.Get(1)[0][0], Opaque(254, 254, 254));
}

// A list's recoloured images are made on their first request, yet they are what a
// recolouring at the call would have made: the colours of the call, the sources as they
// stood, the list's own compiled-in images, and a later Set wins.
TEST_F(Recolour, ListRecoloursInTheColoursOfTheCall)
{
    static const byte grey_line[] = { 0x81, 0x80, 0x80, 0x80, 0x80 };
    static const byte* const grey_lines[] = { grey_line };
    static const RunLengthImage records[] = { { grey_lines, 1, 0, 1, 1, 0, 0 }, { grey_lines, 1, 0, 1, 1, 0, 0 } };
    static const char* const names[] = { "own", "set" };
    static const char* const other_names[] = { "own", "set" };
    ImageList list(records, names, 2);
    ImageList other(nullptr, other_names, 2);
    other.Set(0, QorTest::SolidImage(1, 1, Opaque(0, 0, 255)));

    SetSysColorHighlight(Color(0, 200, 0));
    SetSysColorShadow(Color(100, 0, 0));
    list.SetRecolouredFrom(list);
    RGBA own = RecolourToSystem(QorTest::SolidImage(1, 1, Opaque(0x80, 0x80, 0x80)))[0][0];
    list.SetRecolouredFrom(other);
    RGBA from_other = RecolourToSystem(other.Get(0))[0][0];
    Image kept = QorTest::SolidImage(1, 1, Opaque(1, 2, 3));
    list.Set(1, kept);
    other.Set(0, QorTest::SolidImage(1, 1, Opaque(255, 255, 255)));
    SetSysColorHighlight(Color(0, 0, 0));
    SetSysColorShadow(Color(0, 0, 0));

    EXPECT_EQ(list.Get(0)[0][0], from_other) << "the other list's image as it stood, in the colours of the call";
    EXPECT_EQ(list.Get(1).GetSerialId(), kept.GetSerialId()) << "a later Set";
    EXPECT_EQ(list.Get(0).GetSerialId(), list.Get(0).GetSerialId()) << "made once";

    ImageList own_list(records, names, 2);
    SetSysColorShadow(Color(100, 0, 0));
    own_list.SetRecolouredFrom(own_list);
    SetSysColorShadow(Color(0, 0, 0));
    EXPECT_EQ(own_list.Get(0)[0][0], own) << "the list's own compiled-in image";
    EXPECT_NE(own, Opaque(0x80, 0x80, 0x80));
}
