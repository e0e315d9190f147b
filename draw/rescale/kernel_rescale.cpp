// The kernel-table cache and the direct, separable-weight kernel rescale.

#include "draw/rescale/kernel_rescale.h"

#include "draw/rescale/rescaler.h"
#include "foundation/timing.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

namespace Qor {

namespace {

struct KernelTable {
    RescaleKernel kernel;
    int radius;
    int bits;
    std::unique_ptr<int32[]> table;
};

// A few dozen tables at most (ten kernels, four precisions): a list is enough.
std::vector<KernelTable>& KernelTableCache()
{
    static std::vector<KernelTable> cache;
    return cache;
}

TimingCounter& GenKernelCounter()
{
    static TimingCounter counter("GenKernel");
    return counter;
}

struct Tap {
    int weight;
    int at;
};

// The 2t taps of destination pixel x along an axis of length source pixels from first.
void AppendTaps(std::vector<Tap>& out, int x, int64 length, int dest, int taps, int first, int limit,
                const int32* table, int radius, int bits)
{
    int64 one = int64(1) << bits;
    int64 step = (length << bits) / dest;
    int n = 2 * radius << bits;
    int64 c = ((int64(x) * length) << bits) / dest - ((one - step) >> 1);
    int64 i = c >> bits;
    int64 f = c - i * one;
    for(int k = 1 - taps; k <= taps; k++) {
        int64 index = ((k * one - f) * radius) / taps + radius * one;
        int64 src = std::clamp<int64>(k + i, 0, length - 1) + first;
        out.push_back({table[std::clamp<int64>(index, 0, n)], (int)std::clamp<int64>(src, 0, limit - 1)});
    }
}

} // namespace

const int32* GetKernelTable(RescaleKernel kernel, int radius, int bits)
{
    for(const KernelTable& t : KernelTableCache())
        if(t.kernel == kernel && t.radius == radius && t.bits == bits)
            return t.table.get();
    TimingCounter& counter = GenKernelCounter();
    counter.Start();
    int one = 1 << bits;
    int n = 2 * radius * one;
    KernelTable entry{kernel, radius, bits, std::unique_ptr<int32[]>(new int32[n + 1])};
    for(int i = 0; i <= n; i++)
        entry.table[i] = (int32)(kernel((double)i / one - radius) * one);
    const int32* table = entry.table.get();
    KernelTableCache().push_back(std::move(entry));
    counter.End();
    return table;
}

void RescaleFiltered(Image& out, const Image& source, Size destination, const Rect& source_rect, int filter,
                     BoolCallback2<int, int> progress)
{
    if(filter == INT_MIN) {
        out = RescaleImage(source, destination, source_rect);
        return;
    }
    if(filter < 0 || filter >= RESCALE_FILTER_COUNT) {
        out.Clear();
        return;
    }
    RescaleWithKernel(out, source, destination, source_rect, RescaleFilters[filter].kernel,
                      RescaleFilters[filter].radius, progress);
}

void RescaleWithKernel(Image& out, const Image& source, Size destination, const Rect& source_rect,
                       RescaleKernel kernel, int radius, BoolCallback2<int, int> progress)
{
    out.Clear();
    int64 W = (int64)source_rect.right - source_rect.left, H = (int64)source_rect.bottom - source_rect.top;
    Size isz = source.GetSize();
    // Pixels are read straight from the source, so nothing outside it may be asked for.
    if(W < 1 || H < 1 || destination.cx < 1 || destination.cy < 1 || radius < 1 || isz.cx < 1 || isz.cy < 1 ||
       W > INT_MAX / 2 || H > INT_MAX / 2 || !IsValidImageSize(destination.cx, destination.cy))
        return;
    int tx = (int)std::max<int64>(1, W / destination.cx) * radius;
    int ty = (int)std::max<int64>(1, H / destination.cy) * radius;
    tx = std::min(tx, 31);
    ty = std::min(ty, 31);
    int bits = 8 - std::max(tx, ty) / 8;
    const int32* table = GetKernelTable(kernel, radius, bits);
    std::vector<Tap> htaps;
    htaps.reserve((size_t)destination.cx * 2 * tx);
    for(int x = 0; x < destination.cx; x++)
        AppendTaps(htaps, x, W, destination.cx, tx, source_rect.left, isz.cx, table, radius, bits);
    PixelBuffer b(destination.cx, destination.cy);
    if(b.IsEmpty())
        return;
    FillPixels(b.Begin(), RGBA{0, 0, 0, 0}, (int)b.GetLength());
    std::vector<Tap> vtaps;
    int hn = 2 * tx, vn = 2 * ty, cx = destination.cx;
    // The weights of both axes multiply, so each source row's horizontal sums serve every
    // destination row that reads it: a ring of vn rows, row r in slot r mod vn.
    struct RowSums {
        int row = -1;
        std::vector<int32> sum; // blue, green, red, alpha per destination column
        std::vector<byte> opaque;
    };
    std::vector<RowSums> ring(vn);
    std::vector<int64> hweight(cx, 0);
    for(int x = 0; x < cx; x++)
        for(int k = 0; k < hn; k++)
            hweight[x] += htaps[(size_t)x * hn + k].weight;
    auto Sums = [&](int row) -> RowSums& {
        RowSums& r = ring[row % vn];
        if(r.row == row)
            return r;
        r.row = row;
        r.sum.resize((size_t)cx * 4);
        r.opaque.resize(cx);
        const RGBA* line = source[row];
        const Tap* h = htaps.data();
        for(int x = 0; x < cx; x++, h += hn) {
            int32 sb = 0, sg = 0, sr = 0, sa = 0;
            bool opaque = true;
            for(int k = 0; k < hn; k++) {
                RGBA p = line[h[k].at];
                int w = h[k].weight;
                sb += p.b * w;
                sg += p.g * w;
                sr += p.r * w;
                sa += p.a * w;
                opaque &= p.a == 255;
            }
            int32* o = &r.sum[(size_t)x * 4];
            o[0] = sb;
            o[1] = sg;
            o[2] = sr;
            o[3] = sa;
            r.opaque[x] = opaque;
        }
        return r;
    };
    std::vector<RowSums*> rows(vn);
    for(int y = 0; y < destination.cy; y++) {
        if(progress.IsTrue() || (progress && progress(y, destination.cy)))
            break;
        vtaps.clear();
        AppendTaps(vtaps, y, H, destination.cy, ty, source_rect.top, isz.cy, table, radius, bits);
        int64 vweight = 0;
        for(int v = 0; v < vn; v++) {
            rows[v] = &Sums(vtaps[v].at);
            vweight += vtaps[v].weight;
        }
        RGBA* o = b[y];
        for(int x = 0; x < cx; x++) {
            int64 wsum = hweight[x] * vweight, sb = 0, sg = 0, sr = 0, sa = 0;
            bool opaque = true;
            for(int v = 0; v < vn; v++) {
                const int32* s4 = &rows[v]->sum[(size_t)x * 4];
                int64 vw = vtaps[v].weight;
                sb += s4[0] * vw;
                sg += s4[1] * vw;
                sr += s4[2] * vw;
                sa += s4[3] * vw;
                opaque &= rows[v]->opaque[x] != 0;
            }
            if(wsum == 0)
                continue;
            if(opaque)
                o[x] = MakeRGBA((int)std::clamp<int64>(sr / wsum, 0, 255), (int)std::clamp<int64>(sg / wsum, 0, 255),
                                (int)std::clamp<int64>(sb / wsum, 0, 255), 255);
            else {
                int a = (int)std::clamp<int64>(sa / wsum, 0, 255);
                o[x] = MakeRGBA((int)std::clamp<int64>(sr / wsum, 0, a), (int)std::clamp<int64>(sg / wsum, 0, a),
                                (int)std::clamp<int64>(sb / wsum, 0, a), a);
            }
        }
    }
    out = Image(b);
}

} // namespace Qor
