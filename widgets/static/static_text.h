// Controls that show something and take no input: a plain container, captions, labels that
// focus the control after them, a centred image and a displayed value.
#pragma once

#include "ctrl/tree/ctrl_class.h"
#include "draw/display/display.h"
#include "draw/image/image.h"
#include "widgets/label/label_drawing.h"

namespace Qor {

// A transparent container that paints nothing itself.
class ParentCtrl : public Ctrl {
public:
    ParentCtrl();

    Size MinimumSize() const override;
    Size StandardSize() const override;
    Rect UnpaintedArea() const override;

    // Null (INT_NULL wide) falls back to the control default.
    ParentCtrl& SetMinimumSize(Size sz)
    {
        minimum_size = sz;
        return *this;
    }

private:
    Size minimum_size;
};

// A caption painted by the label painter; transparent, and mouse events pass through it.
class StaticText : public Ctrl, public LabelBase {
public:
    StaticText();

    void Paint(Draw& w) override;
    Size MinimumSize() const override;
    // The label changed: refresh.
    virtual void LabelUpdated();

protected:
    void LabelChanged() override { LabelUpdated(); }
};

// A caption whose access key moves the focus to the control after it.
class Label : public StaticText {
public:
    Label() = default;

    // The text as it is; no access key.
    Label& SetText(const char* text);
    // '&' or a backspace byte marks the access key.
    Label& SetLabel(const char* text);
    int GetAccessKey() const { return label.access_key; }

    bool AccessKeyPressed(dword key) override;
    dword OwnAccessKeys() const override;
    void AssignFreeAccessKeys(dword used) override;
};

// An image centred in the view; transparent, as it leaves the rest of the view unpainted.
class ImageCtrl : public Ctrl {
public:
    ImageCtrl();

    void Paint(Draw& w) override;
    Size MinimumSize() const override;
    Size StandardSize() const override;

    ImageCtrl& SetImage(const Image& img);
    const Image& GetImage() const { return image; }

private:
    Image image;
};

// A value painted by a Display over the whole view.
class DisplayCtrl : public Ctrl {
public:
    DisplayCtrl() = default;

    void SetValue(const Value& v) override;
    Value GetValue() const override;
    void Paint(Draw& w) override;
    Size MinimumSize() const override;

    // The display is borrowed and must outlive the control; null paints nothing.
    DisplayCtrl& SetDisplay(const Display& d);

private:
    DisplayedValue shown;
};

} // namespace Qor
