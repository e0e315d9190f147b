// The edit field's style record and ActiveEdgeFrame.

#include "widgets/edit/edit_style.h"

#include "ctrl/tree/ctrl_class.h"
#include "draw/look/look.h"
#include "draw/look/sys_colors.h"
#include "widgets/button/style_record.h"
#include "widgets/edit/edit_field.h"
#include "widgets/images/ctrls_img.h"

namespace Qor {

namespace {

void FillEditFieldDefaults(EditFieldStyle& s)
{
    s.paper = SysColorPaper();
    s.read_only_paper = SysColorFace();
    s.focused_paper = SysColorPaper();
    s.invalid_paper = MixColors(s.paper, Color(255, 0, 0), 32);
    s.text = SysColorText();
    s.disabled_text = SysColorDisabled();
    s.selection_paper = SysColorHighlight();
    s.selection_text = SysColorHighlightText();
    for(Value& v : s.edge)
        v = ImageToValue(CtrlsImg::Get(CtrlsImg::I_EFE));
    s.active_edge = false;
}

} // namespace

EditFieldStyle& EditField::GetDefaultStyle()
{
    static EditFieldStyle s;
    static EditFieldStyle standard;
    return BuildStyleRecord(
        s, standard, [] { EditField::GetDefaultStyle(); }, FillEditFieldDefaults);
}

Value GetEditFieldEdgeLook() { return EditField::GetDefaultStyle().edge[0]; }

void ActiveEdgeFrame::Set(const Value* looks, Ctrl* c)
{
    edge_looks = looks;
    control = c;
}

int ActiveEdgeFrame::GetLookIndex() const
{
    if(!control)
        return 0;
    if(!control->IsEnabled())
        return 3;
    if(control->HasFocus())
        return 2;
    return hot ? 1 : 0;
}

// The geometry is LookFrame's, measured on look 0.
LookFrame& ActiveEdgeFrame::Geometry() const
{
    static LookFrame geometry;
    geometry.SetLook(edge_looks ? edge_looks[0] : Value());
    return geometry;
}

void ActiveEdgeFrame::LayOut(Rect& r) { Geometry().LayOut(r); }

void ActiveEdgeFrame::AddSize(Size& sz) { Geometry().AddSize(sz); }

void ActiveEdgeFrame::PaintFrame(Draw& w, const Rect& r)
{
    if(edge_looks)
        PaintLookEdge(w, r, edge_looks[GetLookIndex()]);
}

} // namespace Qor
