// AttrText: a value that carries its own text, font, colours, alignment and leading image,
// for the standard display to paint.
#pragma once

#include "draw/font/font.h"
#include "draw/image/image.h"
#include "foundation/types.h"
#include "foundation/values/color.h"
#include "foundation/values/value.h"
#include "foundation/wstring.h"

namespace Qor {

class AttrText {
public:
    AttrText() = default;
    explicit AttrText(const WString& text) : text(text) {}
    // A Value holding a copy; its type number is that of the type's name, taken on first use.
    operator Value() const;

    WString text;
    Font font = GetStandardFontReference();
    Color ink;        // Null: the caller's ink
    Color normal_ink; // Null: none; else the ink of the plain state
    Color paper;      // Null: the caller's paper
    int align = INT_NULL; // Null: the display's own
    Image img;
    int imgspc = 0; // gap between image and text
};

// The AttrText a Value holds, or null when it holds something else.
const AttrText* GetAttrText(const Value& q);

} // namespace Qor
