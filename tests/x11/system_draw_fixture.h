// A SystemDraw on a white pixmap, and the same picture painted by the drawing tests'
// rasterising Draw, so the two can be compared pixel by pixel.
#pragma once

#include "tests/support/x11/gui_test.h"

#include "ctrl/x11/draw/system_draw.h"
#include "tests/draw/support/raster_draw.h"

namespace QorTest {

class SystemDrawTest : public GuiTest {
protected:
    static constexpr int CX = 48;
    static constexpr int CY = 32;

    Pixmap pixmap = 0;
    GC gc = nullptr;

    void SetUp() override
    {
        GuiTest::SetUp();
        if(HasFatalFailure())
            return;
        pixmap = XCreatePixmap(Qor::display, Qor::root, CX, CY, Qor::depth);
        gc = XCreateGC(Qor::display, pixmap, 0, nullptr);
        XSetForeground(Qor::display, gc, Qor::ColorToPixel(Qor::White()));
        XFillRectangle(Qor::display, pixmap, gc, 0, 0, CX, CY);
    }

    void TearDown() override
    {
        if(gc)
            XFreeGC(Qor::display, gc);
        if(pixmap)
            XFreePixmap(Qor::display, pixmap);
    }

    Pixels Grab() const { return GrabPixels(pixmap, Qor::Rect(0, 0, CX, CY)); }

    // The scene painted on the pixmap through a SystemDraw covering all of it.
    Pixels Paint(const std::function<void(Qor::Draw&)>& scene)
    {
        Qor::SystemDraw w(pixmap, gc, nullptr, Qor::Vector<Qor::Rect>{ Qor::Rect(0, 0, CX, CY) });
        scene(w);
        return Grab();
    }

    // The scene painted by the rasterising Draw on a white canvas of the same size.
    static Pixels Raster(const std::function<void(Qor::Draw&)>& scene)
    {
        RasterDraw r(CX, CY, Qor::White());
        scene(r);
        Pixels p;
        p.cx = CX;
        p.cy = CY;
        for(int y = 0; y < CY; y++)
            for(int x = 0; x < CX; x++)
                p.colors.push_back(Qor::Color(r.At(x, y)));
        return p;
    }

    static std::vector<std::string> Picture(const Pixels& p)
    {
        return p.Picture({ { Qor::White(), '.' },
                           { Qor::Black(), '#' },
                           { Qor::Color(255, 0, 0), 'r' },
                           { Qor::Color(0, 255, 0), 'g' },
                           { Qor::Color(0, 0, 255), 'b' },
                           { Qor::Color(0, 255, 255), 'c' } });
    }
};

inline const Qor::Color RED(255, 0, 0);
inline const Qor::Color GREEN(0, 255, 0);
inline const Qor::Color BLUE(0, 0, 255);
inline const Qor::Color CYAN(0, 255, 255);

} // namespace QorTest
