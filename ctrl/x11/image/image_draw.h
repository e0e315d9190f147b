// ImageDraw: a SystemDraw on pixmaps whose drawing is read back as an Image, with an
// optional second plane whose grey levels become the image's alpha.
#pragma once

#include "ctrl/x11/draw/system_draw.h"
#include "ctrl/x11/registrations.h"

namespace Qor {

// A pixmap of at least 1 x 1 at the display depth with its GC and Xft drawable, owned.
struct ImageDrawPlane {
    Pixmap plane_pixmap = 0;
    GC plane_gc = nullptr;
    XftDraw* plane_xftdraw = nullptr;

    explicit ImageDrawPlane(Size size);
    ImageDrawPlane(const ImageDrawPlane&) = delete;
    ImageDrawPlane& operator=(const ImageDrawPlane&) = delete;
    ~ImageDrawPlane();
};

// Drawing goes to the colour plane, the ImageDraw itself.
class ImageDraw : private ImageDrawPlane, public SystemDraw {
public:
    explicit ImageDraw(Size size);
    ImageDraw(int cx, int cy) : ImageDraw(Size(cx, cy)) {}
    ~ImageDraw() override = default;

    // The alpha plane, fully transparent on the first call: grey levels drawn into it are
    // the alpha of the image (its red channel is read).
    Draw& GetAlphaDraw();
    // What has been drawn: opaque unless the alpha plane was asked for; empty for a size
    // of 0 or when the pixels cannot be read back.
    Image GetImage() const;

private:
    struct AlphaPlane : private ImageDrawPlane, public SystemDraw {
        explicit AlphaPlane(Size size);
    };

    Size size;
    AlphaPlane alpha;
    bool alpha_used = false;
};

// The image drawing hooks of the drawing layer: a new ImageDraw, the image of a Draw the
// factory made, and one glyph rendered black on white.
Draw* CreateImageDraw(Size size);
Image GetImageDrawImage(Draw* w);
Image RenderGlyphXft(int cx, int x, Font font, int ch, int y, int cy);
void RegisterImageDrawHooks();

} // namespace Qor
