// Control frames: the bands between a control's whole rectangle and its view, the null
// frame every control starts with, the border frames and the field frame.
#pragma once

#include "draw/utils/border_table.h"
#include "foundation/values/rect.h"
#include "foundation/values/size.h"

namespace Qor {

class Ctrl;
class Draw;

class CtrlFrame {
public:
    // Takes the frame's band out of r.
    virtual void LayOut(Rect& r) = 0;
    // Grows sz by the frame's bands.
    virtual void AddSize(Size& sz) = 0;
    virtual void PaintFrame(Draw& w, const Rect& r);
    virtual void AddedTo(Ctrl& parent);
    virtual void RemovedFrom();
    virtual int OverpaintMargin() const;
    virtual ~CtrlFrame() {}
};

// Takes nothing and paints nothing.
class NullFrameClass : public CtrlFrame {
public:
    void LayOut(Rect&) override {}
    void AddSize(Size&) override {}
    void PaintFrame(Draw&, const Rect&) override {}
};

// Rings of colour functions, asked at every paint so a skin change needs no rebuild.
class BorderFrame : public CtrlFrame {
public:
    explicit BorderFrame(const BorderTable* table) : table(table) {}

    // Too small a rectangle (under two rings across) keeps its size and gets no paint.
    void LayOut(Rect& r) override;
    void AddSize(Size& sz) override;
    void PaintFrame(Draw& w, const Rect& r) override;

private:
    const BorderTable* table;
};

// The field edge of the newer look: two pixels whatever the size.
class XPFieldFrameCls : public CtrlFrame {
public:
    void LayOut(Rect& r) override;
    void AddSize(Size& sz) override;
    void PaintFrame(Draw& w, const Rect& r) override;
};

CtrlFrame& GetNullFrameInstance();
CtrlFrame& GetSunkenLineFrame();
CtrlFrame& GetBlackLineFrame();
CtrlFrame& GetRaisedFrame();
// The field frame when the look style level is 2 or more, else the sunken border.
CtrlFrame& GetEditFrame();

// Docking of frame controls: the control takes a band n wide (0 when hidden) at one side
// of r through SetFrameRect, and r gives it up. Nothing for a null control.
void DockCtrlLeft(Rect& r, Ctrl* c, int n);
void DockCtrlRight(Rect& r, Ctrl* c, int n);
void DockCtrlTop(Rect& r, Ctrl* c, int n);
void DockCtrlBottom(Rect& r, Ctrl* c, int n);

} // namespace Qor
