// The static controls: container, caption, label, image and displayed value.

#include "widgets/static/static_text.h"

#include "ctrl/defaults/ctrl_defaults.h"
#include "draw/look/sys_colors.h"
#include "draw/target/draw.h"
#include "widgets/label/access_key.h"

namespace Qor {

ParentCtrl::ParentCtrl() : minimum_size(INT_NULL, INT_NULL)
{
    SetTransparent();
    SetWantsFocus(false);
}

Size ParentCtrl::MinimumSize() const { return minimum_size.cx == INT_NULL ? Ctrl::MinimumSize() : minimum_size; }

Size ParentCtrl::StandardSize() const { return MinimumSize(); }

Rect ParentCtrl::UnpaintedArea() const { return Rect(GetViewSize()); }

StaticText::StaticText()
{
    SetIgnoreMouse();
    SetTransparent();
    SetWantsFocus(false);
    label.horizontal_align = LABEL_ALIGN_LEFT;
}

void StaticText::Paint(Draw& w)
{
    Size sz = GetViewSize();
    if(!IsTransparent())
        w.DrawRect(0, 0, sz.cx, sz.cy, SysColorFace());
    PaintLabel(this, w, 0, 0, sz.cx, sz.cy, !IsEnabledUpward(), false, false, IsAccessKeyMarkShown(this));
}

Size StaticText::MinimumSize() const { return GetLabelSize(); }

void StaticText::LabelUpdated() { Refresh(); }

Label& Label::SetText(const char* text)
{
    label.access_key = 0;
    LabelBase::SetText(text);
    return *this;
}

Label& Label::SetLabel(const char* text)
{
    String cleaned;
    label.access_key = ExtractAccessKey(text, cleaned);
    LabelBase::SetText(cleaned.Begin());
    return *this;
}

bool Label::AccessKeyPressed(dword key)
{
    if(!MatchesAccessKey(label.access_key, key))
        return false;
    FocusNextCtrl(this, GetParent(), false, false, false);
    return true;
}

dword Label::OwnAccessKeys() const { return AccessKeyMask(label.access_key); }

void Label::AssignFreeAccessKeys(dword used)
{
    // Only a label before a field that takes the initial focus lends it a key, and only
    // when that field has none of its own.
    Ctrl* next = GetNext();
    if(GetParent() && !label.access_key && next && next->HasInitialFocus()) {
        next->AssignFreeAccessKeys(used);
        if(next->CollectAccessKeys() == 0) {
            int key = ChooseAccessKey(label.text.Begin(), used);
            if(key) {
                label.access_key = key;
                Refresh();
                used |= AccessKeyMask(key);
            }
        }
    }
    Ctrl::AssignFreeAccessKeys(used);
}

// Opaque, the parts beside the image would show whatever the window held before.
ImageCtrl::ImageCtrl() { SetTransparent(); }

void ImageCtrl::Paint(Draw& w)
{
    if(image.GetSize().IsEmpty())
        return;
    Size sz = GetViewSize();
    Size isz = StandardSize();
    w.DrawImage((sz.cx - isz.cx) / 2, (sz.cy - isz.cy) / 2, image);
}

Size ImageCtrl::MinimumSize() const { return image.GetSize(); }

Size ImageCtrl::StandardSize() const { return image.GetSize(); }

ImageCtrl& ImageCtrl::SetImage(const Image& img)
{
    image = img;
    Refresh();
    return *this;
}

void DisplayCtrl::SetValue(const Value& v)
{
    shown.value = v;
    Refresh();
}

Value DisplayCtrl::GetValue() const { return shown.value; }

void DisplayCtrl::Paint(Draw& w)
{
    Size sz = GetViewSize();
    shown.Paint(w, 0, 0, sz.cx, sz.cy, SysColorText(), SysColorPaper(), 0);
}

Size DisplayCtrl::MinimumSize() const { return shown.GetStandardSize(); }

DisplayCtrl& DisplayCtrl::SetDisplay(const Display& d)
{
    shown.display = &d;
    Refresh();
    return *this;
}

} // namespace Qor
