// The code marks of "RichTextImg": names, order, sizes, shapes and hot spots.

#include "draw/image_list/image_list.h"
#include "richtext/model/rich_text_img.h"

#include <gtest/gtest.h>

#include <string>

namespace Qor {
namespace {

struct MarkCase {
    const char* name;
    const char* rows; // '#' opaque, '.' transparent, rows split by '/'
};

const MarkCase marks[] = {
    { "Label", "##.../###../####./#####/####./###../##..." },
    { "EndParaChar", "....#/....#/....#/..#.#/.##.#/#####/.##../..#.." },
    { "TabChar", "...#../...##./######/...##./...#.." },
    { "SpaceChar", "../##/##/../../.." },
    { "HardSpaceChar", "..../####/#..#/#..#/####/..../..../...." },
};

TEST(RichTextImg, MarksHoldTheirShapesInOrder)
{
    int list = FindImageListIndex("RichTextImg");
    ASSERT_GE(list, 0);
    ImageList& images = GetImageList(list);
    ASSERT_EQ(images.GetCount(), 5);
    for(int i = 0; i < 5; i++) {
        SCOPED_TRACE(marks[i].name);
        EXPECT_EQ(images.GetName(i), marks[i].name);
        Image img = images.Get(i);
        std::string shape;
        for(int y = 0; y < img.GetHeight(); y++) {
            if(y)
                shape += '/';
            for(int x = 0; x < img.GetWidth(); x++)
                shape += img[y][x].a ? '#' : '.';
        }
        EXPECT_EQ(shape, marks[i].rows);
        EXPECT_EQ(img.GetHotSpot(), Point(0, 0));
    }
}

} // namespace
} // namespace Qor
