// Building sample maps (area weights when reducing, the curve when enlarging) and the
// four row samplers.

#include "draw/rescale/sample_map.h"

#include "foundation/numeric.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

namespace Qor {

namespace {

int64 FloorDiv(int64 a, int64 b)
{
    int64 q = a / b;
    return q * b > a ? q - 1 : q;
}

int64 CeilDiv(int64 a, int64 b)
{
    int64 q = a / b;
    return q * b < a ? q + 1 : q;
}

} // namespace

const byte* InterpolationCurve()
{
    static byte curve[1024];
    static bool built = false;
    if(!built) {
        for(int i = 0; i < 1024; i++) {
            double v = i <= 512 ? 128 * pow(i / 512.0, 0.85) : 128 * (2 - pow((1024 - i) / 512.0, 0.85));
            curve[i] = v <= 0 ? 0 : v > 254 ? 255 : (byte)(int)v;
        }
        built = true;
    }
    return curve;
}

void BuildSampleMap(SampleMap& map, int& D0, int& D1, int Dmin, int Dmax, int S0, int S1, int Smin, int Smax,
                    int step, int unit)
{
    map.Clear();
    if(D1 == D0 || S1 == S0)
        return;
    if(D1 < D0) {
        std::swap(D0, D1);
        std::swap(S0, S1);
    }
    int64 J = (int64)D1 - D0;
    int64 diff = (int64)S1 - S0;
    if(J > INT_MAX || diff > INT_MAX || diff < -INT_MAX)
        return;
    int given = D0;
    int64 t;
    int lo, hi;
    if(diff > 0) {
        if(S0 < Smin)
            D0 += ScaleIntFloor(Smin - S0, (int)J, (int)diff);
        D0 = std::max(D0, Dmin);
        t = diff * (D0 - given) + J * S0;
        if(S1 > Smax)
            D1 -= ScaleIntFloor(S1 - Smax, (int)J, (int)diff);
        D1 = std::min(D1, Dmax);
        lo = S0;
        hi = S1;
    }
    else {
        if(S0 > Smax)
            D0 += ScaleIntFloor(Smax - S0, (int)J, (int)diff);
        D0 = std::max(D0, Dmin);
        t = diff * (D0 - given) + J * S0;
        if(S1 < Smin)
            D1 -= ScaleIntFloor(S1 - Smin, (int)J, (int)diff);
        D1 = std::min(D1, Dmax);
        lo = S1;
        hi = S0;
    }
    lo = std::max(lo, Smin);
    hi = std::min(hi, Smax);
    int n = D1 - D0;
    if(lo >= hi || n <= 0)
        return;
    int span = hi - lo;
    int64 A = diff < 0 ? -diff : diff;
    int64 ratio = A % J == 0 ? A / J : CeilDiv(A, J) + 1;
    int taps = (int)std::min<int64>(ratio, span);
    bool four = taps >= 4;
    int C = four ? 4 : taps;
    int esize = four ? 1 : C + 1;
    int D = four ? taps / 4 : 1;
    if((int64)n * esize > INT_MAX / 8)
        return;
    map.SetCount(SAMPLE_MAP_HEADER + n * esize, 0);
    map[0] = n;
    map[1] = C;
    map[2] = esize;
    map[3] = step * D;
    int* out = &map[SAMPLE_MAP_HEADER];
    int prev = 0;
    // Starts an entry at the first tap; the weights follow, the rest of the entry is 0.
    auto Entry = [&](int first) {
        *out = first * step - prev;
        prev = first * step;
        int* w = out + 1;
        out += esize;
        return w;
    };
    if(span == 1) {
        for(int k = 0; k < n; k++)
            Entry(lo)[0] = unit;
        return;
    }
    if(A < J) {
        const byte* curve = InterpolationCurve();
        t += (diff - J) >> 1;
        for(int k = 0; k < n; k++) {
            int* w;
            if(t <= J * lo) {
                w = Entry(lo);
                w[0] = unit;
            }
            else if(t >= J * (hi - 1)) {
                w = Entry(hi - 2);
                w[1] = unit;
            }
            else {
                w = Entry((int)(t / J));
                int c = curve[(t % J) * 1024 / J] * unit / 256;
                w[0] = unit - c;
                w[1] = c;
            }
            t += diff;
        }
        return;
    }
    // The samples of an entry must stay inside lo … hi − 1.
    int reach = four ? 3 * D + 1 : C;
    int64 B = diff < 0 ? t + diff : t;
    for(int k = 0; k < n; k++, B += diff) {
        int64 s = std::max(B, J * lo);
        int64 e = std::min(B + A, J * hi);
        int i = (int)FloorDiv(s, J);
        int iend = (int)CeilDiv(e, J);
        if(s >= J * hi) {
            int* w = Entry(hi - reach);
            if(!four)
                w[C - 1] = unit;
            continue;
        }
        if(i >= iend - 1) {
            int back = std::min(std::max(0, reach + i - hi), i - lo);
            int* w = Entry(i - back);
            if(!four)
                w[back] = unit;
            continue;
        }
        int64 len = e - s;
        int64 sm = s - (int64)i * J;
        int wfirst = (int)(unit * (J - sm) / len);
        int i2 = wfirst == 0 ? i + 1 : i;
        int back = std::min(std::max(0, i2 + (four ? reach : taps) - hi), i2 - lo);
        int* w = Entry(i2 - back);
        if(four)
            continue;
        int at = back;
        int64 R = unit;
        if(wfirst) {
            w[at++] = wfirst;
            R = unit - wfirst;
            len -= J - sm;
        }
        for(int p = i + 1; p < iend - 1 && at < C; p++) {
            int64 x = J * R / len;
            R -= x;
            len -= J;
            w[at++] = (int)x;
        }
        if(R > 0 && at < C)
            w[at] = (int)R;
    }
}

void SampleRowOneTap(int32* acc, const RGBA* line, const SampleMap& map)
{
    const int* m = map.begin() + SAMPLE_MAP_HEADER;
    const RGBA* s = line;
    for(int n = map[0]; n--; m += 2, acc += 4) {
        s += m[0];
        acc[0] = s->b << 8;
        acc[1] = s->g << 8;
        acc[2] = s->r << 8;
        acc[3] = s->a << 8;
    }
}

void SampleRowTwoTaps(int32* acc, const RGBA* line, const SampleMap& map)
{
    const int* m = map.begin() + SAMPLE_MAP_HEADER;
    const RGBA* s = line;
    for(int n = map[0]; n--; m += 3, acc += 4) {
        s += m[0];
        int w0 = m[1], w1 = m[2];
        acc[0] = w0 * s[0].b + w1 * s[1].b;
        acc[1] = w0 * s[0].g + w1 * s[1].g;
        acc[2] = w0 * s[0].r + w1 * s[1].r;
        acc[3] = w0 * s[0].a + w1 * s[1].a;
    }
}

void SampleRowThreeTaps(int32* acc, const RGBA* line, const SampleMap& map)
{
    const int* m = map.begin() + SAMPLE_MAP_HEADER;
    const RGBA* s = line;
    for(int n = map[0]; n--; m += 4, acc += 4) {
        s += m[0];
        int w0 = m[1], w1 = m[2], w2 = m[3];
        acc[0] = w0 * s[0].b + w1 * s[1].b + w2 * s[2].b;
        acc[1] = w0 * s[0].g + w1 * s[1].g + w2 * s[2].g;
        acc[2] = w0 * s[0].r + w1 * s[1].r + w2 * s[2].r;
        acc[3] = w0 * s[0].a + w1 * s[1].a + w2 * s[2].a;
    }
}

void SampleRowFourSpaced(int32* acc, const RGBA* line, const SampleMap& map)
{
    const int* m = map.begin() + SAMPLE_MAP_HEADER;
    int d = map[3];
    const RGBA* s = line;
    for(int n = map[0]; n--; m++, acc += 4) {
        s += m[0];
        const RGBA *a = s, *b = s + d, *c = s + 2 * d, *e = s + 3 * d;
        acc[0] = (a->b + b->b + c->b + e->b) << 6;
        acc[1] = (a->g + b->g + c->g + e->g) << 6;
        acc[2] = (a->r + b->r + c->r + e->r) << 6;
        acc[3] = (a->a + b->a + c->a + e->a) << 6;
    }
}

} // namespace Qor
