// The pixel loop of the kernel rescaler: horizontal sums of source rows, kept in a ring
// of the rows the vertical taps read, and their weighting into destination rows.
#pragma once

#include "draw/image/image.h"

#include <vector>

namespace Qor {

struct KernelTap {
    int weight;
    int at; // source column or row
};

class KernelRows {
public:
    // htaps holds hn taps for each of the cx destination columns; vn is the vertical tap count.
    KernelRows(const Image& source, const std::vector<KernelTap>& htaps, int hn, int vn, int cx);

    // Computes one destination row from its vn vertical taps.
    void Row(RGBA* out, const std::vector<KernelTap>& vtaps);

private:
    using Float4 = float __attribute__((vector_size(16)));
    using Double2 = double __attribute__((vector_size(16)));

    // Horizontal sums of one source row: blue, green, red, alpha per destination column.
    // They are integers below 2^24 in magnitude (see float_exact), so floats hold them exactly.
    struct RowSums {
        int row = -1;
        std::vector<Float4> sum;
        std::vector<int32> exact; // the sums as integers when floats cannot hold them
        std::vector<byte> opaque; // every tap pixel of the column has alpha 255
    };

    const RowSums& Sums(int row);
    void RowExact(RGBA* out, const std::vector<KernelTap>& vtaps);

    const Image& source;
    const std::vector<KernelTap>& htaps;
    int hn, vn, cx;
    bool float_exact;           // every horizontal sum fits a float's 24-bit mantissa
    std::vector<int64> hweight; // sum of each column's weights
    std::vector<double> hinverse;
    int64 hmax = 0;            // largest column weight sum
    std::vector<float> hw;     // the weights of htaps as floats
    std::vector<RowSums> ring; // row r in slot r mod vn
    std::vector<const RowSums*> rows;
    std::vector<Float4> pixels;  // a source row as floats
    std::vector<int> not_opaque; // running count of pixels with alpha below 255
    std::vector<Double2> acc;    // vertical sums of a block of columns
};

} // namespace Qor
