// LookFrame: a frame painted with one look; its bands are the look's margins.
#pragma once

#include "ctrl/frame/ctrl_frame.h"
#include "foundation/values/value.h"

namespace Qor {

class LookFrame : public CtrlFrame {
public:
    using LookFn = Value (*)();

    LookFrame() = default;
    explicit LookFrame(LookFn fn) : fn(fn) {}

    // A short control keeps room for one line of standard text and gives up its vertical
    // bands instead.
    void LayOut(Rect& r) override;
    void AddSize(Size& sz) override;
    void PaintFrame(Draw& w, const Rect& r) override;

    // The function, when set, is asked each time; otherwise the stored look is used.
    Value GetLook() const { return fn ? fn() : look; }
    void SetLook(const Value& v) { look = v; }
    void SetLookFn(LookFn f) { fn = f; }

private:
    LookFn fn = nullptr;
    Value look;

    Rect GetMargins() const;
};

} // namespace Qor
