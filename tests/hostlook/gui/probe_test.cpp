// Probe widgets, the widget stack and the queries of the running theme (pinned to Raleigh).

// Before Xlib, whose Bool macro would rename GoogleTest's Bool().
#include "tests/hostlook/gui/gtk_stack_test.h"
#include "tests/support/x11/gui_test.h"

#include "hostlook/gtk/gtk_probe.h"

#include "draw/image/pixel_buffer.h"

#include <gtk/gtk.h>
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QOR_TEST_ASAN 1
#endif
#endif
#ifdef QOR_TEST_ASAN
#include <sanitizer/allocator_interface.h>
#else
#include <malloc.h>
#endif

namespace {

using namespace Qor;
using QorTest::GuiTest;

// Bytes the C heap holds (GTK's allocations go there, not to the framework's heap).
size_t CHeapInUse()
{
#ifdef QOR_TEST_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

class GtkProbe : public QorTest::GtkStackTest {};

TEST_F(GtkProbe, SettingsThatGtkLacksReadAsNullOrEmpty)
{
    EXPECT_EQ(GetGtkSettingInt("qor-no-such-setting"), INT_NULL);
    EXPECT_EQ(GetGtkSettingString("qor-no-such-setting"), String());
    // A string setting read as a number and the other way round are not there either.
    EXPECT_EQ(GetGtkSettingInt("gtk-theme-name"), INT_NULL);
    EXPECT_EQ(GetGtkSettingString("gtk-xft-dpi"), String());
    EXPECT_EQ(GetGtkSettingString("gtk-theme-name"), String("Raleigh"));
    EXPECT_EQ(GetGtkSettingString("gtk-font-name"), String("Sans 10"));
    EXPECT_GT(GetGtkSettingInt("gtk-xft-dpi"), 0);
}

// GTK has no value for the sub-pixel order here and writes NULL over the preset text.
TEST_F(GtkProbe, ASettingWithoutValueReadsAsEmpty)
{
    gchar* raw = (gchar*)"preset";
    g_object_get(gtk_settings_get_default(), "gtk-xft-rgba", &raw, nullptr);
    ASSERT_EQ(raw, nullptr) << "the pinned theme was to leave gtk-xft-rgba unset";
    EXPECT_EQ(GetGtkSettingString("gtk-xft-rgba"), String());
}

// Each read hands out a copy of the text; a copy kept per read grows the C heap.
TEST_F(GtkProbe, ReadingStringSettingsKeepsNoCopies)
{
    String name = GetGtkSettingString("gtk-theme-name");
    ASSERT_FALSE(name.IsEmpty());
    size_t before = CHeapInUse();
    for(int i = 0; i < 20000; i++)
        GetGtkSettingString("gtk-theme-name");
    size_t after = CHeapInUse();
    // 20000 leaked copies of "Raleigh" take 20000 blocks of at least 16 bytes.
    EXPECT_LT(after, before + 64 * 1024) << "grew by " << after - before << " bytes";
}

TEST_F(GtkProbe, StylePropertiesAndColours)
{
    GtkWidget* check = gtk_check_button_new();
    PushGtkWidget(check, "checkbutton", 0);
    EXPECT_EQ(gtk_widget_get_parent(check) != nullptr, true);
    EXPECT_EQ(GetTopGtkStyleInt("indicator-size"), 13);
    EXPECT_EQ(GetGtkStyleInt(check, "qor-no-such-property"), 0);
    EXPECT_EQ(GetGtkStyleInt(check, "slider-width"), 0) << "a property of another class";

    GtkStyle* style = gtk_widget_get_style(check);
    Color text[4];
    GetTopGtkColors(text, GTK_COLOR_TEXT);
    const GtkStateType order[4] = { GTK_STATE_NORMAL, GTK_STATE_PRELIGHT, GTK_STATE_ACTIVE, GTK_STATE_INSENSITIVE };
    for(int i = 0; i < 4; i++)
        EXPECT_EQ(text[i], GdkColorToColor(style->text[order[i]])) << i;
    EXPECT_EQ(GetGtkColor(GTK_COLOR_BASE + GTK_STATE_SELECTED, check),
              GdkColorToColor(style->base[GTK_STATE_SELECTED]));
    EXPECT_EQ(GetGtkColor(GTK_COLOR_BG + GTK_STATE_NORMAL, check), GdkColorToColor(style->bg[GTK_STATE_NORMAL]));
    EXPECT_EQ(GetGtkColor(GTK_COLOR_DARK + GTK_STATE_NORMAL, check), GdkColorToColor(style->dark[GTK_STATE_NORMAL]));
    // The states differ in Raleigh, so a wrong order shows.
    EXPECT_NE(text[0], text[3]);
}

TEST(GtkColor, TakesTheHighByteOfEachChannel)
{
    GdkColor c = { 0, 0x12FF, 0x8000, 0x00FF };
    EXPECT_EQ(GdkColorToColor(c), Color(0x12, 0x80, 0));
}

TEST_F(GtkProbe, ADetailOfAPlacedWidgetDoesNotPlaceItAgain)
{
    GtkWidget* button = gtk_button_new();
    PushGtkWidget(button, "button", 0);
    GtkWidget* parent = gtk_widget_get_parent(button);
    ASSERT_NE(parent, nullptr);
    GList* children = gtk_container_get_children(GTK_CONTAINER(parent));
    int before = (int)g_list_length(children);
    g_list_free(children);
    PushGtkDetail("trough", 10);
    children = gtk_container_get_children(GTK_CONTAINER(parent));
    EXPECT_EQ((int)g_list_length(children), before);
    g_list_free(children);
    const Vector<GtkStackEntry>& stack = GetGtkWidgetStack();
    ASSERT_EQ(stack.GetCount(), saved + 2);
    EXPECT_EQ(stack[saved + 1].widget, button);
    EXPECT_STREQ(stack[saved + 1].detail, "trough");
    EXPECT_EQ(stack[saved + 1].kind, 10);
    EXPECT_EQ(TopGtkWidget(), button);
}

TEST(GtkImageTransparency, OnlyNoAlphaAtAllCounts)
{
    EXPECT_TRUE(IsImageFullyTransparent(Image()));
    PixelBuffer b(3, 2);
    FillPixels(b.Begin(), RGBA{ 0, 0, 0, 0 }, 6);
    EXPECT_TRUE(IsImageFullyTransparent(Image(b)));
    PixelBuffer c(3, 2);
    FillPixels(c.Begin(), RGBA{ 0, 0, 0, 0 }, 6);
    c[1][2].a = 1;
    EXPECT_FALSE(IsImageFullyTransparent(Image(c)));
}

} // namespace
