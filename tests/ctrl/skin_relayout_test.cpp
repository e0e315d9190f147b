// A skin change lays out and repaints every open window once, also when a new standard
// font starts it (the font layer asks twice, so that a font a skin sets takes effect), and
// skips a window that an earlier one's layout closed.

#include "ctrl/ctrl.h"
#include "ctrl/settings/layout_zoom_internal.h"
#include "tests/ctrl/support/test_platform.h"

#include "draw/font/font.h"
#include "draw/font/font_metrics.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

using namespace Qor;

namespace {

std::vector<Ctrl*> open_windows;
// The area marked for repainting in each window.
std::map<const Ctrl*, Rect> repaints;

Vector<Ctrl*> OpenWindows()
{
    Vector<Ctrl*> v;
    for(Ctrl* c : open_windows)
        v.Add(c);
    return v;
}

void Invalidate(Ctrl& top, const Rect& r)
{
    auto [at, added] = repaints.try_emplace(&top, r);
    if(!added)
        at->second.Union(r);
}

const Rect WHOLE(0, 0, 120, 80);

Size SampleSize() { return Size(99, 13); }

class Window : public Ctrl {
public:
    HostWindowRecord record;
    int layouts = 0;
    std::unique_ptr<Window>* closes = nullptr; // closed by this window's layout

    Window()
    {
        SetRect(0, 0, 120, 80);
        SetHostRecord(&record);
        SetOpenFlag(true);
    }
    ~Window() override { SetHostRecord(nullptr); }
    void Layout() override
    {
        layouts++;
        if(closes)
            closes->reset();
    }
};

class SkinRelayoutTest : public testing::Test {
protected:
    struct Host : Platform {
        Vector<Ctrl*> GetTopCtrls() override { return OpenWindows(); }
        void InvalidateHostArea(Ctrl& top, const Rect& r) override { Invalidate(top, r); }
    } host;
    QorTest::PlatformScope installed{ host };
    LayoutSampleMeasure old_measure = nullptr;

    void SetUp() override
    {
        old_measure = SetLayoutSampleMeasure(&SampleSize);
        repaints.clear();
    }
    void TearDown() override
    {
        open_windows.clear();
        SetLayoutSampleMeasure(old_measure);
        InvalidateLayoutZoom();
    }
};

TEST_F(SkinRelayoutTest, ASkinChangeLaysOutAndRepaintsEveryOpenWindowOnce)
{
    Window a, b;
    open_windows = { &a, &b };
    a.layouts = b.layouts = 0; // placed when made
    ApplySkinChange();
    EXPECT_EQ(a.layouts, 1);
    EXPECT_EQ(b.layouts, 1);
    EXPECT_EQ(repaints[&a], WHOLE);
    EXPECT_EQ(repaints[&b], WHOLE);
}

TEST_F(SkinRelayoutTest, ANewStandardFontRunsASkinChangeEachTimeTheFontLayerAsks)
{
    Window a;
    open_windows = { &a };
    a.layouts = 0;
    Font old = GetStandardFont();
    SetStandardFont(Font(Font::SANSSERIF, 17));
    EXPECT_EQ(a.layouts, 2);
    EXPECT_EQ(repaints[&a], WHOLE);
    open_windows.clear();
    SetStandardFont(old);
}

TEST_F(SkinRelayoutTest, AWindowClosedByAnEarlierWindowsLayoutIsSkipped)
{
    Window a;
    auto b = std::make_unique<Window>();
    a.closes = &b;
    open_windows = { &a, b.get() };
    a.layouts = 0;
    ApplySkinChange();
    EXPECT_FALSE(b);
    EXPECT_EQ(a.layouts, 1);
    EXPECT_EQ(repaints.size(), 1u);
    EXPECT_EQ(repaints[&a], WHOLE);
}

} // namespace
