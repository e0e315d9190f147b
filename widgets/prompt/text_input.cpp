// The text input dialog: its layout and its run.

#include "widgets/prompt/text_input.h"

#include "ctrl/settings/layout_zoom.h"
#include "foundation/values/translate.h"
#include "widgets/label/label_drawing.h"

namespace Qor {

void LayOutEditStringDialog(WithEditStringLayout<TopWindow>& dlg)
{
    dlg.SetLayoutName("EditStringLayout");
    dlg.prompt.SetLayoutName("lbl");
    dlg.text.SetLayoutName("text");
    dlg.ok.SetLayoutName("ok");
    dlg.cancel.SetLayoutName("cancel");
    dlg.AppendChild(dlg.prompt);
    dlg.AppendChild(dlg.text);
    dlg.AppendChild(dlg.ok);
    dlg.AppendChild(dlg.cancel);
    dlg.prompt.SetLabel(Translate("Test"));
    dlg.prompt.SetAlign(LABEL_ALIGN_RIGHT);
    dlg.prompt.PlaceLeftZoomed(4, 92).PlaceTopZoomed(4, 19);
    dlg.text.StretchHorizontalZoomed(104, 8).PlaceTopZoomed(4, 19);
    dlg.ok.SetLabel(Translate("OK"));
    dlg.ok.PlaceLeftZoomed(232, 80).PlaceBottomZoomed(4, 22);
    dlg.cancel.SetLabel(Translate("Cancel"));
    dlg.cancel.PlaceRightZoomed(12, 80).PlaceBottomZoomed(4, 22);
    Size sz = dlg.GrowByFrames(ZoomSize(412, 62));
    dlg.SetMinSize(sz);
    dlg.SetRect(Rect(sz));
}

bool RunTextInputDialog(String& value, const char* title, const char* prompt, EditField::CharFilter filter,
                        int max_length)
{
    WithEditStringLayout<TopWindow> dlg;
    LayOutEditStringDialog(dlg);
    dlg.SetTitle(title ? title : "");
    dlg.SetValidateBreakAction(dlg.ok, IDOK);
    dlg.ok.MakeOk();
    dlg.SetCancelBreakAction(dlg.cancel, IDCANCEL);
    dlg.cancel.MakeCancel();
    ApplyButtonOrder(dlg.ok, dlg.cancel);
    dlg.prompt.SetText(prompt ? prompt : "");
    dlg.text.SetValue(Value(WString(value)));
    dlg.text.SetFilter(filter);
    if(max_length) {
        dlg.text.SetMaxLength(max_length);
        dlg.text.Refresh();
    }
    if(dlg.RunThenClose() != IDOK)
        return false;
    value = String(dlg.text.GetText());
    return true;
}

bool RunTextInputDialog(String& value, const char* title, const char* prompt, int max_length)
{
    return RunTextInputDialog(value, title, prompt, EditField::DefaultCharFilter, max_length);
}

} // namespace Qor
