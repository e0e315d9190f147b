// The file list as the server shows it: each entry's icon left in its row, the name in its
// ink and the extension in another, and a cursor row on the highlight with both parts in
// the highlight text colour.
#include "filesel/list/file_list.h"

#include "tests/support/x11/input_window.h"

#include "draw/font/font.h"
#include "draw/image/pixel_buffer.h"
#include "draw/look/sys_colors.h"

#include <memory>

namespace {

using namespace Qor;
using namespace QorTest;

Image Solid(Color c, int cx, int cy)
{
    PixelBuffer b(cx, cy);
    for(int y = 0; y < cy; y++)
        for(int x = 0; x < cx; x++)
            b[y][x] = RGBA{ (byte)(c.GetPacked() >> 16), (byte)(c.GetPacked() >> 8), (byte)c.GetPacked(), 255 };
    return Image(b);
}

const Color ICON(0, 160, 0);
const Color INK(200, 0, 0);
const Color EXT(0, 0, 200);

class FileListPaintGui : public PrivateDisplayTest {
protected:
    FileList list;
    std::unique_ptr<OpenInput> window;

    void SetUp() override
    {
        PrivateDisplayTest::SetUp();
        Qor::Font bold = GetStandardFont().Bold();
        list.Add("report.pdf", Solid(ICON, 16, 12), bold, INK, false, 1, Qor::Time(), EXT, "", bold, Value(), Color(),
                 false, false);
        list.Add("notes.txt", Solid(ICON, 16, 12), bold, INK, false, 1, Qor::Time(), EXT, "", bold, Value(), Color(),
                 false, false);
        window = std::make_unique<OpenInput>(list, Rect(30, 30, 330, 230));
        ASSERT_TRUE(window->IsOpen());
        list.SetCursor(1);
        PumpFor(200);
    }
    void TearDown() override
    {
        window.reset();
        PrivateDisplayTest::TearDown();
    }
    Pixels Row(int i, int from, int to)
    {
        Rect v = list.GetViewRect();
        Rect r = list.GetItemRect(i).Offseted(v.left, v.top);
        return GrabPixels(window->GetWindow(), Rect(r.left + from, r.top, r.left + to, r.bottom));
    }
};

TEST_F(FileListPaintGui, IconNameAndExtensionInTheirPlacesAndInks)
{
    int h = list.GetItemHeight();
    int top = (h - 12) / 2;
    Pixels icon = Row(0, 0, list.iconwidth + 4);
    EXPECT_EQ(icon.Count(ICON), 16 * 12) << "the whole icon";
    EXPECT_EQ(icon.At(2, top), ICON);
    EXPECT_EQ(icon.At(17, top + 11), ICON);
    EXPECT_NE(icon.At(1, top), ICON);
    EXPECT_NE(icon.At(18, top), ICON);

    Qor::Font bold = GetStandardFont().Bold();
    int x = list.iconwidth + 4;
    int name = 0;
    for(const char* s = "report."; *s; s++)
        name += bold.GetCharWidth(*s);
    // Antialiased text: the ink's own colour shows in the thick strokes of a bold font.
    Pixels base = Row(0, x, x + name);
    Pixels ext = Row(0, x + name, x + name + 40);
    EXPECT_GT(base.Count(INK), 0);
    EXPECT_EQ(base.Count(EXT), 0);
    EXPECT_GT(ext.Count(EXT), 0);
    EXPECT_EQ(ext.Count(INK), 0);

    // The cursor row: highlight paper, both parts in the highlight text colour.
    Pixels cursor = Row(1, x, x + 120);
    EXPECT_GT(cursor.Count(SysColorHighlight()), cursor.cx * cursor.cy / 2);
    EXPECT_GT(cursor.Count(SysColorHighlightText()), 0);
    EXPECT_EQ(cursor.Count(INK) + cursor.Count(EXT), 0);
}

} // namespace
