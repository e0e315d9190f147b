// The edit field's style record and its sunken edge, which follows the pointer and the focus
// when a skin asks for it.
#pragma once

#include "ctrl/frame/ctrl_frame.h"
#include "foundation/values/color.h"
#include "foundation/values/value.h"
#include "widgets/frame/look_frame.h"

namespace Qor {

class Ctrl;

struct EditFieldStyle {
    byte status = 0;
    byte registered = 0;
    const EditFieldStyle* standard = nullptr;

    Color paper;
    Color read_only_paper;
    Color focused_paper;
    Color invalid_paper;
    Color text;
    Color disabled_text;
    Color selection_paper;
    Color selection_text;
    // Normal, hot, focused, disabled.
    Value edge[4];
    // The edge follows the hot and focus state.
    bool active_edge = false;
};

// A copy of edge look 0 of the default style (also the progress bar's and multi-button's).
Value GetEditFieldEdgeLook();

// The edge of an edit field: one of four looks by the field's state; always look 0 without a
// control. Its bands are the margins of look 0.
class ActiveEdgeFrame : public CtrlFrame {
public:
    void LayOut(Rect& r) override;
    void AddSize(Size& sz) override;
    void PaintFrame(Draw& w, const Rect& r) override;

    // The looks (four of them) must outlive the frame; a null control keeps look 0.
    void Set(const Value* looks, Ctrl* control);
    void SetHot(bool b) { hot = b; }
    bool IsHot() const { return hot; }
    // The index of the look painted now.
    int GetLookIndex() const;

private:
    const Value* edge_looks = nullptr;
    Ctrl* control = nullptr;
    bool hot = false;

    LookFrame& Geometry() const;
};

} // namespace Qor
