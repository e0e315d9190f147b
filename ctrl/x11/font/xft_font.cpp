// Opening Xft fonts: the request, the settings, the match.

#include "ctrl/x11/font/xft_font.h"

#include "ctrl/x11/display/x11_display.h"
#include "draw/font/font_metrics.h"
#include "draw/target/draw.h"

#include <X11/Xft/Xft.h>

#include <algorithm>
#include <cstdlib>

namespace Qor {

namespace {

const char* const HINT_STYLES[] = { "hintnone", "hintslight", "hintmedium", "hintfull" };
const char* const SUB_PIXEL_ORDERS[] = { "_", "rgb", "bgr", "vrgb", "vbgr" };

void ReplaceInteger(FcPattern* p, const char* object, int value)
{
    FcPatternDel(p, object);
    FcPatternAddInteger(p, object, value);
}

void ReplaceBool(FcPattern* p, const char* object, bool value)
{
    FcPatternDel(p, object);
    FcPatternAddBool(p, object, value ? FcTrue : FcFalse);
}

} // namespace

int GetXftPixelSize(Font font)
{
    int h = std::abs(font.GetHeight());
    return h ? h : std::max(GetStandardFontSize().cy, 10);
}

FcPattern* CreateXftFontRequest(Font font, int angle)
{
    FcPattern* p = FcPatternCreate();
    if(!p)
        return nullptr;
    String face = font.GetFaceName();
    FcPatternAddString(p, FC_FAMILY, (const FcChar8*)face.Begin());
    FcPatternAddInteger(p, FC_SLANT, font.IsItalic() ? FC_SLANT_OBLIQUE : FC_SLANT_ROMAN);
    FcPatternAddDouble(p, FC_PIXEL_SIZE, GetXftPixelSize(font));
    FcPatternAddInteger(p, FC_WEIGHT, font.IsBold() ? FC_WEIGHT_BOLD : FC_WEIGHT_MEDIUM);
    FcPatternAddBool(p, FC_MINSPACE, FcTrue);
    if(angle) {
        double sin, cos;
        ComputeAngleSinCos(angle, sin, cos);
        FcMatrix m;
        m.xx = cos;
        m.xy = -sin;
        m.yx = sin;
        m.yy = cos;
        FcPatternAddMatrix(p, FC_MATRIX, &m);
    }
    return p;
}

void ApplyXftRenderSettings(FcPattern* match, Font font, const XftRenderSettings& settings)
{
    if(font.IsNonAntiAliased() || settings.antialias != -1)
        ReplaceBool(match, FC_ANTIALIAS, !font.IsNonAntiAliased() && settings.antialias != 0);
    if(settings.hinting != -1)
        ReplaceBool(match, FC_HINTING, settings.hinting != 0);
    for(int i = 0; i < 4; i++)
        if(settings.hint_style == HINT_STYLES[i])
            ReplaceInteger(match, FC_HINT_STYLE, i);
    for(int i = 0; i < 5; i++)
        if(settings.sub_pixel == SUB_PIXEL_ORDERS[i])
            ReplaceInteger(match, FC_RGBA, i);
}

namespace {

// The measuring and the drawing caches open the same fonts, and matching is the slow part
// of opening one: the last matches are kept, by everything the request is made of.
struct XftMatch {
    ::Display* display = nullptr;
    Font font;
    int angle = 0;
    int pixel_size = 0;
    FcPattern* match = nullptr;
};

constexpr int KEPT_MATCHES = 16;
XftMatch kept_matches[KEPT_MATCHES];
int next_kept_match = 0;

// The match of the request for (font, angle), the caller's to destroy; null when none.
FcPattern* MatchXftFont(::Display* d, Font font, int angle)
{
    int pixel_size = GetXftPixelSize(font);
    for(const XftMatch& m : kept_matches)
        if(m.match && m.display == d && m.font == font && m.angle == angle && m.pixel_size == pixel_size)
            return FcPatternDuplicate(m.match);
    FcPattern* request = CreateXftFontRequest(font, angle);
    if(!request)
        return nullptr;
    FcResult result;
    FcPattern* match = XftFontMatch(d, screen_number, request, &result);
    FcPatternDestroy(request);
    if(!match)
        return nullptr;
    XftMatch& kept = kept_matches[next_kept_match];
    next_kept_match = (next_kept_match + 1) % KEPT_MATCHES;
    if(kept.match)
        FcPatternDestroy(kept.match);
    kept = XftMatch{ d, font, angle, pixel_size, FcPatternDuplicate(match) };
    return match;
}

} // namespace

void ForgetXftMatches()
{
    for(XftMatch& m : kept_matches) {
        if(m.match)
            FcPatternDestroy(m.match);
        m = XftMatch();
    }
}

XftFont* CreateXftFont(Font font, int angle)
{
    ::Display* d = display;
    if(!d)
        return nullptr;
    FcPattern* match = MatchXftFont(d, font, angle);
    if(!match)
        return nullptr;
    ApplyXftRenderSettings(match, font, GetXftRenderSettings());
    XftFont* f = XftFontOpenPattern(d, match);
    // The font owns the match only when it opened.
    if(!f)
        FcPatternDestroy(match);
    return f;
}

void CloseXftFont(XftFont* font)
{
    if(font && display)
        XftFontClose(display, font);
}

} // namespace Qor
