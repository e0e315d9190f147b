// The view-edge look and frame.

#include "widgets/frame/view_edge.h"

#include "draw/look/look.h"
#include "widgets/button/style_record.h"
#include "widgets/images/ctrls_img.h"

namespace Qor {

namespace {

struct ViewEdgeRecord {
    byte status = 0;
    byte registered = 0;
    const ViewEdgeRecord* standard = nullptr;
    Value look;
};

ViewEdgeRecord& GetViewEdgeRecord()
{
    static ViewEdgeRecord s;
    static ViewEdgeRecord standard;
    return BuildStyleRecord(
        s, standard, [] { GetViewEdgeRecord(); },
        [](ViewEdgeRecord& r) { r.look = ImageToValue(CtrlsImg::Get(CtrlsImg::I_VE)); });
}

} // namespace

Value GetViewEdgeLook() { return GetViewEdgeRecord().look; }

void SetViewEdgeLook(const Value& look) { BeginSkinningStyle(GetViewEdgeRecord()).look = look; }

LookFrame& GetViewEdgeFrame()
{
    static LookFrame frame(GetViewEdgeLook);
    return frame;
}

} // namespace Qor
