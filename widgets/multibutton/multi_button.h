// MultiButton: one value, painted by a Display after conversion, in a field with a row of
// side buttons at its left and right edges. A button marked main also answers clicks in the
// text area; a control with a single imageless button behaves as one button throughout.
#pragma once

#include "ctrl/tree/ctrl_class.h"
#include "foundation/callback.h"
#include "foundation/owned_array.h"
#include "foundation/vector.h"
#include "widgets/multibutton/multi_button_style.h"

namespace Qor {

class Convert;
class Display;

class MultiButton : public Ctrl {
public:
    class SideButton {
    public:
        // Left-button down over the button, and the release.
        Callback WhenPush;
        Callback WhenClick;

        SideButton& SetImage(const Image& m);
        // The image painted as a one-colour shape in the style's ink.
        SideButton& SetMonoImage(const Image& m);
        SideButton& SetLabel(const char* text);
        // At the left edge instead of the right one.
        SideButton& Left(bool b = true);
        // Null: measured from the label and the style.
        SideButton& Width(int cx);
        // True clears main on every other button of the owner first.
        SideButton& SetMain(bool b = true);
        SideButton& Enable(bool b = true);
        // Empty: the owner's tip.
        SideButton& Tip(const char* text);

        bool IsEnabled() const { return enabled; }
        bool IsMain() const { return main; }
        bool IsLeft() const { return left; }
        const String& GetLabel() const { return label; }
        const Image& GetImage() const { return img; }
        const String& GetTip() const { return tip; }

    private:
        friend class MultiButton;

        String tip;
        MultiButton* owner = nullptr;
        Image img;
        int cx = INT_NULL;
        bool main = false;
        bool left = false;
        bool monoimg = false;
        bool enabled = true;
        String label;

        void RefreshOwner();
    };

    MultiButton();
    ~MultiButton() override;

    // A new right button, not main, enabled, without label or image, of automatic width.
    SideButton& AddButton();
    int GetButtonCount() const { return buttons.GetCount(); }
    SideButton& GetButton(int i) { return buttons[i]; }
    const SideButton& GetButton(int i) const { return buttons[i]; }
    // The first main button, else the first button; the control must have a button.
    SideButton& GetMainButton();

    // The display and the converter are borrowed and must outlive their use here.
    MultiButton& SetDisplay(const Display& d);
    MultiButton& SetConvert(const Convert& c);
    // Shows v without marking the control modified.
    MultiButton& SetShownValue(const Value& v);
    // Null: the value takes the whole text area's height.
    MultiButton& SetValueHeight(int cy);
    // The tip shown over the text area and over buttons without a tip of their own.
    MultiButton& Tip(const char* text);
    // The style must outlive the control.
    MultiButton& SetStyle(const MultiButtonStyle& s);
    const MultiButtonStyle& GetStyle() const { return *style; }

    const Display* GetDisplay() const { return display; }
    const Convert* GetConvert() const { return convert; }
    // Index of the button under the pointer, Null when none.
    int GetHotIndex() const { return hot; }
    bool IsPressed() const { return pressed; }
    // Screen span of the button last pressed; Null when the press hit none.
    const Rect& GetPushScreenRect() const { return pushrect; }

    // The visual state of button i, or of the text area for i = -1.
    int GetVisualState(int i) const;
    // Index of the button at x (view coordinates), Null when none answers there.
    int FindButtonAt(int x) const;
    // Where button i lies in the view: from the left, width.
    void GetButtonSpan(int i, int& x, int& cx) const;
    // The view columns between the buttons.
    void GetTextArea(int& left, int& right) const;
    // One imageless button: the whole control is that button.
    bool IsTrivial() const;
    // The control paints its edge itself (edge[0] is not Null).
    bool HasOwnEdge() const;
    int GetBorderWidth() const;
    int GetButtonWidth(int i) const;

    void SetValue(const Value& v) override;
    Value GetValue() const override { return value; }
    Size MinimumSize() const override;
    int OverpaintMargin() const override;
    void FocusGained() override;
    void FocusLost() override;
    void PointerLeft() override;
    void CancelInteraction() override;
    void PointerMoved(Point p, dword keyflags) override;
    void LeftButtonDown(Point p, dword keyflags) override;
    void LeftButtonUp(Point p, dword keyflags) override;
    void Paint(Draw& w) override;
    virtual bool IsFrameStyle() const;

    static const MultiButtonStyle& GetDefaultStyle();
    static const MultiButtonStyle& GetAltStyle();
    // The same records, for skins.
    static MultiButtonStyle& DefaultStyleRecord();
    static MultiButtonStyle& AltStyleRecord();

private:
    const Display* display;
    const Convert* convert;
    Value value;
    int valuecy = INT_NULL;
    bool pressed = false;
    String tip;
    Rect pushrect;
    OwnedArray<SideButton> buttons;
    int hot = INT_NULL;
    const MultiButtonStyle* style;

    struct Span {
        int x;
        int cx;
    };
    // Lays the buttons out from the edges in array order, one span per button, and leaves
    // the text area between l and r.
    void LayOutButtons(Vector<Span>& spans, int& l, int& r) const;
    void PaintButton(Draw& w, int i, int x, int cx, bool first) const;
    void PaintButtonContent(Draw& w, const SideButton& b, int state, int x, int cx, bool first) const;
    void PaintTextArea(Draw& w, int l, int r, bool has_left, bool has_right) const;
};

} // namespace Qor
