// The document's own compressor and its remembered number texts: both must give exactly
// what the library's general functions give, whatever the order and reuse of calls.
#include "foundation/compression.h"
#include "foundation/values/format.h"
#include "foundation/values/number_text.h"
#include "pdf/pdf_deflate.h"
#include "pdf/pdf_out_internal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

using namespace Qor;

namespace {

String Noise(int n, unsigned seed)
{
    std::mt19937 random(seed);
    String s;
    for(int i = 0; i < n; i++)
        s.AppendChar(int(random() & 255));
    return s;
}

String Operators(int n)
{
    String s;
    for(int i = 0; s.GetLength() < n; i++)
        s += IntToText(i % 977) + " " + IntToText(i % 13) + " Td <0" + IntToText(i % 10) + "> Tj\n";
    return s;
}

TEST(PdfDeflater, GivesTheBytesOfCompressZlibAcrossReuse)
{
    struct Case {
        const char* what;
        String data;
    } cases[] = {
        { "empty", String() },
        { "two bytes", "q\n" },
        { "operators", Operators(300000) },
        { "noise larger than the bound of small inputs", Noise(200000, 7) },
        { "operators after noise", Operators(5000) },
        { "a megabyte of one byte", String(std::string(1 << 20, 'x').c_str()) },
    };
    PdfDeflater deflater; // one compressor for every case, as a document has
    for(int round = 0; round < 2; round++)
        for(const Case& c : cases) {
            ASSERT_TRUE(deflater.Compress(c.data.Begin(), c.data.GetLength())) << c.what;
            String ours(deflater.Begin(), deflater.GetLength());
            EXPECT_TRUE(ours == CompressZlib(c.data)) << c.what << " in round " << round;
            EXPECT_TRUE(DecompressZlib(ours) == c.data) << c.what;
        }
}

TEST(PdfNumbers, RememberedTextsEqualTheirDirectForms)
{
    // Many more values than the texts remembered, so slots are taken over again and again,
    // and values repeated so that remembered texts are handed out.
    std::mt19937 random(11);
    std::vector<double> values = { 0.0, -0.0, 1.0, -1.0, 0.12, 7.08, 0.12 * 159 - 0.12 * 100, 1e15, 1e-16, -1e308 };
    for(int i = 0; i < 20000; i++)
        values.push_back((int(random() % 200000) - 100000) * 0.12);
    for(int i = 0; i < 20000; i++)
        values.push_back(std::ldexp(double(random()), -int(random() % 40)));
    for(int pass = 0; pass < 2; pass++)
        for(double x : values) {
            ASSERT_TRUE(PdfNumberText(x) == DoubleToText(x)) << x;
            ASSERT_TRUE(PdfFixed2Text(x) == DoubleToFixedText(2, 0, x)) << x;
        }
    // Two texts taken in one expression stay each their own, even from one slot.
    for(size_t i = 0; i + 1 < values.size(); i += 2) {
        String pair = PdfFixed2Text(values[i]) + " " + PdfFixed2Text(values[i + 1]);
        ASSERT_TRUE(pair == DoubleToFixedText(2, 0, values[i]) + " " + DoubleToFixedText(2, 0, values[i + 1]));
    }
    for(int v = 0; v < 256; v++)
        EXPECT_TRUE(PdfChannelText(v) == Format("%3nf", v / 255.0)) << v;
}

} // namespace
