// The standard font from the desktop's font name: face, style words and size.

#include "hostlook/skin/host_font.h"

#include <gtest/gtest.h>

namespace {

using namespace Qor;

const int DPI_96 = 96 * 1024;
const int DPI_72 = 72 * 1024;

struct FontCase {
    const char* name;
    int dpi;
    int face; // -1: the face of "DejaVu Sans Mono"
    int height;
    bool bold;
    bool italic;
};

TEST(GtkFontFromName, FacesStylesAndSizes)
{
    int mono = FindFontFace("DejaVu Sans Mono");
    int sans = FindFontFace("DejaVu Sans");
    ASSERT_NE(mono, 0) << "the DejaVu fonts are installed by tools/install-deps.sh";
    ASSERT_NE(sans, 0);
    ASSERT_EQ(FindFontFace("Qorless Serifa"), 0);
    const FontCase cases[] = {
        { "Sans 10", DPI_96, Font::SANSSERIF, 13, false, false },
        { "Sans 13", DPI_72, Font::SANSSERIF, 13, false, false },
        { "Serif 12", DPI_72, Font::SERIF, 12, false, false },
        { "Monospace 9", DPI_72, Font::MONOSPACE, 9, false, false },
        { "NoSizeHere", DPI_72, Font::SANSSERIF, 13, false, false },
        { "Sans 0", DPI_72, Font::SANSSERIF, 13, false, false },
        { "Sans x", DPI_72, Font::SANSSERIF, 13, false, false },
        { "Sans   11", DPI_72, Font::SANSSERIF, 11, false, false },
        // Style words are dropped until the rest is a known face; the family stays whole.
        { "DejaVu Sans Mono Bold 9", DPI_72, -1, 9, true, false },
        { "DejaVu Sans Mono Oblique 9", DPI_72, -1, 9, false, true },
        { "DejaVu Sans Mono heavy italic 9", DPI_72, -1, 9, true, true },
        { "Serifqor Sans Bold Italic 10", DPI_72, Font::SERIF, 10, true, true },
        { "Qorless Mono Frobnicated 10", DPI_72, Font::SANSSERIF, 10, false, false },
        { "Mqorless 10", DPI_72, Font::MONOSPACE, 10, false, false },
        // Sizes from the desktop are kept within 1 .. 1000 points and never overflow.
        { "Sans 21846", DPI_72, Font::SANSSERIF, 1000, false, false },
        { "Sans 99999999999999999999", DPI_72, Font::SANSSERIF, 1000, false, false },
        { "Sans 1000", DPI_96, Font::SANSSERIF, 1333, false, false },
        { "Sans 1", DPI_72, Font::SANSSERIF, 1, false, false },
    };
    for(const FontCase& c : cases) {
        Font f = GtkFontFromName(c.name, c.dpi);
        EXPECT_EQ(f.GetFace(), c.face < 0 ? mono : c.face) << c.name;
        EXPECT_EQ(f.GetHeightCode(), c.height) << c.name;
        EXPECT_EQ(f.IsBold(), c.bold) << c.name;
        EXPECT_EQ(f.IsItalic(), c.italic) << c.name;
    }
    Font f = GtkFontFromName("DejaVu Sans Bold Oblique 11", DPI_72);
    EXPECT_EQ(f.GetFace(), sans);
    EXPECT_TRUE(f.IsBold() && f.IsItalic());
}

} // namespace
