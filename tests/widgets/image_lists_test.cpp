// The widget image lists and the window core's "CtrlCoreImg": registered by name, every image
// in its place with its size and spots, the data blocks as packed, the pixels sound, and
// replacement until a reset.
#include "ctrl/images/ctrl_core_img.h"
#include "draw/image/pixel_buffer.h"
#include "widgets/widgets.h"

#include "tests/widgets/widget_image_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

extern const int ctrl_img_data_block_counts[];
extern const int ctrl_img_data_block_count;
extern const int ctrls_img_data_block_counts[];
extern const int ctrls_img_data_block_count;
extern const int classic_ctrls_img_data_block_counts[];
extern const int classic_ctrls_img_data_block_count;
extern const int ctrl_core_img_data_block_counts[];
extern const int ctrl_core_img_data_block_count;

using namespace Qor;
using namespace WidgetImageTables;

namespace {

const ImageRow ctrl_core_img[] = {
    { "DndMoveX11", 32, 32, 0, 0 }, { "DndMove", 32, 32, 0, 0 },   { "DndMove98", 32, 32, 0, 0 },
    { "DndNone", 32, 32, 0, 0 },    { "DndNone98", 32, 32, 0, 0 }, { "DndCopy", 32, 32, 0, 0 },
    { "DndCopy98", 32, 32, 0, 0 },  { "DndData", 32, 32, 0, 0 },
};

struct ListCase {
    const char* name;
    ImageList& list;
    const ImageRow* rows;
    int count;
    const int* block_counts;
    int block_count;
    std::vector<int> blocks;
};

std::vector<ListCase> Lists()
{
    return {
        { "CtrlImg",
          CtrlImg::GetList(),
          ctrl_img,
          (int)std::size(ctrl_img),
          ctrl_img_data_block_counts,
          ctrl_img_data_block_count,
          { 3, 2, 17, 10, 24, 18, 24, 10 } },
        { "CtrlsImg",
          CtrlsImg::GetList(),
          ctrls_img,
          (int)std::size(ctrls_img),
          ctrls_img_data_block_counts,
          ctrls_img_data_block_count,
          { 23, 16, 53, 22 } },
        { "ClassicCtrlsImg",
          ClassicCtrlsImg::GetList(),
          classic_ctrls_img,
          (int)std::size(classic_ctrls_img),
          classic_ctrls_img_data_block_counts,
          classic_ctrls_img_data_block_count,
          { 37, 31 } },
        { "CtrlCoreImg",
          CtrlCoreImg::GetList(),
          ctrl_core_img,
          (int)std::size(ctrl_core_img),
          ctrl_core_img_data_block_counts,
          ctrl_core_img_data_block_count,
          { 4, 4 } },
    };
}

TEST(WidgetImageListsTest, EveryImageInItsPlaceWithItsSizeAndSpots)
{
    for(const ListCase& c : Lists()) {
        SCOPED_TRACE(c.name);
        int index = FindImageListIndex(c.name);
        ASSERT_GE(index, 0);
        EXPECT_EQ(&GetImageList(index), &c.list);
        ASSERT_EQ(c.list.GetCount(), c.count);
        for(int i = 0; i < c.count; i++) {
            const ImageRow& row = c.rows[i];
            Image m = c.list.Get(i);
            EXPECT_EQ(c.list.GetName(i), row.name) << i;
            EXPECT_EQ(m.GetSize(), Size(row.cx, row.cy)) << row.name;
            EXPECT_EQ(m.GetHotSpot(), Point(row.hotspot_x, row.hotspot_y)) << row.name;
            EXPECT_EQ(m.GetSecondSpot(), Point(row.spot_x, row.spot_y)) << row.name;
            EXPECT_EQ(c.list.Find(row.name), i) << row.name;
        }
        EXPECT_EQ(std::vector<int>(c.block_counts, c.block_counts + c.block_count), c.blocks);
    }
}

// The names of the index enumerators, in their order, as the headers list them.
#define QOR_NAME_TEXT(name) #name,
const char* const ctrl_img_names[] = { QOR_CTRL_IMG_NAMES(QOR_NAME_TEXT) };
const char* const ctrls_img_names[] = { QOR_CTRLS_IMG_NAMES(QOR_NAME_TEXT) };
const char* const classic_ctrls_img_names[] = { QOR_CLASSIC_CTRLS_IMG_NAMES(QOR_NAME_TEXT) };
#undef QOR_NAME_TEXT

TEST(WidgetImageListsTest, IndexNamesMatchTheLists)
{
    struct Case {
        ImageList& list;
        const char* const* names;
        int count;
        int enum_count;
    } cases[] = {
        { CtrlImg::GetList(), ctrl_img_names, (int)std::size(ctrl_img_names), CtrlImg::COUNT },
        { CtrlsImg::GetList(), ctrls_img_names, (int)std::size(ctrls_img_names), CtrlsImg::COUNT },
        { ClassicCtrlsImg::GetList(), classic_ctrls_img_names, (int)std::size(classic_ctrls_img_names),
          ClassicCtrlsImg::COUNT },
    };
    for(const Case& c : cases) {
        ASSERT_EQ(c.count, c.list.GetCount());
        EXPECT_EQ(c.enum_count, c.count);
        for(int i = 0; i < c.count; i++)
            EXPECT_EQ(c.list.GetName(i), c.names[i]) << i;
    }
    // The getters reach the images of their names.
    EXPECT_EQ(CtrlImg::exclamation().GetSize(), Size(48, 45));
    EXPECT_EQ(CtrlImg::information().GetSize(), Size(48, 45));
    EXPECT_EQ(CtrlImg::question().GetSize(), Size(48, 45));
    EXPECT_EQ(CtrlsImg::Get(53).GetSize(), Size(9, 7));
    EXPECT_EQ(CtrlsImg::I_DA, 53);
    EXPECT_EQ(CtrlsImg::TABh().GetSecondSpot(), Point(2, 11));
    EXPECT_EQ(ClassicCtrlsImg::TB1().GetHotSpot(), Point(8, 8));
    EXPECT_EQ(CtrlCoreImg::DndData().GetSize(), GetCtrlCoreImage(CtrlCoreImg::I_DndData).GetSize());
}

// Only these images are meant to be fully transparent: an empty icon and the looks of an idle
// and a disabled tool button, which paint nothing.
bool MayBeBlank(const std::string& list, const std::string& name)
{
    return (list == "CtrlImg" && name == "Empty16x16") ||
           ((list == "CtrlsImg" || list == "ClassicCtrlsImg") && (name == "TB" || name == "TBd"));
}

TEST(WidgetImageListsTest, PixelsArePremultipliedAndEveryPictureHasInk)
{
    for(const ListCase& c : Lists())
        for(int i = 0; i < c.count; i++) {
            Image m = c.list.Get(i);
            std::string name = c.list.GetName(i).Begin();
            int ink = 0, bad = 0;
            for(int p = 0; p < m.GetLength(); p++) {
                const RGBA& q = m.GetPixels()[p];
                ink += q.a != 0;
                bad += q.r > q.a || q.g > q.a || q.b > q.a;
            }
            EXPECT_EQ(bad, 0) << c.name << ":" << name;
            if(MayBeBlank(c.name, name))
                EXPECT_EQ(ink, 0) << c.name << ":" << name;
            else
                EXPECT_GT(ink, 0) << c.name << ":" << name;
        }
}

// Where an arrow's ink lies: the weight of its alpha against the middle of the image, as
// fractions of a pixel; positive is right or down.
Pointf InkOffset(const Image& m)
{
    double sum = 0, x = 0, y = 0;
    Size sz = m.GetSize();
    for(int j = 0; j < sz.cy; j++)
        for(int i = 0; i < sz.cx; i++) {
            double a = m[j][i].a;
            sum += a;
            x += a * (i + 0.5);
            y += a * (j + 0.5);
        }
    if(sum == 0)
        return Pointf(0, 0);
    // The ink's own box, so that margins around the arrow do not count.
    int left = sz.cx, top = sz.cy, right = 0, bottom = 0;
    for(int j = 0; j < sz.cy; j++)
        for(int i = 0; i < sz.cx; i++)
            if(m[j][i].a) {
                left = std::min(left, i);
                top = std::min(top, j);
                right = std::max(right, i + 1);
                bottom = std::max(bottom, j + 1);
            }
    return Pointf(x / sum - (left + right) / 2.0, y / sum - (top + bottom) / 2.0);
}

TEST(WidgetImageListsTest, ArrowsPointTheirWay)
{
    // An arrow's weight lies at its base, away from its point.
    enum { DOWN, UP, LEFT, RIGHT };
    struct Case {
        ImageList& list;
        const char* name;
        int way;
    } cases[] = {
        { CtrlImg::GetList(), "smallup", UP },      { CtrlImg::GetList(), "smalldown", DOWN },
        { CtrlImg::GetList(), "smallleft", LEFT },  { CtrlImg::GetList(), "smallright", RIGHT },
        { CtrlImg::GetList(), "spinup", UP },       { CtrlImg::GetList(), "spindown2", DOWN },
        { CtrlImg::GetList(), "SmallUp", UP },      { CtrlImg::GetList(), "SmallDown", DOWN },
        { CtrlImg::GetList(), "SmallLeft", LEFT },  { CtrlImg::GetList(), "SmallRight", RIGHT },
        { CtrlImg::GetList(), "up_arrow", UP },     { CtrlImg::GetList(), "down_arrow", DOWN },
        { CtrlImg::GetList(), "left_arrow", LEFT }, { CtrlImg::GetList(), "right_arrow", RIGHT },
        { CtrlImg::GetList(), "SortUp", UP },       { CtrlImg::GetList(), "SortDown", DOWN },
        { CtrlsImg::GetList(), "DA", DOWN },        { CtrlsImg::GetList(), "UA", UP },
        { CtrlsImg::GetList(), "LA", LEFT },        { CtrlsImg::GetList(), "RA", RIGHT },
        { CtrlsImg::GetList(), "kDA", DOWN },       { CtrlsImg::GetList(), "kUA", UP },
        { CtrlsImg::GetList(), "kLA", LEFT },       { CtrlsImg::GetList(), "kRA", RIGHT },
        { CtrlsImg::GetList(), "SpU", UP },         { CtrlsImg::GetList(), "kSpD", DOWN },
        { CtrlsImg::GetList(), "SLA", LEFT },       { CtrlsImg::GetList(), "SRA", RIGHT },
        { ClassicCtrlsImg::GetList(), "DA", DOWN }, { ClassicCtrlsImg::GetList(), "UA", UP },
        { ClassicCtrlsImg::GetList(), "LA", LEFT }, { ClassicCtrlsImg::GetList(), "RA", RIGHT },
    };
    for(const Case& c : cases) {
        Pointf o = InkOffset(c.list.Get(c.list.Find(c.name)));
        switch(c.way) {
        case DOWN:
            EXPECT_LT(o.y, -0.1) << c.name;
            break;
        case UP:
            EXPECT_GT(o.y, 0.1) << c.name;
            break;
        case LEFT:
            EXPECT_GT(o.x, 0.1) << c.name;
            break;
        case RIGHT:
            EXPECT_LT(o.x, -0.1) << c.name;
            break;
        }
    }
}

// Puts the lists back as compiled in, whatever a test replaced.
class WidgetImageReplacement : public ::testing::Test {
protected:
    void TearDown() override
    {
        CtrlImg::GetList().Reset();
        CtrlsImg::GetList().Reset();
    }
    static Image Marker(int cx, int cy)
    {
        PixelBuffer b;
        b.Create(cx, cy);
        for(int i = 0; i < cx * cy; i++)
            b.Begin()[i] = RGBA{ 10, 20, 30, 255 };
        return Image(b);
    }
};

TEST_F(WidgetImageReplacement, SettersReplaceUntilTheListIsReset)
{
    Image compiled = CtrlImg::exclamation();
    CtrlImg::Set(CtrlImg::I_exclamation, Marker(3, 3));
    EXPECT_EQ(CtrlImg::exclamation().GetSize(), Size(3, 3));
    EXPECT_EQ(CtrlImg::information().GetSize(), Size(48, 45)); // its neighbours keep theirs

    CtrlImg::SetByName("vthumb1", Marker(5, 2));
    EXPECT_EQ(CtrlImg::vthumb1().GetSize(), Size(5, 2));
    // A name the list does not hold changes nothing.
    CtrlImg::SetByName("no such image", Marker(9, 9));
    for(int i = 0; i < CtrlImg::COUNT; i++)
        EXPECT_NE(CtrlImg::Get(i).GetSize(), Size(9, 9)) << i;

    CtrlsImg::Set(CtrlsImg::I_DA, Marker(4, 4));
    EXPECT_EQ(CtrlsImg::DA().GetSize(), Size(4, 4));
    // Replacing goes through the registered list: lookups by name see it too.
    EXPECT_EQ(FindImageByPath("CtrlsImg:DA").GetSize(), Size(4, 4));

    CtrlImg::GetList().Reset();
    CtrlsImg::GetList().Reset();
    Image again = CtrlImg::exclamation();
    ASSERT_EQ(again.GetSize(), compiled.GetSize());
    EXPECT_EQ(std::memcmp(again.GetPixels(), compiled.GetPixels(), sizeof(RGBA) * compiled.GetLength()), 0);
    EXPECT_EQ(CtrlImg::vthumb1().GetSize(), Size(16, 7));
    EXPECT_EQ(CtrlsImg::DA().GetSize(), Size(9, 7));
}

} // namespace
