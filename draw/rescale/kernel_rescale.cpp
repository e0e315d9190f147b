// The kernel-table cache and the kernel rescale's taps.

#include "draw/rescale/kernel_rescale.h"

#include "draw/rescale/kernel_rows_internal.h"
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

// The 2t taps of destination pixel x along an axis of length source pixels from first.
void AppendTaps(std::vector<KernelTap>& out, int x, int64 length, int dest, int taps, int first, int limit,
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
        out.push_back({ table[std::clamp<int64>(index, 0, n)], (int)std::clamp<int64>(src, 0, limit - 1) });
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
    KernelTable entry{ kernel, radius, bits, std::unique_ptr<int32[]>(new int32[n + 1]) };
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

void RescaleWithKernel(Image& out, const Image& source, Size destination, const Rect& source_rect, RescaleKernel kernel,
                       int radius, BoolCallback2<int, int> progress)
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
    std::vector<KernelTap> htaps;
    htaps.reserve((size_t)destination.cx * 2 * tx);
    for(int x = 0; x < destination.cx; x++)
        AppendTaps(htaps, x, W, destination.cx, tx, source_rect.left, isz.cx, table, radius, bits);
    PixelBuffer b(destination.cx, destination.cy);
    if(b.IsEmpty())
        return;
    KernelRows rows(source, htaps, 2 * tx, 2 * ty, destination.cx);
    std::vector<KernelTap> vtaps;
    for(int y = 0; y < destination.cy; y++) {
        if(progress.IsTrue() || (progress && progress(y, destination.cy))) {
            // The rows not reached stay transparent.
            FillPixels(b[y], RGBA{ 0, 0, 0, 0 }, (int)((destination.cy - y) * (int64)destination.cx));
            break;
        }
        vtaps.clear();
        AppendTaps(vtaps, y, H, destination.cy, ty, source_rect.top, isz.cy, table, radius, bits);
        rows.Row(b[y], vtaps);
    }
    out = Image(b);
}
} // namespace Qor
