// What repeated skin changes leave behind: no window of a destroyed probe widget, no
// adjustment of the scroll-bar probes, no server copies of an earlier skin's images; and the
// arrow buttons of a theme whose steppers are see-through.

// Before Xlib, whose Bool macro would rename GoogleTest's Bool().
#include "tests/support/x11/gui_test.h"

#include "ctrl/settings/skin_change.h"
#include "ctrl/topwindow/top_window.h"
#include "ctrl/x11/image/image_sys_data.h"
#include "ctrl/x11/loop/x_event_loop.h"
#include "hostlook/hostlook.h"
#include "widgets/button/button.h"
#include "widgets/edit/edit_field.h"
#include "widgets/frame/view_edge.h"
#include "widgets/scroll/scroll_bar.h"

#include "tests/hostlook/gui/theme_pin.h"
#include "tests/support/temp_folder.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtk/gtk.h>

#include <vector>

namespace {

using namespace Qor;
using namespace QorTest;

int CountWindows(GdkWindow* w)
{
    int n = 1;
    GList* children = gdk_window_get_children(w);
    for(GList* c = children; c; c = c->next)
        n += CountWindows(GDK_WINDOW(c->data));
    g_list_free(children);
    return n;
}

class SkinChangeLeaks : public GuiTest {};
// Run again on a private server: the display opens in the test.
class SkinChangeThemes : public ::testing::Test {};

// The disabled entry of the edit-field edges is made and destroyed on every run; its window
// must go with it.
TEST_F(SkinChangeLeaks, NoWindowOfADestroyedProbeStaysBehind)
{
    ApplySkinChange();
    GdkWindow* probe = GetGtkProbeWindow()->window;
    ASSERT_NE(probe, nullptr);
    int windows = CountWindows(probe);
    for(int i = 0; i < 5; i++)
        ApplySkinChange();
    EXPECT_EQ(CountWindows(probe), windows);
}

class PaintedWindow : public TopWindow {
public:
    void Paint(Draw& w) override
    {
        TopWindow::Paint(w);
        painted = true;
    }
    bool painted = false;
};

// A window painted anew after every skin change: the server copies of the images of earlier
// skins, which nothing holds any more, do not pile up in the image cache.
TEST_F(SkinChangeLeaks, ServerCopiesOfEarlierSkinImagesGo)
{
    PaintedWindow w;
    ScrollBar bar;
    Button button;
    w.AppendChild(bar);
    w.AppendChild(button);
    bar.SetRect(Rect(10, 10, 30, 150));
    bar.Set(0, 10, 100);
    button.SetRect(Rect(50, 10, 130, 40));
    w.SetRect(Rect(Point(40, 40), Size(200, 170)));
    w.OpenWithOwner(nullptr);
    auto change = [&] {
        w.painted = false;
        ApplySkinChange();
        return WaitFor([&] {
            ProcessPendingEvents();
            return w.painted;
        });
    };
    for(int i = 0; i < 3; i++)
        ASSERT_TRUE(change());
    ImageSysDataCache& cache = GetImageSysDataCache();
    int records = cache.GetCount();
    for(int i = 0; i < 40; i++)
        ASSERT_TRUE(change()) << i;
    EXPECT_LE(cache.GetCount(), records);
    w.Close();
}

// Live GtkAdjustments, counted by the class's constructor and finalizer.
int live_adjustments = 0;
GObject* (*adjustment_constructor)(GType, guint, GObjectConstructParam*) = nullptr;
void (*adjustment_finalize)(GObject*) = nullptr;

GObject* CountedConstructor(GType type, guint n, GObjectConstructParam* params)
{
    live_adjustments++;
    return adjustment_constructor(type, n, params);
}

void CountedFinalize(GObject* o)
{
    live_adjustments--;
    adjustment_finalize(o);
}

void CountAdjustments()
{
    GObjectClass* c = G_OBJECT_CLASS(g_type_class_ref(GTK_TYPE_ADJUSTMENT));
    if(c->constructor == CountedConstructor)
        return;
    adjustment_constructor = c->constructor;
    adjustment_finalize = c->finalize;
    c->constructor = CountedConstructor;
    c->finalize = CountedFinalize;
}

// Every run makes an adjustment for the scroll-bar probes; both ways through the step must
// release it, also a Qt-like desktop's.
void ExpectNoAdjustmentLeft(const char* variable, const char* value, bool qt_like)
{
    PinnedTheme pin;
    pin.environment = { { variable, value } };
    if(!RunUnderTheme(pin))
        return;
    ASSERT_TRUE(RequireDisplay());
    CountAdjustments();
    ApplySkinChange();
    ASSERT_EQ(GetGtkHostSkinState().qt_like, qt_like);
    int adjustments = live_adjustments;
    for(int i = 0; i < 5; i++)
        ApplySkinChange();
    EXPECT_EQ(live_adjustments, adjustments);
}

TEST_F(SkinChangeThemes, NoAdjustmentStaysBehindOnAQtLikeDesktop)
{
    ExpectNoAdjustmentLeft("KDE_FULL_SESSION", "true", true);
}

TEST_F(SkinChangeThemes, NoAdjustmentStaysBehindOnAGnomeDesktop)
{
    ExpectNoAdjustmentLeft("GNOME_DESKTOP_SESSION_ID", "this-is-deprecated", false);
}

void ExpectPlainButtonLooks(const ButtonStyle& b, int thumb_widget)
{
    const int states[4] = { GTK_STATE_NORMAL, GTK_STATE_PRELIGHT, GTK_STATE_ACTIVE, GTK_STATE_INSENSITIVE };
    for(int i = 0; i < 4; i++) {
        const GtkElement* e = GetGtkElement(b.look[i]);
        ASSERT_NE(e, nullptr) << i;
        EXPECT_EQ(e->state, states[i]) << i;
        EXPECT_EQ(e->shadow, i == 2 ? GTK_SHADOW_IN : GTK_SHADOW_OUT) << i;
        const GtkStackEntry& entry = GetGtkWidgetStack()[e->widget];
        EXPECT_STREQ(entry.detail, "button") << i;
        EXPECT_NE(e->widget, thumb_widget) << i;
    }
}

// A pixmap theme that paints the scroll bars' steppers with a fully transparent image: the
// arrow buttons come from a plain GTK button instead.
TEST_F(SkinChangeThemes, SeeThroughSteppersTakeAPlainButton)
{
    TempFolder folder("qor_hostlook_pixmap");
    std::string clear = folder.Path("clear.png");
    GdkPixbuf* p = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, 8, 8);
    gdk_pixbuf_fill(p, 0);
    gdk_pixbuf_save(p, clear.c_str(), "png", nullptr, nullptr);
    g_object_unref(p);
    PinnedTheme pin;
    pin.rc = "style \"qor-see-through\" { engine \"pixmap\" {\n"
             "  image { function = BOX detail = \"vscrollbar\" file = \"" +
             clear + "\" stretch = TRUE }\n  image { function = BOX detail = \"hscrollbar\" file = \"" + clear +
             "\" stretch = TRUE }\n} }\nclass \"GtkScrollbar\" style \"qor-see-through\"\n";
    pin.environment = { { "GNOME_DESKTOP_SESSION_ID", "this-is-deprecated" } };
    if(!RunUnderTheme(pin))
        return;
    ASSERT_TRUE(RequireDisplay());
    ApplySkinChange();
    int thumb = GetGtkElement(ScrollBar::GetDefaultStyle().vertical_thumb[0])->widget;
    ExpectPlainButtonLooks(Button::GetScrollStyle(), thumb);
    ExpectPlainButtonLooks(Button::GetEdgeStyle(), thumb);
    ExpectPlainButtonLooks(Button::GetLeftEdgeStyle(), thumb);
}

// Under an ordinary theme the edge buttons are cut from the stepper into images.
TEST_F(SkinChangeLeaks, OpaqueSteppersAreCutIntoEdgeButtons)
{
    ApplySkinChange();
    for(int i = 0; i < 4; i++) {
        EXPECT_EQ(GetGtkElement(Button::GetEdgeStyle().look[i]), nullptr) << i;
        EXPECT_FALSE(Image(Button::GetEdgeStyle().look[i]).IsEmpty()) << i;
    }
}

// A later run whose theme paints as before hands out the very images of the run before (the
// stepper's frame images, the edit-field edges, the view edge), so that their server copies
// and scaled pieces stay in use.
TEST_F(SkinChangeLeaks, LaterRunsKeepTheImagesOfTheRunBefore)
{
    auto images = [] {
        std::vector<Image> v;
        for(int i = 0; i < 4; i++) {
            v.push_back(Image(Button::GetEdgeStyle().look[i]));
            v.push_back(Image(Button::GetLeftEdgeStyle().look[i]));
            v.push_back(Image(EditField::GetDefaultStyle().edge[i]));
        }
        v.push_back(Image(GetViewEdgeLook()));
        return v;
    };
    ApplySkinChange();
    std::vector<Image> before = images();
    ApplySkinChange();
    std::vector<Image> after = images();
    for(size_t i = 0; i < before.size(); i++) {
        ASSERT_FALSE(after[i].IsEmpty()) << i;
        EXPECT_EQ(after[i].GetSerialId(), before[i].GetSerialId()) << i;
    }
    // The normal and the hot edge differ, so one image per state is kept, not one for all.
    EXPECT_NE(before[0].GetSerialId(), before[3].GetSerialId());
}

} // namespace
