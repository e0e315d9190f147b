// The tab-control style record: built once with its defaults, built again after a reset from
// the images and the standard font of that moment.

#include "hostlook/tabs/tab_ctrl_style.h"

#include "draw/font/font_metrics.h"
#include "draw/look/resettable_statics.h"
#include "draw/look/skin_reset.h"
#include "draw/look/sys_colors.h"
#include "widgets/images/ctrls_img.h"

#include <gtest/gtest.h>

namespace {

using namespace Qor;

TEST(TabCtrlStyle, DefaultsAndReset)
{
    int height = GetStandardFont().GetHeight();
    TabCtrlStyle& s = TabCtrl::GetDefaultStyle();
    EXPECT_EQ(s.status, STATIC_DEFAULT);
    const int metrics[11] = { height + 8, 2, 0, 2, 2, 2, 2, 6, 6, 6, 6 };
    for(int i = 0; i < 11; i++)
        EXPECT_EQ(s.metric[i], metrics[i]) << i;
    EXPECT_EQ(Image(s.tabs[0]), CtrlsImg::TAB());
    EXPECT_EQ(Image(s.first[2]), CtrlsImg::FTABs());
    EXPECT_EQ(Image(s.last[1]), CtrlsImg::LTABh());
    EXPECT_EQ(Image(s.both[3]), CtrlsImg::BTABd());
    EXPECT_EQ(Image(s.body), CtrlsImg::TABB());
    for(int i = 0; i < 4; i++)
        EXPECT_EQ(s.text_colour[i], SysColorText()) << i;
    EXPECT_EQ(s.font, GetStandardFontReference());
    ASSERT_NE(s.standard, nullptr);
    EXPECT_EQ(s.standard->metric[0], height + 8);

    // A second call keeps what a skin wrote.
    s.metric[1] = 9;
    EXPECT_EQ(TabCtrl::GetDefaultStyle().metric[1], 9);

    // A reset fills the defaults again.
    ResetThemeStatics();
    EXPECT_EQ(s.status, STATIC_UNSET);
    TabCtrl::GetDefaultStyle();
    EXPECT_EQ(s.status, STATIC_DEFAULT);
    EXPECT_EQ(s.metric[1], 2);
}

} // namespace
