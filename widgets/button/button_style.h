// ButtonStyle: the skinnable record of a push button's faces, colours and images; the
// spin-button pair built from it; and the loaders that fill looks from "CtrlsImg".
#pragma once

#include "draw/font/font.h"
#include "draw/image/image.h"
#include "foundation/types.h"
#include "foundation/values/color.h"
#include "foundation/values/point.h"
#include "foundation/values/value.h"

namespace Qor {

// Visual states of a control, the order of the looks and colours of every style record.
enum : int { VISUAL_NORMAL = 0, VISUAL_HOT = 1, VISUAL_PRESSED = 2, VISUAL_DISABLED = 3, VISUAL_COUNT = 4 };

// One record per style static (Button::GetPlainStyle and its siblings). Before its getter
// fills the defaults the looks are void, the colours Null and the font and images empty.
struct ButtonStyle {
    // 0 not built, 1 built with the defaults, 2 changed by a skin.
    byte status = 0;
    byte registered = 0;
    // The copy of the defaults as first built.
    const ButtonStyle* standard = nullptr;
    // The face of each visual state.
    Value look[VISUAL_COUNT];
    // Colour of one-colour glyphs (spin and scroll arrows) drawn over the face.
    Color glyph_colour[VISUAL_COUNT];
    Color text_colour[VISUAL_COUNT];
    // How far the content moves while the button is pressed.
    Point pressed_offset = Point(0, 0);
    // Inset of the focus rectangle from the button's edge.
    int focus_margin = 0;
    // The button's OverpaintMargin.
    int overpaint = 0;
    // The label font when the button's own font is Null.
    Font font = Font::Null();
    // Given by Button::MakeOk and Button::MakeCancel to a button without an image.
    Image ok_image;
    Image cancel_image;
    // Set by the host look; nothing of this system reads it.
    Image exit_image;
    // Copied into the button's transparent flag at layout.
    bool transparent = false;
};

// The increasing and the decreasing button of a spin pair: plain-style copies whose looks
// are the edge faces with the arrows "SpU" and "SpD" over them. Only the host look reads
// or changes it.
struct SpinButtonStyle {
    byte status = 0;
    byte registered = 0;
    const SpinButtonStyle* standard = nullptr;
    ButtonStyle increase;
    ButtonStyle decrease;
    int width = 0;
};

SpinButtonStyle& GetSpinButtonStyle();

// looks[i] = "CtrlsImg" image first + i as an image value, for i in 0 .. count - 1.
void LoadCtrlsImgLooks(Value* looks, int first, int count);
// The same with glyph drawn over each image, centred, in colours[i].
void LoadCtrlsImgLooksWithGlyph(Value* looks, int first, const Image& glyph, const Color* colours, int count);
// The same with image drawn over each in its own colours.
void LoadCtrlsImgLooksWithImage(Value* looks, int first, const Image& image, int count);

} // namespace Qor
