// PdfDraw: the 8 x 8 hatch patterns of polygon fills as uncoloured tiling patterns.
#include "pdf/pdf_draw.h"

#include "pdf/pdf_out_internal.h"

namespace Qor {

namespace {

// Cell (c, r) is bit 8r + c; a clear bit is painted. Drawn cells get their bit set, so
// every cell is painted once however the runs cross.
class PatternCells {
public:
    explicit PatternCells(uint64 pattern) : bits(pattern) {}

    bool IsPainted(int c, int r) const { return c >= 0 && c < 8 && r >= 0 && r < 8 && !(bits & Bit(c, r)); }
    void Mark(int c, int r) { bits |= Bit(c, r); }
    // The number of painted cells from (c, r) on in steps of (dc, dr), marking them.
    int TakeRun(int c, int r, int dc, int dr)
    {
        int n = 0;
        while(IsPainted(c + n * dc, r + n * dr)) {
            Mark(c + n * dc, r + n * dr);
            n++;
        }
        return n;
    }

private:
    uint64 bits;
    static uint64 Bit(int c, int r) { return (uint64)1 << (8 * r + c); }
};

String BandNumber(double x) { return DoubleToGeneralText(2, 0, 0, x); }

void PutPoint(TextBuffer& b, double x, double y, const char* op)
{
    PdfAppend(b, BandNumber(x), " ", BandNumber(y), op);
}

// Rows and columns of painted cells become rectangles and diagonals slanted bands, so a
// hatch is a few paths rather than up to 64 squares.
String PatternContent(uint64 pattern)
{
    TextBuffer b;
    PatternCells cells(pattern);
    for(int r = 0; r < 8; r++)
        for(int c = 0; c < 8; c++) {
            if(!cells.IsPainted(c, r))
                continue;
            int y = 7 - r;
            if(cells.IsPainted(c + 1, r))
                PdfAppend(b, c, " ", y, " ", cells.TakeRun(c, r, 1, 0), " 1 re f\n");
            else if(cells.IsPainted(c, r + 1)) {
                int n = cells.TakeRun(c, r, 0, 1);
                PdfAppend(b, c, " ", y - n + 1, " 1 ", n, " re f\n");
            }
            else if(cells.IsPainted(c + 1, r + 1)) {
                int n = cells.TakeRun(c, r, 1, 1);
                PutPoint(b, c - 0.25, y + 0.75, " m\n");
                PutPoint(b, c + 0.25, y + 1.25, " l\n");
                PutPoint(b, c + n + 0.25, y + 1.25 - n, " l\n");
                PutPoint(b, c + n - 0.25, y + 0.75 - n, " l\n");
                b.Append("f\n");
            }
            else if(cells.IsPainted(c - 1, r + 1)) {
                int n = cells.TakeRun(c, r, -1, 1);
                PutPoint(b, c + 1.25, y + 0.75, " m\n");
                PutPoint(b, c + 0.75, y + 1.25, " l\n");
                PutPoint(b, c + 0.75 - n, y + 1.25 - n, " l\n");
                PutPoint(b, c + 1.25 - n, y + 0.75 - n, " l\n");
                b.Append("f\n");
            }
            else {
                cells.Mark(c, r);
                PdfAppend(b, c, " ", y, " 1 1 re f\n");
            }
        }
    return TakeText(b);
}

} // namespace

int PdfDraw::PutPatterns(Vector<int>& pattern_objects)
{
    pattern_objects.Clear();
    if(patterns.IsEmpty())
        return 0;
    int space = BeginObj();
    out.Append("[/Pattern /DeviceRGB]\nendobj\n\n");
    int resources = BeginObj();
    out.Append("<< >>\nendobj\n\n");
    String dict = "/Type /Pattern\n/PatternType 1\n/PaintType 2\n/TilingType 3\n/BBox [-1 -1 9 9]\n/XStep 8\n"
                  "/YStep 8\n/Resources " +
                  IntToText(resources) + " 0 R\n/Matrix [0.75 0.0 0.0 0.75 0.0 0.0]\n";
    for(uint64 pattern : patterns)
        pattern_objects.Add(PutStream(PatternContent(pattern), dict));
    return space;
}

} // namespace Qor
