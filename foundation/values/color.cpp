// Color: pixel conversions, blends, brightness, text, the in-place Value record and the
// XML and JSON forms.

#include "foundation/values/color.h"

#include "foundation/stream.h"
#include "foundation/values/format.h"
#include "foundation/values/jsonize.h"
#include "foundation/values/value.h"
#include "foundation/values/value_registry.h"
#include "foundation/values/value_rep.h"
#include "foundation/values/xmlize.h"

namespace Qor {

static int Saturate(int x) { return x > 255 ? 255 : x; }

Color::Color(RGBA p)
{
    if(p.a == 0) {
        bits = NULL_BITS;
        return;
    }
    if(p.a == 255) {
        *this = Color(p.r, p.g, p.b);
        return;
    }
    // 65536 / alpha in 8.8 fixed point. A byte equal to alpha lands on 256 or just below
    // it, so saturating keeps e.g. half-transparent white white instead of wrapping to 0.
    int q = 65536 / p.a;
    *this = Color(Saturate(p.r * q >> 8), Saturate(p.g * q >> 8), Saturate(p.b * q >> 8));
}

RGBA Color::ToRGBA() const
{
    if(IsNullInstance())
        return RGBA{0, 0, 0, 0};
    return RGBA{(byte)GetB(), (byte)GetG(), (byte)GetR(), 255};
}

String Color::ToText() const
{
    if(IsNullInstance())
        return "Color(Null)";
    return Format("Color(%d, %d, %d)", Value(GetR()), Value(GetG()), Value(GetB()));
}

Color::Color(const Value& v)
{
    bits = v.IsInPlace(COLOR_V) ? v.Payload<dword>() : NULL_BITS;
}

Color::operator Value() const
{
    Value v;
    v.SetInPlaceTag(COLOR_V);
    v.SetPayload(bits);
    return v;
}

static int MixChannel(int ca, int cb, int alpha)
{
    // The arithmetic shift rounds towards minus infinity, so the result never passes cb.
    int r = ca + ((cb - ca) * alpha >> 8);
    return r > 254 ? 255 : r;
}

Color MixColors(Color a, Color b, int alpha)
{
    alpha = alpha < 0 ? 0 : alpha > 255 ? 255 : alpha;
    alpha += alpha >> 7; // 255 becomes 256, so the far end is reached exactly
    if(a.IsNullInstance())
        a = Black();
    if(b.IsNullInstance())
        b = Black();
    return Color(MixChannel(a.GetR(), b.GetR(), alpha), MixChannel(a.GetG(), b.GetG(), alpha),
                 MixChannel(a.GetB(), b.GetB(), alpha));
}

static int WeightedLevel(Color c)
{
    return c.GetR() * 77 + c.GetG() * 151 + c.GetB() * 28;
}

int GrayLevel(Color c)
{
    return c.IsNullInstance() ? 0 : WeightedLevel(c) >> 8;
}

bool IsDarkColor(Color c)
{
    return c.IsNullInstance() || WeightedLevel(c) <= 20479;
}

namespace {

Color Get(const Value* v) { return Color::FromBits(v->Payload<dword>()); }

bool ColorIsNull(const Value* v) { return Get(v).IsNullInstance(); }

void ColorSerialize(Value* v, Stream& s)
{
    dword bits = v->Payload<dword>();
    s.Serialize(bits);
    if(s.IsLoading())
        v->SetPayload(bits);
}

void ColorXmlize(Value* v, XmlizeIo& io)
{
    if(!ValueMappingHooks<Color>::xmlize)
        return;
    Color c = Get(v);
    ValueMappingHooks<Color>::xmlize(io, c);
    v->SetPayload(c.GetBits());
}

void ColorJsonize(Value* v, JsonizeIo& io)
{
    if(!ValueMappingHooks<Color>::jsonize)
        return;
    Color c = Get(v);
    ValueMappingHooks<Color>::jsonize(io, c);
    v->SetPayload(c.GetBits());
}

uint32 ColorHash(const Value* v) { return v->Payload<dword>(); }
bool ColorEquals(const Value* a, const Value* b) { return a->Payload<dword>() == b->Payload<dword>(); }
bool ColorEqualsOtherType(const Value*, const Value*) { return false; }
String ColorText(const Value* v) { return Get(v).ToText(); }

constexpr ValueOps color_ops = {ColorIsNull, ColorSerialize, ColorXmlize, ColorJsonize,
                                ColorHash,   ColorEquals,    ColorEqualsOtherType, ColorText};

} // namespace

void RegisterColorValueType()
{
    static bool done = false;
    if(done)
        return;
    done = true;
    RegisterInPlaceValueType(COLOR_V, &color_ops, "Color");
}

// XML and JSON forms ---------------------------------------------------------------------

// Null when red is the int Null; otherwise the low 8 bits of each channel.
static Color PackChannels(int r, int g, int b)
{
    return IsNullInt(r) ? Color() : Color(r, g, b);
}

void Xmlize(XmlizeIo& io, Color& c)
{
    int r = c.IsNullInstance() ? INT_NULL : c.GetR();
    int g = c.IsNullInstance() ? INT_NULL : c.GetG();
    int b = c.IsNullInstance() ? INT_NULL : c.GetB();
    io.Attribute("red", r).Attribute("green", g).Attribute("blue", b);
    if(io.IsLoading())
        c = PackChannels(r, g, b);
}

void Jsonize(JsonizeIo& io, Color& c)
{
    int r = c.IsNullInstance() ? INT_NULL : c.GetR();
    int g = c.IsNullInstance() ? INT_NULL : c.GetG();
    int b = c.IsNullInstance() ? INT_NULL : c.GetB();
    io.Member("red", r).Member("green", g).Member("blue", b);
    if(io.IsLoading())
        c = PackChannels(r, g, b);
}

void RegisterColorValueMappings()
{
    ValueMappingHooks<Color>::xmlize = static_cast<void (*)(XmlizeIo&, Color&)>(Xmlize);
    ValueMappingHooks<Color>::jsonize = static_cast<void (*)(JsonizeIo&, Color&)>(Jsonize);
}

} // namespace Qor
