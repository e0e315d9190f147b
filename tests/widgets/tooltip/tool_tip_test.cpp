// The tool-tip window's size: its text as a label text (rich text after byte 1), two pixels
// of space on every side and the one-pixel frame.
#include "widgets/tooltip/tool_tip.h"

#include "draw/font/font.h"
#include "widgets/label/label_text.h"

#include <gtest/gtest.h>
#include "tests/support/printers.h"

using namespace Qor;

namespace {

TEST(ToolTipTest, SizeOfPlainAndRichText)
{
    struct Case {
        const char* text;
    } cases[] = { { "Start over" }, { "First line\nSecond line" }, { "\1[* Start over]" } };
    for(const Case& c : cases) {
        ToolTip tip;
        tip.SetText(c.text);
        Size ts = GetLabelTextSize(c.text, GetStandardFontReference(), INT32_MAX);
        EXPECT_EQ(tip.MinimumSize(), Size(ts.cx + 4 + 2, ts.cy + 4 + 2)) << c.text;
    }
}

} // namespace
