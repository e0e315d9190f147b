// Labels on a real X server: the pixels of the label painter in its states, static controls
// painted in a window, and a label's access key typed with Alt moving the focus.
#include "tests/support/x11/input_window.h"
#include "tests/widgets/label/label_checks.h"

#include "draw/image/pixel_buffer.h"
#include "draw/look/sys_colors.h"
#include "draw/target/draw.h"
#include "widgets/label/label_drawing.h"
#include "widgets/label/label_text.h"
#include "widgets/static/separator_ctrl.h"
#include "widgets/static/static_text.h"

#include <X11/keysym.h>

namespace {

using namespace Qor;
using namespace QorTest;

using LabelGuiTest = PrivateDisplayTest;

// A face-coloured panel that paints one label record over its whole view.
struct LabelPanel : Ctrl {
    LabelDrawing label;
    void Paint(Draw& w) override
    {
        Size sz = GetViewSize();
        w.DrawRect(0, 0, sz.cx, sz.cy, SysColorFace());
        label.Paint(this, w, Rect(sz), true);
    }
};

int CountIn(const Pixels& p, const Rect& r, Color c)
{
    int n = 0;
    for(int y = std::max(r.top, 0); y < std::min(r.bottom, p.cy); y++)
        for(int x = std::max(r.left, 0); x < std::min(r.right, p.cx); x++)
            n += p.At(x, y) == c;
    return n;
}

// Glyph edges are blended with the face, so the text is judged by its darkest pixel.
Color Darkest(const Pixels& p, const Rect& r)
{
    Color best = Color(255, 255, 255);
    auto luma = [](Color c) { return 77 * c.GetR() + 151 * c.GetG() + 28 * c.GetB(); };
    for(int y = std::max(r.top, 0); y < std::min(r.bottom, p.cy); y++)
        for(int x = std::max(r.left, 0); x < std::min(r.right, p.cx); x++)
            if(luma(p.At(x, y)) < luma(best))
                best = p.At(x, y);
    return best;
}

TEST_F(LabelGuiTest, PixelsOfTheLabelStates)
{
    const Color red(255, 0, 0);
    const int W = 160, H = 24;
    LabelPanel panel;
    panel.label.left_image = SolidImage(16, 16, MakeRGBA(255, 0, 0, 255));
    panel.label.left_spacing = 4;
    panel.label.text = "Label";
    panel.label.horizontal_align = LABEL_ALIGN_LEFT;
    panel.label.ink = Color(0, 0, 0);
    OpenInput window(panel, Rect(Point(30, 30), Size(W, H)));
    ASSERT_TRUE(window.IsOpen());
    Size ts = GetLabelTextSize("Label", GetStandardFontReference(), W);
    Rect image(0, (H - 16) / 2, 16, (H - 16) / 2 + 16);
    Rect text(20, (H - ts.cy) / 2, 20 + ts.cx, (H - ts.cy) / 2 + ts.cy);

    auto show = [&](bool pressed, bool disabled, bool focused) {
        panel.label.pressed = pressed;
        panel.label.disabled = disabled;
        panel.label.focused = focused;
        panel.Refresh();
        PumpFor(50);
        return GrabPixels(window.GetWindow(), Rect(0, 0, W, H));
    };

    Pixels normal = show(false, false, false);
    EXPECT_EQ(CountIn(normal, image, red), 256) << "the image in its own colours";
    EXPECT_EQ(Darkest(normal, text), Color(0, 0, 0)) << "the text in its ink";
    EXPECT_LT(CountIn(normal, text, SysColorFace()), text.Width() * text.Height() - 20) << "text drawn";
    EXPECT_EQ(CountIn(normal, Rect(0, 0, W, H), SysColorPaper()), 0) << "no shadow";

    Pixels pressed = show(true, false, false);
    EXPECT_EQ(CountIn(pressed, image.Offseted(1, 1), red), 256) << "one pixel right and down";
    EXPECT_EQ(pressed.At(image.left, image.top), SysColorFace());

    Pixels disabled = show(false, true, false);
    EXPECT_EQ(CountIn(disabled, image, red), 0) << "the image greyed";
    EXPECT_EQ(Darkest(disabled, text), Color(0, 0, 0)) << "a disabled label without a disabled ink keeps its ink";
    EXPECT_EQ(panel.label.ink, Color(0, 0, 0));
    panel.label.ink = Color();
    disabled = show(false, true, false);
    EXPECT_EQ(Darkest(disabled, text), SysColorDisabled()) << "both inks Null: SysColorDisabled";
    EXPECT_GT(CountIn(disabled, text.Offseted(1, 1), SysColorPaper()), 0) << "the embossed shadow";
    panel.label.ink = Color(0, 0, 0);

    Pixels focused = show(false, false, true);
    Rect left_edge(text.left - 2, text.top, text.left - 1, text.top + std::max(16, ts.cy));
    EXPECT_EQ(CountIn(normal, left_edge, SysColorText()), 0);
    EXPECT_GT(CountIn(focused, left_edge, SysColorText()), 2) << "the dotted focus frame";
}

// A window of static controls, for the eye (a screenshot) and for their pixels.
struct Panel : Ctrl {
    void Paint(Draw& w) override { w.DrawRect(Rect(GetViewSize()), SysColorFace()); }
};

TEST_F(LabelGuiTest, StaticControlsPainted)
{
    Panel panel;
    Label caption;
    SeparatorCtrl separator;
    ImageCtrl image;
    caption.SetLabel("Word or &Phrase");
    caption.SetRect(10, 10, 180, 20);
    separator.SetRect(10, 40, 180, 7);
    image.SetImage(SolidImage(12, 12, MakeRGBA(0, 0, 255, 255)));
    image.SetRect(10, 50, 40, 40);
    panel.AppendChild(caption);
    panel.AppendChild(separator);
    panel.AppendChild(image);
    OpenInput window(panel, Rect(Point(40, 40), Size(200, 100)));
    ASSERT_TRUE(window.IsOpen());
    PumpFor(50);
    Pixels p = GrabPixels(window.GetWindow(), Rect(0, 0, 200, 100));
    EXPECT_EQ(Darkest(p, Rect(10, 10, 190, 30)), SysColorLabel()) << "the caption";
    EXPECT_EQ(CountIn(p, Rect(12, 42, 188, 43), SysColorShadow()), 176) << "the separator line";
    EXPECT_EQ(CountIn(p, Rect(24, 64, 36, 76), Color(0, 0, 255)), 144) << "the image centred";
    EXPECT_EQ(CountIn(p, Rect(10, 50, 50, 90), SysColorFace()), 1600 - 144) << "the panel shows around it";
}

// A focusable field that records when it gains the focus.
struct FocusField : InputRecorder {
    bool focused = false;
    FocusField()
    {
        SetWantsFocus();
        take_keys = false;
    }
    void FocusGained() override { focused = true; }
    void Paint(Draw& w) override { w.DrawRect(Rect(GetViewSize()), SysColorPaper()); }
};

TEST_F(LabelGuiTest, AltWithTheKeyFocusesTheControlAfterTheLabel)
{
    Panel panel;
    FocusField first, target;
    Label label;
    label.SetLabel("&Yes");
    first.SetRect(10, 10, 60, 20);
    label.SetRect(10, 40, 60, 20);
    target.SetRect(80, 40, 60, 20);
    panel.AppendChild(first);
    panel.AppendChild(label);
    panel.AppendChild(target);
    OpenInput window(panel, Rect(Point(40, 40), Size(160, 80)));
    ASSERT_TRUE(window.IsOpen());
    first.SetFocus();
    PumpFor(30);
    ASSERT_FALSE(target.focused);
    TypeKey(XK_y, { XK_Alt_L });
    EXPECT_TRUE(PumpUntil([&] { return target.focused; })) << "Alt+Y focuses the field after the label";
    EXPECT_TRUE(target.HasFocus());
}

} // namespace
