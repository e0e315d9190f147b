// The two caches of open Xft fonts: one for measuring, one for drawing text.
#pragma once

#include "ctrl/x11/font/xft_font.h"

namespace Qor {

// The most recently used fonts, newest first; opening a font through fontconfig is slow.
class XftFontCache {
public:
    static constexpr int SIZE = 37;
    using Opener = XftFont* (*)(Font font, int angle);
    using Closer = void (*)(XftFont* font);

    explicit XftFontCache(Opener open = CreateXftFont, Closer close = CloseXftFont);
    XftFontCache(const XftFontCache&) = delete;
    XftFontCache& operator=(const XftFontCache&) = delete;

    // The font opened for (font, angle), compared exactly; moved to the front. When none of
    // the entries holds it, the oldest is closed and the new one opened. May be null.
    XftFont* Get(Font font, int angle);

    // The key at a place, for checks of the order.
    Font GetFont(int i) const { return entries[i].font; }
    int GetAngle(int i) const { return entries[i].angle; }

private:
    struct Entry {
        Font font;
        int angle;
        XftFont* xft;
    };
    Entry entries[SIZE];
    Opener open;
    Closer close;
};

// Always asked with angle 0.
XftFontCache& GetXftMetricsFontCache();
XftFontCache& GetXftTextFontCache();

} // namespace Qor
