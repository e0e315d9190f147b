// The kernel rescaler's pixel loop. The result is that of the integer formula, each
// channel sum / (column weight × row weight) truncated and clamped, but computed with
// multiply-adds: the horizontal sums are exact integers held in floats, the vertical ones
// exact integers in doubles, and the division a multiplication by the reciprocal with a
// margin far below 1 / divisor, which gives the truncated quotient exactly.

#include "draw/rescale/kernel_rows_internal.h"

#include <algorithm>
#include <cmath>

namespace Qor {

namespace {

// Floats hold every integer below this exactly.
constexpr double FLOAT_EXACT = 16777216.0;
// Divisors up to this make the reciprocal's error and QUOTIENT_MARGIN both far smaller
// than the distance of a non-integral quotient from the next integer (1 / divisor).
constexpr double DIVISOR_LIMIT = 536870912.0;          // 2^29
constexpr double QUOTIENT_MARGIN = 1.0 / 2147483648.0; // 2^-31
constexpr int BLOCK = 256;                             // destination columns weighted together, to stay in the cache

// The integer formula: sums of channel × weight over the taps, divided by their weight sum.
RGBA Weighted(const int64* s, int64 wsum, bool opaque)
{
    if(wsum == 0)
        return RGBA{ 0, 0, 0, 0 };
    if(opaque)
        return MakeRGBA((int)std::clamp<int64>(s[2] / wsum, 0, 255), (int)std::clamp<int64>(s[1] / wsum, 0, 255),
                        (int)std::clamp<int64>(s[0] / wsum, 0, 255), 255);
    int a = (int)std::clamp<int64>(s[3] / wsum, 0, 255);
    return MakeRGBA((int)std::clamp<int64>(s[2] / wsum, 0, a), (int)std::clamp<int64>(s[1] / wsum, 0, a),
                    (int)std::clamp<int64>(s[0] / wsum, 0, a), a);
}

// Clamped to 0 … top, then truncated: q lies at or just above the exact quotient and below
// the next integer, and every negative quotient gives 0 as the truncating division does.
inline int Channel(double q, int top) { return (int)std::clamp(q, 0.0, (double)top); }

} // namespace

KernelRows::KernelRows(const Image& source, const std::vector<KernelTap>& htaps, int hn, int vn, int cx)
    : source(source), htaps(htaps), hn(hn), vn(vn), cx(cx), hweight(cx, 0), hinverse(cx), hw(htaps.size()), ring(vn),
      rows(vn), acc(2 * BLOCK)
{
    int64 largest = 0;
    for(int x = 0; x < cx; x++) {
        int64 magnitude = 0;
        for(int k = 0; k < hn; k++) {
            const KernelTap& t = htaps[(size_t)x * hn + k];
            hweight[x] += t.weight;
            magnitude += std::abs((int64)t.weight);
            hw[(size_t)x * hn + k] = (float)t.weight;
        }
        hinverse[x] = hweight[x] > 0 ? 1.0 / (double)hweight[x] : 0;
        largest = std::max(largest, magnitude);
        hmax = std::max(hmax, hweight[x]);
    }
    float_exact = 255.0 * (double)largest < FLOAT_EXACT;
}

const KernelRows::RowSums& KernelRows::Sums(int row)
{
    RowSums& r = ring[row % vn];
    if(r.row == row)
        return r;
    r.row = row;
    r.sum.resize(cx);
    r.opaque.resize(cx);
    const RGBA* line = source[row];
    // The taps of a column are consecutive source pixels (repeated at the edges), so the
    // row is read from the first column's first tap to the last column's last.
    int lo = htaps.front().at, hi = htaps.back().at;
    pixels.resize(hi - lo + 1);
    not_opaque.resize(hi - lo + 2);
    not_opaque[0] = 0;
    for(int i = lo; i <= hi; i++) {
        RGBA p = line[i];
        pixels[i - lo] = Float4{ (float)p.b, (float)p.g, (float)p.r, (float)p.a };
        not_opaque[i - lo + 1] = not_opaque[i - lo] + (p.a != 255);
    }
    const KernelTap* h = htaps.data();
    const float* w = hw.data();
    const Float4* px = pixels.data() - lo;
    for(int x = 0; x < cx; x++, h += hn, w += hn) {
        Float4 s = { 0, 0, 0, 0 };
        for(int k = 0; k < hn; k++)
            s += px[h[k].at] * w[k];
        r.sum[x] = s;
        r.opaque[x] = not_opaque[h[hn - 1].at - lo + 1] == not_opaque[h[0].at - lo];
    }
    if(!float_exact) {
        r.exact.resize((size_t)cx * 4);
        h = htaps.data();
        for(int x = 0; x < cx; x++, h += hn) {
            int32 s[4] = { 0, 0, 0, 0 };
            for(int k = 0; k < hn; k++) {
                RGBA p = line[h[k].at];
                s[0] += p.b * h[k].weight;
                s[1] += p.g * h[k].weight;
                s[2] += p.r * h[k].weight;
                s[3] += p.a * h[k].weight;
            }
            std::copy(s, s + 4, &r.exact[(size_t)x * 4]);
        }
    }
    return r;
}

void KernelRows::RowExact(RGBA* out, const std::vector<KernelTap>& vtaps)
{
    int64 vweight = 0;
    for(int v = 0; v < vn; v++)
        vweight += vtaps[v].weight;
    for(int x = 0; x < cx; x++) {
        int64 s[4] = { 0, 0, 0, 0 };
        bool opaque = true;
        for(int v = 0; v < vn; v++) {
            const RowSums& r = *rows[v];
            for(int c = 0; c < 4; c++)
                s[c] += (int64)(float_exact ? (int32)r.sum[x][c] : r.exact[(size_t)x * 4 + c]) * vtaps[v].weight;
            opaque &= r.opaque[x] != 0;
        }
        out[x] = Weighted(s, hweight[x] * vweight, opaque);
    }
}

void KernelRows::Row(RGBA* out, const std::vector<KernelTap>& vtaps)
{
    int64 vweight = 0, magnitude = 0;
    for(int v = 0; v < vn; v++) {
        rows[v] = &Sums(vtaps[v].at);
        vweight += vtaps[v].weight;
        magnitude += std::abs((int64)vtaps[v].weight);
    }
    // Products and sums stay far below 2^53, so the doubles hold them exactly.
    if(!float_exact || vweight <= 0 || (double)vweight * (double)hmax > DIVISOR_LIMIT ||
       (double)magnitude > FLOAT_EXACT) {
        RowExact(out, vtaps);
        return;
    }
    double vinverse = 1.0 / (double)vweight;
    for(int x0 = 0; x0 < cx; x0 += BLOCK) {
        int n = std::min(BLOCK, cx - x0);
        Double2* a = acc.data();
        for(int v = 0; v < vn; v++) {
            const Float4* s = rows[v]->sum.data() + x0;
            double w = vtaps[v].weight;
            if(v == 0)
                for(int i = 0; i < n; i++) {
                    a[2 * i] = Double2{ s[i][0], s[i][1] } * w;
                    a[2 * i + 1] = Double2{ s[i][2], s[i][3] } * w;
                }
            else
                for(int i = 0; i < n; i++) {
                    a[2 * i] += Double2{ s[i][0], s[i][1] } * w;
                    a[2 * i + 1] += Double2{ s[i][2], s[i][3] } * w;
                }
        }
        for(int i = 0; i < n; i++) {
            int x = x0 + i;
            bool opaque = true;
            for(int v = 0; v < vn; v++)
                opaque &= rows[v]->opaque[x] != 0;
            if(hweight[x] <= 0) { // a kernel with negative sums: the plain formula
                int64 s[4] = { 0, 0, 0, 0 };
                for(int v = 0; v < vn; v++)
                    for(int c = 0; c < 4; c++)
                        s[c] += (int64)rows[v]->sum[x][c] * vtaps[v].weight;
                out[x] = Weighted(s, hweight[x] * vweight, opaque);
                continue;
            }
            double inverse = hinverse[x] * vinverse;
            Double2 bg = a[2 * i] * inverse + QUOTIENT_MARGIN;
            Double2 ra = a[2 * i + 1] * inverse + QUOTIENT_MARGIN;
            int alpha = opaque ? 255 : Channel(ra[1], 255);
            out[x] = MakeRGBA(Channel(ra[0], alpha), Channel(bg[1], alpha), Channel(bg[0], alpha), alpha);
        }
    }
}

} // namespace Qor
