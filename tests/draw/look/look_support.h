// Shared helpers of the look tests: a painter chain the test chooses (the old one comes back
// afterwards), the default system colours, and images drawn as letter art.
#pragma once

#include "draw/draw.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

#include <utility>
#include <string>
#include <vector>

namespace QorTest {

// Each test starts with the given chain, the default colours and darkness flags; the
// chain the process had comes back afterwards, so tests run in any order.
class LookTest : public testing::Test {
protected:
    explicit LookTest(std::initializer_list<Qor::LookPainter> chain = { Qor::StandardLookPainter })
    {
        saved = Qor::GetLookPainters();
        DefaultSkin();
        Qor::Vector<Qor::LookPainter> painters;
        for(Qor::LookPainter p : chain)
            painters.Add(p);
        Qor::SetLookPainters(painters);
    }
    ~LookTest() override
    {
        DefaultSkin();
        Qor::SetLookPainters(saved);
    }

    // A skin change that sets nothing.
    static void DefaultSkin()
    {
        Qor::ResetThemeStatics();
        Qor::RebuildThemeStatics();
    }

private:
    Qor::Vector<Qor::LookPainter> saved;
};

// Letters and their colours, in the form RasterDraw::Picture reads.
using Legend = std::initializer_list<std::pair<Qor::Color, char>>;

// One opaque pixel per letter of the rows; '.' is transparent.
inline Qor::Image ArtImage(const std::vector<std::string>& rows, Legend legend)
{
    Qor::PixelBuffer b((int)rows[0].size(), (int)rows.size());
    for(int y = 0; y < b.GetHeight(); y++)
        for(int x = 0; x < b.GetWidth(); x++) {
            b[y][x] = Qor::RGBA{ 0, 0, 0, 0 };
            for(const auto& [colour, letter] : legend)
                if(rows[y][x] == letter)
                    b[y][x] = colour.ToRGBA();
        }
    return Qor::Image(b);
}

} // namespace QorTest
