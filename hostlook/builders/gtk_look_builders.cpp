// Builders of control looks from GTK elements.

#include "hostlook/builders/gtk_look_builders.h"

#include "draw/image/pixel_buffer.h"
#include "draw/image_ops/image_parts.h"
#include "draw/look/look.h"
#include "draw/look/sys_colors.h"
#include "hostlook/gtk/gtk_element.h"
#include "hostlook/skin/host_skin.h"
#include "widgets/button/button.h"
#include "widgets/button/style_record.h"
#include "widgets/images/ctrls_img.h"
#include "widgets/scroll/scroll_bar.h"

#include <gtk/gtk.h>

namespace Qor {

namespace {

const int visual_states[4] = { GTK_STATE_NORMAL, GTK_STATE_PRELIGHT, GTK_STATE_ACTIVE, GTK_STATE_INSENSITIVE };

Rect NullRect() { return Rect(INT_NULL, INT_NULL, INT_NULL, INT_NULL); }

// The image with its pixels at the points set to the opaque colour and the two hotspots.
Image MarkPixels(const Image& src, Point a, Point b, Color c)
{
    Image img = src;
    PixelBuffer pb(img);
    RGBA rgba = c.ToRGBA();
    for(Point p : { a, b })
        if(p.x >= 0 && p.y >= 0 && p.x < pb.GetWidth() && p.y < pb.GetHeight())
            pb[p.y][p.x] = rgba;
    pb.SetHotSpot(a);
    pb.SetSecondSpot(b);
    return Image(pb);
}

} // namespace

void MakeGtkLookWithImage(Value& look, int shadow, int state, const Image& image, Color colour, Point offset)
{
    look = MakeLookWithImage(MakeGtkElement(shadow, state), image, colour, offset);
}

void SetGtkLooksWithImage(Value looks[4], const char* code, const Image& image, Point pressed_offset)
{
    for(int i = 0; i < 4; i++)
        MakeGtkLookWithImage(looks[i], code[4 + i] - '0', code[i] - '0', image, Button::GetPlainStyleColor(i),
                             i == 2 ? pressed_offset : Point(0, 0));
}

void SetGtkOutLooksWithImage(Value looks[4], const Image& image)
{
    for(int i = 0; i < 4; i++)
        MakeGtkLookWithImage(looks[i], GTK_SHADOW_OUT, visual_states[i], image, Button::GetPlainStyleColor(i),
                             Point(0, 0));
}

namespace {

// Frame images of this run and the last, by what they were made from: the edge, drop-down and
// spin looks ask for the same few of them many times over.
struct FrameImageRecord {
    GtkWidget* widget;
    const char* detail;
    int kind;
    int shadow;
    int state;
    int part;
    Color line;
    int run;
    Image painted;
    Image result;
};

Vector<FrameImageRecord>& FrameImageRecords()
{
    static Vector<FrameImageRecord> records;
    return records;
}

Image CutFrameImage(Image img, int part);

} // namespace

// Painted once per run. An image that comes out as in the last run is handed out as the very
// same image, so that what painting keeps of it (server copies, scaled copies) stays valid.
Image MakeGtkFrameImage(int shadow, int state, int part)
{
    const GtkStackEntry& top = TopGtkEntry();
    int run = GetGtkHostSkinRunCount();
    Color line = part & GTK_FRAME_BOTTOM_LINE ? SysColorShadow() : Color();
    Vector<FrameImageRecord>& records = FrameImageRecords();
    // Records neither this run nor the last asked for go: probe widgets are made anew each
    // run, so a record keyed by a gone widget would never match again.
    for(int i = records.GetCount() - 1; i >= 0; i--)
        if(records[i].run < run - 1)
            records.Remove(i);
    FrameImageRecord* record = nullptr;
    for(FrameImageRecord& f : records)
        if(f.widget == top.widget && f.detail == top.detail && f.kind == top.kind && f.shadow == shadow &&
           f.state == state && f.part == part && f.line == line)
            record = &f;
    if(record && record->run == run)
        return record->result;
    Rect r = NullRect();
    Image img = PaintGtkElement(top.widget, state, shadow, top.detail, top.kind, 32, 32, r);
    if(!record) {
        records.Add(
            FrameImageRecord{ top.widget, top.detail, top.kind, shadow, state, part, line, run, Image(), Image() });
        record = &records[records.GetCount() - 1];
    }
    record->run = run;
    if(record->painted.IsEmpty() || record->painted.GetSize() != img.GetSize() || !(record->painted == img)) {
        record->painted = img;
        record->result = CutFrameImage(img, part);
    }
    return record->result;
}

namespace {

Image CutFrameImage(Image img, int part)
{
    int e = std::max(GetImageBorderWidth(img, 4, 10), 1);
    int f = 32 - 2 * e;
    switch(part & 7) {
    case GTK_FRAME_LEFT:
        img = CopyWithHotSpots(CropImage(img, 0, e, 32 - e, f), e, 0, 31 - 2 * e, 0);
        break;
    case GTK_FRAME_RIGHT:
        img = CopyWithHotSpots(CropImage(img, e, e, 32 - e, f), 0, 0, 31 - 3 * e, 0);
        break;
    default:
        img = CopyWithHotSpot(img, e, e);
        break;
    }
    if((part & GTK_FRAME_BOTTOM_LINE) && img.GetHeight() > 0) {
        PixelBuffer pb(img);
        RGBA* row = pb[pb.GetHeight() - 1];
        for(int x = 1; x < pb.GetWidth(); x++)
            row[x] = SysColorShadow().ToRGBA();
        img = Image(pb);
    }
    return img;
}

} // namespace

void SetGtkImageLook(Value& look, int shadow, int state, const Image& overlay, Color colour, int part, Point offset)
{
    Value v = ImageToValue(MakeGtkFrameImage(shadow, state, part));
    look = overlay.GetWidth() || overlay.GetHeight() ? MakeLookWithImage(v, overlay, colour, offset) : v;
}

void SetGtkImageLooks(Value looks[4], const Image& overlay, int part, Point pressed_offset)
{
    SetGtkImageLook(looks[1], GTK_SHADOW_OUT, GTK_STATE_PRELIGHT, overlay, Button::GetPlainStyleColor(1), part,
                    Point(0, 0));
    SetGtkImageLook(looks[2], GTK_SHADOW_IN, GTK_STATE_ACTIVE, overlay, Button::GetPlainStyleColor(2), part,
                    pressed_offset);
    SetGtkImageLook(looks[3], GTK_SHADOW_OUT, GTK_STATE_INSENSITIVE, overlay, Button::GetPlainStyleColor(3), part,
                    Point(0, 0));
    SetGtkImageLook(looks[0], GTK_SHADOW_OUT, GTK_STATE_NORMAL, overlay, Button::GetPlainStyleColor(0), part,
                    Point(0, 0));
}

void SetCtrlsImgFromGtk(int first, GtkWidget* widget, int shadow, const char* detail, int kind, int cx, int cy,
                        const Rect& rect)
{
    for(int i = 0; i < 4; i++) {
        Rect r = rect;
        CtrlsImg::Set(first + i, PaintGtkElement(widget, visual_states[i], shadow, detail, kind, cx, cy, r));
    }
}

void SetGtkScrollBarLooks(Value stepper_a[4], Value stepper_b[4], Value trailing[4], Value thumb[4], Value leading[4],
                          Value stepper_c[4], Value stepper_d[4], int start, int end, bool horizontal)
{
    const char* detail = horizontal ? "hscrollbar" : "vscrollbar";
    SetGtkElementLooks(thumb, "02242222");
    PushGtkDetail("trough", GTK_BGBOX);
    SetGtkElementLooks(leading, "11141111");
    SetGtkElementLooks(trailing, "11141111");
    ScrollBarStyle& style = BeginSkinningStyle(ScrollBar::GetDefaultStyle());
    Size button = horizontal ? Size(style.arrow_size, style.bar_width) : Size(style.bar_width, style.arrow_size);
    GtkWidget* w = TopGtkWidget();
    Rect probe = NullRect();
    Image t = PaintGtkElement(w, GTK_STATE_NORMAL, 0, detail, 0x101003, 10, 10, probe);
    int see_through = 0;
    for(int64 i = 0; i < t.GetLength(); i++)
        see_through += t.GetPixels()[i].a != 255;
    // Arrows on an opaque ground come with their buttons: the theme's whole steppers stay.
    if(see_through <= 10 * 10 / 4)
        return;
    int ax = (button.cx - button.cx / 2) >> 1, ay = (button.cy - button.cy / 2) >> 1;
    Rect arrow(ax, ay, ax + button.cx / 2, ay + button.cy / 2);
    Rect r = arrow;
    CtrlsImg::Set(start, PaintGtkElement(w, GTK_STATE_NORMAL, 0, detail, horizontal ? 0x104203 : 0x101003, button.cx,
                                         button.cy, r));
    r = arrow;
    CtrlsImg::Set(end, PaintGtkElement(w, GTK_STATE_NORMAL, 0, detail, horizontal ? 0x806303 : 0x803103, button.cx,
                                       button.cy, r));
    int ady = GetTopGtkStyleInt("arrow-displacement-y");
    int adx = GetTopGtkStyleInt("arrow-displacement-x");
    struct Stepper {
        Value* looks;
        int horizontal_kind;
        int vertical_kind;
        int image;
    } steppers[] = {
        { stepper_a, 0x10400a, 0x10100a, start },
        { stepper_b, 0x20200a, 0x20200a, start },
        { stepper_c, 0x40200a, 0x40200a, end },
        { stepper_d, 0x80600a, 0x80300a, end },
    };
    for(const Stepper& s : steppers) {
        PushGtkDetail(detail, horizontal ? s.horizontal_kind : s.vertical_kind);
        SetGtkLooksWithImage(s.looks, "02142212", CtrlsImg::Get(s.image), Point(adx, ady));
    }
}

void SetScrollBarTrackLooks(ScrollBarStyle& style)
{
    for(int i = 0; i < 4; i++) {
        Image v = CtrlsImg::Get(CtrlsImg::I_SBVU + i);
        int cx = v.GetWidth();
        Value vl = ImageToValue(MarkPixels(v, Point(0, 0), Point(cx - 1, 0), SysColorShadow()));
        style.vertical_before[i] = style.vertical_after[i] = vl;
        Image h = CtrlsImg::Get(CtrlsImg::I_SBHU + i);
        int cy = h.GetHeight();
        Value hl = ImageToValue(MarkPixels(h, Point(0, 0), Point(0, cy - 1), SysColorShadow()));
        style.horizontal_before[i] = style.horizontal_after[i] = hl;
    }
}

} // namespace Qor
