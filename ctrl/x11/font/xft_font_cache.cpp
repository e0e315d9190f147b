// The most-recently-used caches of open Xft fonts.

#include "ctrl/x11/font/xft_font_cache.h"

namespace Qor {

namespace {

// A height no resolved font has, so empty entries never match.
constexpr int EMPTY_ENTRY_HEIGHT = -30000;

} // namespace

XftFontCache::XftFontCache(Opener open, Closer close) : open(open), close(close)
{
    for(Entry& e : entries) {
        e.font = Font().Height(EMPTY_ENTRY_HEIGHT);
        e.angle = 0;
        e.xft = nullptr;
    }
}

XftFont* XftFontCache::Get(Font font, int angle)
{
    for(int i = 0; i < SIZE; i++) {
        if(entries[i].font != font || entries[i].angle != angle)
            continue;
        Entry hit = entries[i];
        for(int j = i; j > 0; j--)
            entries[j] = entries[j - 1];
        entries[0] = hit;
        return hit.xft;
    }
    // Opened before the entries move: measuring the standard font while opening one of
    // height 0 comes back here, and its entry must not be overwritten.
    XftFont* xft = open(font, angle);
    if(entries[SIZE - 1].xft)
        close(entries[SIZE - 1].xft);
    for(int j = SIZE - 1; j > 0; j--)
        entries[j] = entries[j - 1];
    entries[0] = Entry{ font, angle, xft };
    return xft;
}

XftFontCache& GetXftMetricsFontCache()
{
    static XftFontCache cache;
    return cache;
}

XftFontCache& GetXftTextFontCache()
{
    static XftFontCache cache;
    return cache;
}

} // namespace Qor
