// The layout zoom for sample texts of several sizes, the skin change that measures it
// again, and the skinnable GUI settings that a skin change puts back.

#include "ctrl/settings/gui_settings.h"
#include "ctrl/settings/layout_zoom.h"
#include "ctrl/settings/layout_zoom_internal.h"
#include "ctrl/settings/skin_change.h"

#include "draw/look/resettable_statics.h"
#include "draw/look/skin_reset.h"
#include "foundation/exc.h"
#include "richtext/paint/page_draw.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

#include <climits>

using namespace Qor;

namespace {

Size sample_size;
int measure_calls;
Size MeasureFake()
{
    measure_calls++;
    return sample_size;
}

int base_skin_calls, host_skin_calls;
void (*host_skin_action)();
// As the standard skin: every registered static back to its default.
void BaseSkin()
{
    base_skin_calls++;
    ResetThemeStatics();
}
void HostSkin()
{
    host_skin_calls++;
    if(host_skin_action)
        host_skin_action();
}

class SettingsTest : public testing::Test {
protected:
    LayoutSampleMeasure old_measure = nullptr;
    ZoomRatio old_rich_zoom;

    void SetUp() override
    {
        old_measure = SetLayoutSampleMeasure(&MeasureFake);
        old_rich_zoom = RichScreenZoom();
        sample_size = Size(99, 13);
        measure_calls = base_skin_calls = host_skin_calls = 0;
        host_skin_action = nullptr;
        SetSkinCallbacks(&BaseSkin, &HostSkin);
        InvalidateLayoutZoom();
    }
    void TearDown() override
    {
        // Every setting back to its default, the zoom unknown again.
        host_skin_action = nullptr;
        ApplySkinChange();
        SetSkinCallbacks(nullptr, nullptr);
        InvalidateLayoutZoom();
        SetLayoutSampleMeasure(old_measure);
        SetRichScreenZoom(old_rich_zoom.m, old_rich_zoom.d);
    }
};

TEST_F(SettingsTest, ZoomScalesBySampleSizeAgainstTheDesignSize)
{
    struct {
        Size sample;
        int x, zoomed_x, y, zoomed_y;
        ZoomRatio rich;
    } cases[] = {
        { Size(99, 13), 10, 10, 10, 10, ZoomRatio(96, 600) },
        { Size(60, 8), 10, 10, 10, 10, ZoomRatio(96, 600) }, // a small font never shrinks
        { Size(198, 26), 15, 30, 7, 14, ZoomRatio(192, 600) },
        { Size(120, 15), -7, -8, -7, -8, ZoomRatio(116, 600) }, // truncation toward zero
        { Size(120, 15), 0, 0, 0, 0, ZoomRatio(116, 600) },
        { Size(198, 26), 30000000, 60000000, -30000000, -60000000, ZoomRatio(192, 600) },
        { Size(198, 26), INT_MAX, INT_MAX, INT_MIN, INT_MIN, ZoomRatio(192, 600) }, // saturates
    };
    for(const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sample.cx << "x" << c.sample.cy << " " << c.x);
        sample_size = c.sample;
        InvalidateLayoutZoom();
        EXPECT_EQ(ZoomX(c.x), c.zoomed_x);
        EXPECT_EQ(ZoomY(c.y), c.zoomed_y);
        EXPECT_EQ(ZoomSize(c.x, c.y), Size(c.zoomed_x, c.zoomed_y));
        EXPECT_EQ(RichScreenZoom(), c.rich);
    }
}

TEST_F(SettingsTest, TheZoomIsMeasuredOnFirstUseWithOneSkinChange)
{
    sample_size = Size(198, 26);
    EXPECT_EQ(ZoomX(10), 20);
    EXPECT_EQ(base_skin_calls, 1);
    EXPECT_EQ(host_skin_calls, 1);
    int measured = measure_calls;
    sample_size = Size(297, 39);
    EXPECT_EQ(ZoomX(10), 20); // known now: not measured again
    EXPECT_EQ(measure_calls, measured);
    EXPECT_EQ(base_skin_calls, 1);
}

TEST_F(SettingsTest, ASkinChangeMeasuresTheZoomAgain)
{
    EXPECT_EQ(ZoomY(10), 10);
    sample_size = Size(297, 39);
    ApplySkinChange();
    EXPECT_EQ(ZoomX(10), 30);
    EXPECT_EQ(ZoomY(10), 30);
    EXPECT_EQ(RichScreenZoom(), ZoomRatio(288, 600));
}

TEST_F(SettingsTest, ASkinChangeStartedWhileOneRunsIsIgnored)
{
    host_skin_action = [] { ApplySkinChange(); };
    ApplySkinChange();
    EXPECT_EQ(base_skin_calls, 1);
    EXPECT_EQ(host_skin_calls, 1);
}

TEST_F(SettingsTest, ASkinThatThrowsDoesNotStopLaterSkinChanges)
{
    host_skin_action = [] { throw Exc("broken skin"); };
    EXPECT_THROW(ApplySkinChange(), Exc);
    host_skin_action = nullptr;
    ApplySkinChange();
    EXPECT_EQ(base_skin_calls, 2);
    EXPECT_EQ(host_skin_calls, 2);
}

struct SettingCase {
    const char* name;
    int (*get)();
    void (*set)(int);
    int default_value;
};

const SettingCase settings[] = {
    { "look style level", &GetLookStyleLevel, &SetLookStyleLevel, 1 },
    { "pop-up animation", &GetPopupAnimation, &SetPopupAnimation, 1 },
    { "access keys on Alt only", &GetAccessKeysOnAltOnly, &SetAccessKeysOnAltOnly, 1 },
    { "automatic access keys when none", &GetAutoAccessKeysWhenNone, &SetAutoAccessKeysWhenNone, 0 },
    { "pop-up open flag", &GetPopupOpenFlag, &SetPopupOpenFlag, 1 },
    { "tool-tip delay", &GetTipHoverDelay, nullptr, 1000 },
    { "pointer slop", &GetMouseSlop, nullptr, 4 },
    { "multi-click time", &GetMultiClickTime, nullptr, 500 },
};

TEST_F(SettingsTest, ASetSettingReturnsToItsDefaultAtTheNextSkinChange)
{
    for(const SettingCase& s : settings) {
        SCOPED_TRACE(s.name);
        EXPECT_EQ(s.get(), s.default_value);
        if(!s.set)
            continue;
        ClearLookModified();
        s.set(7);
        EXPECT_EQ(s.get(), 7);
        EXPECT_TRUE(IsLookModified());
        ApplySkinChange();
        EXPECT_EQ(s.get(), s.default_value);
    }
}

int skinned_level;
TEST_F(SettingsTest, ASettingASkinSetsAgainKeepsTheSkinsValue)
{
    SetLookStyleLevel(5);
    skinned_level = 2;
    host_skin_action = [] { SetLookStyleLevel(skinned_level); };
    ApplySkinChange();
    EXPECT_EQ(GetLookStyleLevel(), 2);
    EXPECT_FALSE(IsLookModified()); // the rebuild after the skins clears the mark
}

TEST(AppTitleTest, IsTheExecutablesTitle) { EXPECT_EQ(Std(GetAppTitle()), "ctrl_tests"); }

} // namespace
