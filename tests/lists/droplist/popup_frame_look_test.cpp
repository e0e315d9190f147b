// The edge look of pop-up lists: its default, a skin's look, and the rebuild after a skin
// change.
#include "lists/popup/popup_table.h"

#include "draw/look/look.h"
#include "draw/look/resettable_statics.h"
#include "draw/look/skin_reset.h"
#include "draw/look/sys_colors.h"
#include "draw/utils/border_table.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

namespace {

using namespace Qor;

void ExpectDefaultLook(const Value& look)
{
    const sChBorder* b = GetBorderLook(look);
    ASSERT_NE(b, nullptr) << "a ring around a fill";
    EXPECT_EQ(b->border, GetBlackBorder());
    EXPECT_EQ(b->look, Value(SysColorFace()));
}

TEST(PopUpListFrameLook, ATextRingAroundTheFaceUntilASkinSetsAnother)
{
    ExpectDefaultLook(GetPopUpListFrameLook());
    ClearLookModified();
    Value red(Color(255, 0, 0));
    SetPopUpListFrameLook(red);
    EXPECT_EQ(GetPopUpListFrameLook(), red);
    EXPECT_TRUE(IsLookModified());
    RebuildThemeStatics();
    EXPECT_EQ(GetPopUpListFrameLook(), red) << "a rebuild keeps what a skin set";
    ResetThemeStatics();
    ExpectDefaultLook(GetPopUpListFrameLook());
}

TEST(PopUpListFrameLook, EveryPopUpTableIsEdgedByIt)
{
    PopUpTable a;
    PopUpTable b;
    EXPECT_EQ(&a.GetFrame(0), &b.GetFrame(0));
    a.SetupDropDown();
    EXPECT_EQ(a.GrowByFrames(Size(0, 0)).cy, 2) << "one pixel above and below, the header hidden";
}

} // namespace
