// The skinnable edge look of pop-up lists and the frame that paints it.

#include "lists/popup/popup_frame_internal.h"
#include "lists/popup/popup_table.h"

#include "draw/look/look.h"
#include "draw/look/sys_colors.h"
#include "draw/utils/border_table.h"
#include "widgets/button/style_record.h"

namespace Qor {

namespace {

struct PopUpListFrameRecord {
    byte status = 0;
    byte registered = 0;
    const PopUpListFrameRecord* standard = nullptr;
    Value look;
};

PopUpListFrameRecord& GetPopUpListFrameRecord()
{
    static PopUpListFrameRecord s;
    static PopUpListFrameRecord standard;
    return BuildStyleRecord(
        s, standard, [] { GetPopUpListFrameRecord(); },
        [](PopUpListFrameRecord& r) { r.look = MakeBorderLook(GetBlackBorder(), Value(SysColorFace())); });
}

} // namespace

Value GetPopUpListFrameLook() { return GetPopUpListFrameRecord().look; }

void SetPopUpListFrameLook(const Value& look) { BeginSkinningStyle(GetPopUpListFrameRecord()).look = look; }

LookFrame& GetPopUpListFrame()
{
    static LookFrame frame(GetPopUpListFrameLook);
    return frame;
}

} // namespace Qor
