// The host skin's scroll bars and the arrow buttons beside fields and inside scroll bars: on
// a Qt-like desktop framed copies of the plain button's face, elsewhere the theme's own
// scroll-bar steppers.

#include "hostlook/skin/host_skin.h"

#include "ctrl/frame/frame_settings.h"
#include "draw/image/pixel_buffer.h"
#include "draw/image_ops/image_parts.h"
#include "draw/look/look.h"
#include "draw/look/sys_colors.h"
#include "draw/rescale/rescaler.h"
#include "draw/target/image_any_draw.h"
#include "hostlook/builders/gtk_look_builders.h"
#include "hostlook/gtk/gtk_element.h"
#include "widgets/button/button.h"
#include "widgets/button/style_record.h"
#include "widgets/images/ctrl_img.h"
#include "widgets/images/ctrls_img.h"
#include "widgets/multibutton/multi_button.h"
#include "widgets/scroll/scroll_bar.h"

#include <gtk/gtk.h>

namespace Qor {

namespace {

Rect NullRect() { return Rect(INT_NULL, INT_NULL, INT_NULL, INT_NULL); }

GtkObject* NewAdjustment(double value) { return gtk_adjustment_new(value, 0, 1000, 1, 1, 500); }

GtkWidget*& VerticalProbe()
{
    static GtkWidget* bar = nullptr;
    return bar;
}

// Each way keeps a horizontal bar of its own.
GtkWidget* HorizontalProbe(bool qt_like, GtkObject* adjustment)
{
    static GtkWidget* bars[2] = {};
    GtkWidget*& bar = bars[qt_like];
    if(!bar)
        bar = AddGtkProbeWidget(gtk_hscrollbar_new(GTK_ADJUSTMENT(adjustment)));
    return bar;
}

GtkWidget* ArrowProbeButton()
{
    static GtkWidget* button = nullptr;
    if(!button)
        button = AddGtkProbeWidget(gtk_button_new());
    return button;
}

void SetSpan(ImageFrameSpec& f, bool top, bool bottom, bool left, bool right, int tl, int tr, int bl, int br)
{
    f.top = top;
    f.bottom = bottom;
    f.left = left;
    f.right = right;
    f.top_left = (byte)tl;
    f.top_right = (byte)tr;
    f.bottom_left = (byte)bl;
    f.bottom_right = (byte)br;
}

Value FramedArrow(const ImageFrameSpec& f, const Image& arrow, Color colour)
{
    return MakeLookWithImage(ImageToValue(f.MakeImage()), arrow, colour, Point(0, 0));
}

// The arrow buttons as framed pieces of the plain button's face.
void SetQtLikeArrowButtons(ScrollBarStyle& s, int pressed_x, int pressed_y)
{
    ButtonStyle& scroll = BeginSkinningStyle(Button::GetScrollStyle());
    ButtonStyle& edge = BeginSkinningStyle(Button::GetEdgeStyle());
    ButtonStyle& left_edge = BeginSkinningStyle(Button::GetLeftEdgeStyle());
    MultiButtonStyle& alt = BeginSkinningStyle(MultiButton::AltStyleRecord());
    SpinButtonStyle& spin = BeginSkinningStyle(GetSpinButtonStyle());
    const ButtonStyle& plain = Button::GetPlainStyle();
    Image ua = CtrlsImg::UA(), da = CtrlsImg::DA(), la = CtrlsImg::LA(), ra = CtrlsImg::RA();
    int c = 0;
    for(int i = 0; i < 4; i++) {
        Color colour = Button::GetPlainStyleColor(i);
        ImageAnyDraw w(64, 64);
        w.DrawRect(0, 0, 64, 64, SysColorFace());
        PaintLook(w, Rect(0, 0, 64, 64), plain.look[i == 1 ? 0 : i]);
        Image image = w.GetImage();
        if(i == 0) {
            int bw = GetImageBorderWidth(image, 4, 50);
            c = bw <= 0 ? 0 : bw == 1 ? 1 : 2;
        }
        ImageFrameSpec f(RescaleImage(CropImage(image, 4, 4, 56, 56), 16, 16));
        SetSpan(f, true, true, true, true, c, c, 0, 0);
        s.up.look[i] = FramedArrow(f, ua, colour);
        SetSpan(f, false, true, true, true, 0, 0, 0, 0);
        s.second_down.look[i] = FramedArrow(f, da, colour);
        SetSpan(f, true, true, true, true, 0, 0, c, c);
        s.down.look[i] = FramedArrow(f, da, colour);
        SetSpan(f, true, false, true, true, 0, 0, 0, 0);
        s.second_up.look[i] = FramedArrow(f, ua, colour);

        SetSpan(f, true, true, true, true, c, c, c, c);
        scroll.look[i] = ImageToValue(f.MakeImage());
        f.ResetEdges();
        f.top = f.bottom = f.left = false;
        Value r = ImageToValue(f.MakeImage());
        left_edge.look[i] = r;
        f.left = true;
        f.right = false;
        Value l = ImageToValue(f.MakeImage());
        edge.look[i] = l;

        alt.look[i] = alt.right[i] = alt.trivial[i] = MakeLookWithImage(l, da, Point(0, 0));
        alt.left[i] = MakeLookWithImage(r, da, Point(0, 0));
        spin.decrease.look[i] = MakeLookWithImage(l, CtrlImg::spindown2(), Point(0, 0));
        f.bottom = true;
        spin.increase.look[i] = MakeLookWithImage(ImageToValue(f.MakeImage()), CtrlImg::spinup2(), Point(0, 0));

        f.ResetEdges();
        SetSpan(f, true, true, true, true, c, 0, c, 0);
        s.left.look[i] = FramedArrow(f, la, colour);
        SetSpan(f, true, true, false, true, 0, 0, 0, 0);
        s.second_right.look[i] = FramedArrow(f, ra, colour);
        SetSpan(f, true, true, true, true, 0, c, 0, c);
        s.right.look[i] = FramedArrow(f, ra, colour);
        SetSpan(f, true, true, true, false, 0, 0, 0, 0);
        s.second_left.look[i] = FramedArrow(f, la, colour);
    }
    alt.pressoffset = Point(pressed_x, pressed_y);
}

void QtLikeScrollBars(ScrollBarStyle& s, GtkObject* adjustment)
{
    Point pressed = Button::GetPlainStyle().pressed_offset;
    SetQtLikeArrowButtons(s, pressed.x, pressed.y);
    PushGtkWidget(VerticalProbe(), "slider", GTK_SLIDER | GTK_MARGIN(1) | GTK_INNER_MARGIN | 0x100);
    SetGtkRaisedLooks(s.vertical_thumb);
    s.bar_width += 2;
    s.arrow_size += 1;
    SetScrollBarTrackLooks(s);
    PushGtkWidget(HorizontalProbe(true, adjustment), "slider", GTK_SLIDER | GTK_MARGIN(1) | GTK_INNER_MARGIN);
    SetGtkRaisedLooks(s.horizontal_thumb);
    s.thumb_overlap = 1;
}

// The edge, spin and drop-down buttons cut from the theme's stepper, or taken from a plain
// button when the theme paints its steppers without a ground of their own.
void SetStepperButtons(Point pressed)
{
    ButtonStyle& scroll = BeginSkinningStyle(Button::GetScrollStyle());
    ButtonStyle& edge = BeginSkinningStyle(Button::GetEdgeStyle());
    ButtonStyle& left_edge = BeginSkinningStyle(Button::GetLeftEdgeStyle());
    MultiButtonStyle& alt = BeginSkinningStyle(MultiButton::AltStyleRecord());
    SpinButtonStyle& spin = BeginSkinningStyle(GetSpinButtonStyle());
    Rect r = NullRect();
    Image t = PaintGtkElement(TopGtkWidget(), GTK_STATE_PRELIGHT, GTK_SHADOW_OUT, "vscrollbar",
                              GTK_BOX | GTK_TOP | GTK_RANGE_A, 16, 16, r);
    if(IsImageFullyTransparent(t)) {
        PushGtkWidget(ArrowProbeButton(), "button", GTK_BOX);
        SetGtkButtonLooks(scroll.look);
        SetGtkButtonLooks(edge.look);
        SetGtkButtonLooks(left_edge.look);
        SetGtkOutLooksWithImage(alt.look, CtrlsImg::DA());
        SetGtkOutLooksWithImage(alt.trivial, CtrlsImg::DA());
        SetGtkOutLooksWithImage(spin.increase.look, CtrlImg::spinup2());
        SetGtkOutLooksWithImage(spin.decrease.look, CtrlImg::spindown2());
        return;
    }
    int p = GetGtkHostSkinState().classic_buttons ? GTK_FRAME_WHOLE : GTK_FRAME_LEFT;
    PushGtkDetail("vscrollbar", GTK_BOX | GTK_VCENTER | GTK_RANGE_B);
    SetGtkElementLooks(scroll.look, "02142222");
    SetGtkImageLooks(edge.look, Image(), p, Point(0, 0));
    SetGtkImageLooks(left_edge.look, Image(), 2 * p, Point(0, 0));
    Image da = CtrlsImg::DA();
    SetGtkImageLooks(alt.look, da, p, pressed);
    SetGtkImageLooks(alt.trivial, da, p, pressed);
    SetGtkImageLooks(alt.left, da, 2 * p, pressed);
    SetGtkImageLooks(alt.right, da, p, pressed);
    alt.pressoffset = pressed;
    bool plain = p == GTK_FRAME_LEFT;
    SetGtkImageLooks(spin.increase.look, plain ? CtrlImg::spinup2() : CtrlImg::spinup3(),
                     plain ? GTK_FRAME_LEFT | GTK_FRAME_BOTTOM_LINE : GTK_FRAME_WHOLE, pressed);
    SetGtkImageLooks(spin.decrease.look, plain ? CtrlImg::spindown2() : CtrlImg::spindown3(), p, pressed);
}

// The most contrasting opaque pixel of the last scroll-bar image's top-left corner, when it
// stands out from the paper more than the colour chosen so far.
void SetFieldFrameEdge()
{
    RGBA paper = SysColorPaper().ToRGBA();
    Color candidate = GetGtkHostSkinState().field_frame_edge;
    int best = GetMaxChannelDifference(candidate.ToRGBA(), paper);
    Image last = GetLastGtkImage();
    for(int y = 0; y < 4 && y < last.GetHeight(); y++)
        for(int x = 0; x < 4 && x < last.GetWidth(); x++) {
            RGBA px = last[y][x];
            int d = GetMaxChannelDifference(px, paper);
            if(px.a == 255 && d > best) {
                candidate = Color(px);
                best = d;
            }
        }
    SetGtkFieldFrameEdge(candidate);
    SetFieldFrameEdgeColor(candidate);
}

// Themes whose slider, rendered at the top of a fresh bar, matches the last stepper arrow
// draw the thumb flush with the track.
int ThumbOverlap()
{
    Image last = GetLastGtkImage();
    GtkObject* adjustment = NewAdjustment(0);
    GtkWidget* bar = AddGtkProbeWidget(gtk_vscrollbar_new(nullptr));
    Rect r = NullRect();
    Image u = PaintGtkElement(bar, GTK_STATE_NORMAL, 0, "slider", GTK_SLIDER | 0x100, 16, 32, r);
    gtk_widget_destroy(bar);
    gtk_object_sink(adjustment);
    return u != last ? 1 : 0;
}

void GtkScrollBars(ScrollBarStyle& s, GtkObject* adjustment)
{
    SetGtkScrollBarLooks(s.up.look, s.second_up.look, s.vertical_after, s.vertical_thumb, s.vertical_before,
                         s.second_down.look, s.down.look, CtrlsImg::I_UA, CtrlsImg::I_DA, false);
    SetStepperButtons(Button::GetPlainStyle().pressed_offset);
    PushGtkWidget(HorizontalProbe(false, adjustment), "slider", GTK_SLIDER);
    SetGtkScrollBarLooks(s.left.look, s.second_left.look, s.horizontal_after, s.horizontal_thumb, s.horizontal_before,
                         s.second_right.look, s.right.look, CtrlsImg::I_LA, CtrlsImg::I_RA, true);
    SetFieldFrameEdge();
}

} // namespace

void SetGtkScrollBarStyles()
{
    ScrollBarStyle& s = BeginSkinningStyle(ScrollBar::GetDefaultStyle());
    SetScrollBarTrackLooks(s);
    s.tracks_span_bar = true;
    GtkObject* adjustment = NewAdjustment(250);
    GtkWidget*& vertical = VerticalProbe();
    if(!vertical)
        vertical = AddGtkProbeWidget(gtk_vscrollbar_new(GTK_ADJUSTMENT(adjustment)));
    PushGtkWidget(vertical, "slider", GTK_SLIDER | 0x100);
    s.min_thumb = GTK_RANGE(vertical)->min_slider_size;
    s.bar_width = std::max(GetTopGtkStyleInt("slider_width"), 14);
    s.arrow_size = std::max(GetTopGtkStyleInt("stepper_size"), s.bar_width);
    const int keyed[] = { CtrlsImg::I_kDA, CtrlsImg::I_kUA,  CtrlsImg::I_kLA,
                          CtrlsImg::I_kRA, CtrlsImg::I_kSpU, CtrlsImg::I_kSpD };
    const int plain[] = { CtrlsImg::I_DA, CtrlsImg::I_UA,  CtrlsImg::I_LA,
                          CtrlsImg::I_RA, CtrlsImg::I_SpU, CtrlsImg::I_SpD };
    for(int i = 0; i < 6; i++)
        CtrlsImg::Set(plain[i], CtrlsImg::Get(keyed[i]));
    bool qt_like = GetGtkHostSkinState().qt_like;
    if(qt_like)
        QtLikeScrollBars(s, adjustment);
    else
        GtkScrollBars(s, adjustment);
    // Released in both ways: a bar made on it keeps its own reference.
    gtk_object_sink(adjustment);
    if(qt_like)
        return;
    s.thumb_overlap = ThumbOverlap();
    SetGtkSliderThumbs();
    SetGtkTabCtrlStyle();
}

} // namespace Qor
