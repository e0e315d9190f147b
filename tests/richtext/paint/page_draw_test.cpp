// Page drawing: the one-Draw page target, the screen zoom and the keys and images of the
// object image maker.

#include "richtext/paint/page_draw.h"
#include "tests/richtext/paint/paint_support.h"

#include <gtest/gtest.h>

namespace Qor {
namespace {

TEST(PageDraw, SimplePageDrawHandsOutOneDrawForEveryPage)
{
    QorTest::RecordingDraw w;
    SimplePageDraw pw(w);
    EXPECT_EQ(&pw.PageAt(0), &w);
    EXPECT_EQ(&pw.PageAt(17), &w);
    EXPECT_EQ(pw.tracer, nullptr);
}

TEST(PageDraw, ScreenZoomStartsAtScreenPixelsPerDot)
{
    ZoomRatio old = RichScreenZoom();
    EXPECT_EQ(old, ZoomRatio(96, 600)); // no test leaves it changed
    SetRichScreenZoom(192, 600);
    EXPECT_EQ(RichScreenZoom(), ZoomRatio(192, 600));
    EXPECT_EQ(RichScreenZoom() * 600, 192);
    SetRichScreenZoom(old.m, old.d);
    EXPECT_EQ(RichScreenZoom(), ZoomRatio(96, 600));
}

TEST(PageDraw, ObjectImageKeyIsSerialSizeAndContextLittleEndian)
{
    EmbeddedObject o = QorTest::PaintTestObject(Size(100, 50));
    RichObjectImageMaker maker(o, Size(0x01020304, 0x0A0B0C0D), 0x1122334455667788ull);
    String key = maker.GetKey();
    ASSERT_EQ(key.GetLength(), 24);
    uint64 serial = (uint64)o.GetSerial();
    for(int i = 0; i < 8; i++)
        EXPECT_EQ((byte)key[i], (byte)(serial >> (8 * i))) << i;
    const byte size[] = { 0x04, 0x03, 0x02, 0x01, 0x0D, 0x0C, 0x0B, 0x0A };
    for(int i = 0; i < 8; i++)
        EXPECT_EQ((byte)key[8 + i], size[i]) << i;
    for(int i = 0; i < 8; i++)
        EXPECT_EQ((byte)key[16 + i], (byte)(0x1122334455667788ull >> (8 * i))) << i;

    // Another version of the object (a new serial) or another context is another image.
    RichObjectImageMaker same(o, Size(0x01020304, 0x0A0B0C0D), 0x1122334455667788ull);
    EXPECT_EQ(same.GetKey(), key);
    RichObjectImageMaker context(o, Size(0x01020304, 0x0A0B0C0D), 1);
    EXPECT_NE(context.GetKey(), key);
    EmbeddedObject renewed = o;
    renewed.RenewSerial();
    EXPECT_NE(RichObjectImageMaker(renewed, Size(0x01020304, 0x0A0B0C0D), 0x1122334455667788ull).GetKey(), key);

    Image img = RichObjectImageMaker(o, Size(30, 20), 77).Make();
    EXPECT_EQ(img.GetSize(), Size(30, 20));
    EXPECT_EQ(QorTest::PaintTestType().seen_context, (void*)77);
}

} // namespace
} // namespace Qor
